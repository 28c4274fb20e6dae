// The collectors of the Windows and system categories: each turns its
// options into folder items of the engine's folder list.
#pragma once

namespace qlm {

class TScanContext;

void CollectRecents(TScanContext& scan);
void CollectUserTemps(TScanContext& scan);
void CollectWindowsUpdates(TScanContext& scan);
void CollectWindowsTemps(TScanContext& scan);
void CollectOrphanUpdates(TScanContext& scan);
void CollectPrefetch(TScanContext& scan);
void CollectDbCache(TScanContext& scan);
void CollectSystemJunk(TScanContext& scan);

}  // namespace qlm
