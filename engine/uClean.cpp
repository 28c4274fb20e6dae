#include "engine/uClean.h"

#include <algorithm>
#include <exception>

#include "base/uDirEnum.h"
#include "base/uFileSystem.h"
#include "base/uHandles.h"
#include "base/uPathText.h"
#include "base/uText.h"
#include "engine/uDefineList.h"
#include "engine/uProgressQueue.h"
#include "engine/uScanContext.h"
#include "engine/uUpdateFolders.h"
#include "engine/uUpdateKeys.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

constexpr DWORD kLockedFileWaitMs = 2500;

std::string RemovedText(const TFileRec& rec, std::int64_t count) {
  return rec.Path + " count -" + std::to_string(count) + ", size -" + std::to_string(rec.Size);
}

// Objects that are not files: the services library clears them whole.
bool IsStoreCategory(int category) {
  return category == OBJTYPE_OL_DELETED || category == OBJTYPE_OL_JUNK ||
         category == OBJTYPE_IE_HISTORY || category == OBJTYPE_IE_ADDRBAR ||
         category == OBJTYPE_MRU;
}

bool RemoveStore(int category) {
  if (Misc == nullptr) return false;
  switch (category) {
    case OBJTYPE_OL_DELETED:
      return Misc->EmptyOutlookFolder(MISC_OUTLOOK_DELETED);
    case OBJTYPE_OL_JUNK:
      return Misc->EmptyOutlookFolder(MISC_OUTLOOK_JUNK);
    case OBJTYPE_IE_HISTORY:
      return Misc->CleanIeHistory();
    case OBJTYPE_IE_ADDRBAR:
      return Misc->CleanAddressBar();
    default:
      return Misc->CleanMruLists();
  }
}

}  // namespace

TCleaner::TCleaner(const TEngineSession& session, const TStringList& cookieDefs,
                   std::string& ieCacheRoot)
    : fSession(session),
      fCookieDefs(cookieDefs),
      fIeCacheRoot(ieCacheRoot),
      fIeCache(SpecialFolder(&IMisc::PathIeCache)),
      fUserTemp(SpecialFolder(&IMisc::PathUserTemp)) {
  for (const std::string& folder : {fIeCache, fUserTemp}) {
    if (!folder.empty()) fKeptFolders.push_back(LowerText(folder));
  }
}

void TCleaner::Clean() {
  Log(LVL_INFO, "Start cleaning...");
  int lastCategory = 0;
  TFoundList& found = FoundList.Worker();
  const std::size_t n = found.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (fSession.IsStopped()) return;
    const TFileRec* rec = found[i].get();
    if (rec == nullptr || !rec->Selected) continue;
    if (rec->Category != lastCategory) {
      lastCategory = rec->Category;
      fSession.PostUpdate(WM_CORE_CURR_PATH, CategoryName(lastCategory), 0, 0, false);
    }
    const bool ok = RemoveObject(*rec);
    if (rec->RemoveEmptyFolder) {
      const std::string folder = FolderOf(rec->Path);
      Log(LVL_DEBUG, "Starting deltree " + folder);
      DeleteEmptyTree(folder);
    }
    const std::int64_t count = rec->Count < 0 ? 1 : rec->Count;
    if (!ok) {
      Log(LVL_WARNING, "Not delete " + RemovedText(*rec, count));
      continue;
    }
    if (fSession.LogsAt(LVL_DEBUG)) Log(LVL_DEBUG, "POST Update Clean " + RemovedText(*rec, count));
    fSession.PostUpdate(WM_CORE_UPDATE_CLEAN, std::string(), count, rec->Size, false);
    found[i].reset();
  }
}

bool TCleaner::RemoveObject(const TFileRec& rec) {
  if (IsStoreCategory(rec.Category)) {
    const bool ok = RemoveStore(rec.Category);
    if (!ok) {
      Log(rec.Category == OBJTYPE_OL_DELETED ? LVL_DEBUG : LVL_WARNING,
          "Cannot delete: " + rec.Caption.Str());
    }
    return ok;
  }
  switch (rec.Category) {
    case OBJTYPE_WIN_UPDATES:
    case OBJTYPE_IE_UPDATES:
    case OBJTYPE_ORPHAN_UPDATES:
      return RemoveUpdate(rec);
    case OBJTYPE_FF_COOKIES:
    case OBJTYPE_FLOCK_COOKIES: {
      const TDefineListView defs(fCookieDefs);
      return Misc != nullptr &&
             Misc->MozCleanCookies(rec.Path.c_str(), defs.Get(), Options().Core.Cookies.EraseAll);
    }
    default:
      break;
  }
  if (rec.Locked) return DeleteLockedFile(rec.Path);
  if (Misc == nullptr) return false;
  const bool deleteOutright =
      !Options().MoveRemInRB || (rec.Category == OBJTYPE_IE_CACHE && Options().Core.ForceDel);
  return deleteOutright ? Misc->RemoveFile(rec.Path.c_str()) : Misc->RecycleFile(rec.Path.c_str());
}

