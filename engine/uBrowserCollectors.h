// The collectors of the web browsers' junk: Internet Explorer's cookies,
// cache and update uninstallation folders, the caches and cookie files of
// every Firefox and Flock profile, and the history lists, which are no files.
#pragma once

namespace qlm {

class TScanContext;

void CollectCookies(TScanContext& scan);
void CollectIeCache(TScanContext& scan);
void CollectIeUpdates(TScanContext& scan);
void CollectFirefox(TScanContext& scan);
void CollectFlock(TScanContext& scan);

// After every folder has been searched: one record per history list that
// holds something.
void ScanHistoryLists(TScanContext& scan);

}  // namespace qlm
