#include "engine/uWindowsCollectors.h"

#include "base/uPathText.h"
#include "base/uText.h"
#include "engine/uCore.h"
#include "engine/uDefineFiles.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

namespace {

// Subfolders that no junk search of a whole drive or a chosen folder enters.
constexpr char kDriveExclusions[] = R"(*recycled\,*recycler\,"*system volume information\")";
constexpr char kFolderExclusions[] = R"(*recycled\,*recycler\)";

bool SameDrive(const std::string& a, const std::string& b) {
  return a.size() >= 2 && b.size() >= 2 && a[1] == ':' && b[1] == ':' &&
         LowerChar(a[0]) == LowerChar(b[0]);
}

std::vector<std::string> FixedDriveRoots() {
  char buffer[MISC_DRIVES_BUFFER] = {};
  int length = 0;
  std::vector<std::string> roots;
  if (Misc == nullptr || !Misc->FixedDriveRoots("|", buffer, MISC_DRIVES_BUFFER, &length)) {
    return roots;
  }
  for (std::string_view root : SplitAt(MiscText(buffer, length), '|')) {
    if (!root.empty()) roots.emplace_back(root);
  }
  return roots;
}

void AddDriveItem(TCore& core, const std::string& root, const std::string& masks) {
  TFolderItem& item = AddFolderItem(core, WithBackslash(root), masks, true, OBJTYPE_SYSTEM_JUNK,
                                    "drive: " + root + " ADD");
  item.FolderExclude = SplitDelimited(kDriveExclusions, ',');
  const std::string common = core.PathCommonAppData();
  if (!common.empty() && SameDrive(common, root)) {
    item.FolderExclude->Items.push_back(common + "Microsoft\\");
  }
  const std::string profiles = core.PathProfiles();
  if (!core.Options().Core.Temp && !profiles.empty() && SameDrive(profiles, root)) {
    item.FolderExclude->Items.push_back(profiles);
  }
}

}  // namespace

void CollectRecents(TCore& core) {
  const TCoreOptions& options = core.Options().Core;
  if (options.RecentsWindows) {
    AddFolderItem(core, core.PathRecent(), "*.lnk", false, OBJTYPE_RECENTS,
                  "Item Windows recents: ADD");
  }
  if (options.RecentsOffice) {
    AddFolderItem(core, core.PathOfficeRecent(), "*.lnk", false, OBJTYPE_RECENTS,
                  "Item Office recents: ADD");
  }
}

void CollectUserTemps(TCore& core) {
  if (!core.Options().Core.Temp) return;
  AddFolderItem(core, core.PathUserTemp(), "*", true, OBJTYPE_USER_JUNK, "Item user temps: ADD");
}

void CollectWindowsUpdates(TCore& core) {
  if (!core.Options().Core.WinUpdates) return;
  AddFolderItem(core, core.PathWindows(), "$NtServicePackUninstall*|$NtUninstall*|$MSI??Uninstall*",
                false, OBJTYPE_WIN_UPDATES, "Item Windows updates: ADD");
}

void CollectWindowsTemps(TCore& core) {
  if (!core.Options().Core.WinTemp) return;
  if (std::optional<TStringList> logs = LoadWindowsLogMasks(core)) {
    TFolderItem& item = AddFolderItem(core, core.PathWindows(), std::string(), false,
                                      OBJTYPE_WIN_TEMP, "Item Windows logs: ADD");
    item.Nested = false;
    // One mask per line of the file, blanks and all.
    item.IncludeMasks = std::move(logs);
  }
  AddFolderItem(core, core.PathWindowsTemp(), "*.*", true, OBJTYPE_WIN_TEMP,
                "Item Windwos temps: ADD");
  AddFolderItem(core, core.PathSystem() + "wbem\\Logs\\", "*.log|*.lo_", false, OBJTYPE_WIN_TEMP,
                "Item Windwos wbem logs: ADD");
  AddFolderItem(core, core.PathWindows() + "Debug\\UserMode\\", "*.log|*.bak", false,
                OBJTYPE_WIN_TEMP, "Item Windwos debug user logs: ADD");
  AddFolderItem(core, core.PathWindows() + "CSC\\", "*.*", true, OBJTYPE_WIN_TEMP,
                "Item Client Side Cache: ADD");
  const std::string dumps = core.PathCrashDumps();
  if (!dumps.empty()) {
    AddFolderItem(core, dumps, "*.dmp", false, OBJTYPE_WIN_TEMP, "Item Windwos crash: ADD");
  }
}

void CollectOrphanUpdates(TCore& core) {
  if (!core.Options().Core.WinUpdatesOrphan) return;
  AddFolderItem(core, LowerText(core.PathWindows()) + "$hf_mig$\\", "KB*", false,
                OBJTYPE_ORPHAN_UPDATES, "Item Windows updates orphan: ADD");
}

void CollectPrefetch(TCore& core) {
  if (!core.Options().Core.Prefetch) return;
  AddFolderItem(core, core.PathPrefetch(), "*.pf", false, OBJTYPE_PREFETCH, "Item Prefetch: ADD");
}

void CollectDbCache(TCore& core) {
  if (!core.Options().Core.DbCache) return;
  AddFolderItem(core, core.PathLocalAppData(), "IconCache.db", false, OBJTYPE_DB_CACHE,
                "Item DB cache files: ADD");
}

void CollectSystemJunk(TCore& core) {
  const std::string masks = LoadJunkMasks(core);
  const TCOSystem& system = core.Options().Core.System;
  if (system.FixedDrives) {
    core.Log(LVL_NOTICE, "Scan all fixed drives");
    for (const std::string& root : FixedDriveRoots()) AddDriveItem(core, root, masks);
    return;
  }
  if (!system.SelFolders || system.AddFolders.empty()) return;
  core.Log(LVL_NOTICE, "Scan additonal folders");
  const TStringList folders = SplitDelimited(system.AddFolders, '|');
  core.Log(LVL_NOTICE, "Count: " + std::to_string(folders.Items.size()));
  for (const std::string& folder : folders.Items) {
    TFolderItem& item = AddFolderItem(core, WithBackslash(folder), masks, true, OBJTYPE_SYSTEM_JUNK,
                                      "Item system junks additional folders: ADD");
    item.Nested = false;
    item.FolderExclude = SplitDelimited(kFolderExclusions, ',');
  }
}
