// The collectors of the web browsers' junk: Internet Explorer's cookies,
// cache and update uninstallation folders, the caches and cookie files of
// every Firefox and Flock profile, and the history lists, which are no files.
#pragma once

class TCore;

void CollectCookies(TCore& core);
void CollectIeCache(TCore& core);
void CollectIeUpdates(TCore& core);
void CollectFirefox(TCore& core);
void CollectFlock(TCore& core);

// After every folder has been searched: one record per history list that
// holds something.
void ScanHistoryLists(TCore& core);
