// The collectors of the Windows and system categories: each turns its
// options into folder items of the engine's folder list.
#pragma once

class TCore;

void CollectRecents(TCore& core);
void CollectUserTemps(TCore& core);
void CollectWindowsUpdates(TCore& core);
void CollectWindowsTemps(TCore& core);
void CollectOrphanUpdates(TCore& core);
void CollectPrefetch(TCore& core);
void CollectDbCache(TCore& core);
void CollectSystemJunk(TCore& core);
