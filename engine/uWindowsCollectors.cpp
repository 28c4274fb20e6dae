#include "engine/uWindowsCollectors.h"

#include "base/uMasks.h"
#include "base/uPathText.h"
#include "base/uText.h"
#include "engine/uDefineFiles.h"
#include "engine/uScanContext.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

namespace qlm {

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

void AddDriveItem(TScanContext& scan, const std::string& root, const std::string& masks) {
  TFolderItem* item = AddFolderItem(scan, WithBackslash(root), std::string(), masks, true,
                                    OBJTYPE_SYSTEM_JUNK, "drive: " + root + " ADD");
  if (item == nullptr) return;
  item->FolderExclude = SplitDelimited(kDriveExclusions, ',');
  const std::string common = SpecialFolder(&IMisc::PathCommonAppData);
  if (!common.empty() && SameDrive(common, root)) {
    item->FolderExclude->Items.push_back(common + "Microsoft\\");
  }
  const std::string profiles = SpecialFolder(&IMisc::PathProfiles);
  if (!scan.Options().Core.Temp && !profiles.empty() && SameDrive(profiles, root)) {
    item->FolderExclude->Items.push_back(profiles);
  }
}

}  // namespace

void CollectRecents(TScanContext& scan) {
  const TCoreOptions& options = scan.Options().Core;
  if (options.RecentsWindows) {
    AddFolderItem(scan, SpecialFolder(&IMisc::PathRecent), "", "*.lnk", false, OBJTYPE_RECENTS,
                  "Item Windows recents: ADD");
  }
  if (options.RecentsOffice) {
    AddFolderItem(scan, SpecialFolder(&IMisc::PathOfficeRecent), "", "*.lnk", false,
                  OBJTYPE_RECENTS, "Item Office recents: ADD");
  }
}

void CollectUserTemps(TScanContext& scan) {
  if (!scan.Options().Core.Temp) return;
  AddFolderItem(scan, SpecialFolder(&IMisc::PathUserTemp), "", "*", true, OBJTYPE_USER_JUNK,
                "Item user temps: ADD");
}

void CollectWindowsUpdates(TScanContext& scan) {
  if (!scan.Options().Core.WinUpdates) return;
  AddFolderItem(scan, SpecialFolder(&IMisc::PathWindows), "",
                "$NtServicePackUninstall*|$NtUninstall*|$MSI??Uninstall*", false,
                OBJTYPE_WIN_UPDATES, "Item Windows updates: ADD");
}

void CollectWindowsTemps(TScanContext& scan) {
  if (!scan.Options().Core.WinTemp) return;
  const std::string windows = SpecialFolder(&IMisc::PathWindows);
  if (std::optional<TStringList> logs = LoadWindowsLogMasks(scan)) {
    if (TFolderItem* item = AddFolderItem(scan, windows, "", "", false, OBJTYPE_WIN_TEMP,
                                          "Item Windows logs: ADD")) {
      item->Nested = false;
      // One mask per line of the file, blanks and all.
      item->IncludeMasks = std::move(logs);
    }
  }
  AddFolderItem(scan, SpecialFolder(&IMisc::PathWindowsTemp), "", "*.*", true, OBJTYPE_WIN_TEMP,
                "Item Windwos temps: ADD");
  AddFolderItem(scan, SpecialFolder(&IMisc::PathSystem), "wbem\\Logs\\", "*.log|*.lo_", false,
                OBJTYPE_WIN_TEMP, "Item Windwos wbem logs: ADD");
  AddFolderItem(scan, windows, "Debug\\UserMode\\", "*.log|*.bak", false, OBJTYPE_WIN_TEMP,
                "Item Windwos debug user logs: ADD");
  AddFolderItem(scan, windows, "CSC\\", "*.*", true, OBJTYPE_WIN_TEMP,
                "Item Client Side Cache: ADD");
  AddFolderItem(scan, SpecialFolder(&IMisc::PathCrashDumps), "", "*.dmp", false, OBJTYPE_WIN_TEMP,
                "Item Windwos crash: ADD");
}

void CollectOrphanUpdates(TScanContext& scan) {
  if (!scan.Options().Core.WinUpdatesOrphan) return;
  AddFolderItem(scan, LowerText(SpecialFolder(&IMisc::PathWindows)), "$hf_mig$\\", "KB*", false,
                OBJTYPE_ORPHAN_UPDATES, "Item Windows updates orphan: ADD");
}

void CollectPrefetch(TScanContext& scan) {
  if (!scan.Options().Core.Prefetch) return;
  AddFolderItem(scan, SpecialFolder(&IMisc::PathPrefetch), "", "*.pf", false, OBJTYPE_PREFETCH,
                "Item Prefetch: ADD");
}

void CollectDbCache(TScanContext& scan) {
  if (!scan.Options().Core.DbCache) return;
  AddFolderItem(scan, SpecialFolder(&IMisc::PathLocalAppData), "", "IconCache.db", false,
                OBJTYPE_DB_CACHE, "Item DB cache files: ADD");
}

void CollectSystemJunk(TScanContext& scan) {
  const std::string masks = LoadJunkMasks(scan);
  const TCOSystem& system = scan.Options().Core.System;
  if (system.FixedDrives) {
    scan.Log(LVL_NOTICE, "Scan all fixed drives");
    for (const std::string& root : FixedDriveRoots()) AddDriveItem(scan, root, masks);
    return;
  }
  if (!system.SelFolders || system.AddFolders.empty()) return;
  scan.Log(LVL_NOTICE, "Scan additonal folders");
  const TStringList folders = SplitDelimited(system.AddFolders, '|');
  scan.Log(LVL_NOTICE, "Count: " + std::to_string(folders.Items.size()));
  for (const std::string& folder : folders.Items) {
    TFolderItem* item =
        AddFolderItem(scan, WithBackslash(folder), "", masks, true, OBJTYPE_SYSTEM_JUNK,
                      "Item system junks additional folders: ADD");
    if (item == nullptr) continue;
    item->Nested = false;
    item->FolderExclude = SplitDelimited(kFolderExclusions, ',');
  }
}

}  // namespace qlm