bool TCleaner::RemoveUpdate(const TFileRec& rec) {
  const std::string& id = rec.Key.Str();
  if (!IsPlainKeyName(id)) {
    Log(LVL_WARNING, "Update identifier not a plain key name, registry and log kept: \"" + id + "\"");
  }
  try {
    TStringList keys;
    UpdateRegistryKeys(id, keys);
    for (const std::string& key : keys.Items) {
      if (Misc == nullptr || !Misc->RegKeyDelete(MACHINE_ROOT, key.c_str())) {
        Log(LVL_WARNING, "Cannot delete regkey HKLM\\" + key);
      }
    }
  } catch (const std::exception&) {
    // A failed registry step never decides the removal.
  }
  const std::string logFile = UpdateLogFile(SpecialFolder(&IMisc::PathWindows), id);
  if (!logFile.empty() && (Misc == nullptr || !Misc->RemoveFile(logFile.c_str()))) {
    Log(LVL_WARNING, "Cannot delete: " + logFile);
  }
  bool ok = RemoveFolderTree(rec.Path);
  if (!rec.BackupFolder.empty()) ok = RemoveFolderTree(rec.BackupFolder.Str());
  return ok;
}

// True when the folder was there and is gone afterwards: a folder that was
// never there frees nothing. A folder that has become a junction or a link
// since the scan would lead the removal elsewhere, so it stays; a file that
// is a link is removed itself and never followed.
bool TCleaner::RemoveFolderTree(const std::string& folder) {
  if (!PathExists(folder)) {
    Log(LVL_WARNING, "Folder not found, nothing removed: " + folder);
    return false;
  }
  if (IsReparsePoint(folder)) {
    Log(LVL_WARNING, "Reparse point not followed: " + folder);
  } else if (Misc != nullptr) {
    Misc->RemoveTree(folder.c_str(), 0, 0);
  }
  if (!PathExists(folder)) return true;
  Log(LVL_WARNING, "Cannot deltree: " + folder);
  return false;
}

void TCleaner::CleanOthers() {
  Log(LVL_DEBUG, "Cleaning others...");
  if (Options().Core.IeCache) {
    Log(LVL_DEBUG, "Cleaning IE Cache subfolders...");
    fIeCacheRoot = fIeCache;
    DeleteEmptyTree(fIeCacheRoot);
  }
  if (Options().Core.Temp) {
    Log(LVL_DEBUG, "Cleaning User temp subfolders...");
    DeleteEmptyTree(fUserTemp);
  }
}

bool TCleaner::DeleteEmptyTree(const std::string& folder) {
  // An empty text would search the current folder; a reparse point leads
  // out of the tree.
  if (folder.empty() || IsReparsePoint(folder)) return false;
  bool empty = true;
  std::vector<std::string> subfolders;
  {
    TDirEnum listing(folder);
    TDirEntry entry;
    while (!fSession.IsStopped() && listing.Next(entry)) {
      if (entry.IsFolder() && !entry.IsReparsePoint() && entry.NameReadable()) {
        subfolders.push_back(entry.Name);
      } else {
        empty = false;
      }
    }
  }
  for (const std::string& name : subfolders) {
    if (fSession.IsStopped()) break;
    DeleteEmptyTree(folder + name + '\\');
  }
  if (empty && folder != fIeCacheRoot && !IsKeptFolder(folder) &&
      !::RemoveDirectoryA(folder.c_str())) {
    Log(LVL_WARNING, "Deltree failed: " + folder);
  }
  return empty;
}

bool TCleaner::IsKeptFolder(const std::string& folder) const {
  const std::string key = LowerText(folder);
  return std::find(fKeptFolders.begin(), fKeptFolders.end(), key) != fKeptFolders.end();
}

bool TCleaner::DeleteLockedFile(const std::string& path) {
  const std::string program = Options().Main.AppFolder + "delete.bin";
  std::string commandLine = "delete.bin \"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
    return false;
  }
  const THandle process(info.hProcess);
  const THandle thread(info.hThread);
  if (::WaitForSingleObject(process.Get(), kLockedFileWaitMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.Get(), 0);
    return false;
  }
  DWORD exitCode = 0;
  return ::GetExitCodeProcess(process.Get(), &exitCode) && exitCode == 1;
}

}  // namespace qlm
