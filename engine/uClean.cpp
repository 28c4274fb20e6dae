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
#include "engine/uRecycleBatch.h"
#include "engine/uScanContext.h"
#include "engine/uUpdateFolders.h"
#include "engine/uUpdateKeys.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

constexpr DWORD kLockedFileWaitMs = 2500;
// Files handed to the shell in one operation at most: a stop request waits
// for one batch at the longest.
constexpr std::size_t kRecycleBatch = 2000;

std::string RemovedText(const TFileRec& rec, std::int64_t count) {
  return rec.Path() + " count -" + std::to_string(count) + ", size -" + std::to_string(rec.Size);
}

// Objects that are not files: the services library clears them whole.
bool IsStoreCategory(int category) {
  return category == OBJTYPE_OL_DELETED || category == OBJTYPE_OL_JUNK ||
         category == OBJTYPE_IE_HISTORY || category == OBJTYPE_IE_ADDRBAR ||
         category == OBJTYPE_MRU;
}

bool IsUpdateCategory(int category) {
  return category == OBJTYPE_WIN_UPDATES || category == OBJTYPE_IE_UPDATES ||
         category == OBJTYPE_ORPHAN_UPDATES;
}

bool IsMozCookiesCategory(int category) {
  return category == OBJTYPE_FF_COOKIES || category == OBJTYPE_FLOCK_COOKIES;
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

// Files for the Recycle Bin wait for their batch, which goes when it is
// full, before the next category's message and at the end of the pass; each
// object is then finished in its turn, as if it had gone on its own.
void TCleaner::Clean() {
  Log(LVL_INFO, "Start cleaning...");
  int lastCategory = 0;
  TFoundList& found = FoundList.Worker();
  std::vector<std::size_t> waiting;
  const std::size_t n = found.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (fSession.IsStopped()) break;
    const TFileRec* rec = found[i].get();
    if (rec == nullptr || !rec->Selected) continue;
    if (rec->Category != lastCategory) {
      RecycleWaiting(found, waiting);
      lastCategory = rec->Category;
      fSession.PostUpdate(WM_CORE_CURR_PATH, CategoryName(lastCategory), 0, 0, false);
    }
    if (GoesToRecycleBin(*rec)) {
      waiting.push_back(i);
      if (waiting.size() >= kRecycleBatch) RecycleWaiting(found, waiting);
      continue;
    }
    Finish(found, i, RemoveObject(*rec));
  }
  RecycleWaiting(found, waiting);
}

void TCleaner::RecycleWaiting(TFoundList& found, std::vector<std::size_t>& waiting) {
  if (waiting.empty()) return;
  std::vector<std::string> paths;
  paths.reserve(waiting.size());
  for (const std::size_t i : waiting) paths.push_back(found[i]->Path());
  const std::vector<bool> gone = RecycleFiles(paths);
  for (std::size_t k = 0; k < waiting.size(); ++k) Finish(found, waiting[k], gone[k]);
  waiting.clear();
}

void TCleaner::Finish(TFoundList& found, std::size_t i, bool ok) {
  const TFileRec& rec = *found[i];
  if (rec.RemoveEmptyFolder) {
    const std::string& folder = rec.Folder();
    Log(LVL_DEBUG, "Starting deltree " + folder);
    DeleteEmptyTree(folder);
  }
  const std::int64_t count = rec.Count < 0 ? 1 : rec.Count;
  if (!ok) {
    Log(LVL_WARNING, "Not delete " + RemovedText(rec, count));
    return;
  }
  if (fSession.LogsAt(LVL_DEBUG)) Log(LVL_DEBUG, "POST Update Clean " + RemovedText(rec, count));
  fSession.PostUpdate(WM_CORE_UPDATE_CLEAN, std::string(), count, rec.Size, false);
  found[i].reset();
}

// A plain file, which the options send to the Recycle Bin (IE cache files
// are deleted outright when forced).
bool TCleaner::GoesToRecycleBin(const TFileRec& rec) const {
  if (IsStoreCategory(rec.Category) || IsUpdateCategory(rec.Category) ||
      IsMozCookiesCategory(rec.Category) || rec.Locked) {
    return false;
  }
  return Options().MoveRemInRB && !(rec.Category == OBJTYPE_IE_CACHE && Options().Core.ForceDel);
}

bool TCleaner::RemoveObject(const TFileRec& rec) {
  if (IsStoreCategory(rec.Category)) {
    const bool ok = RemoveStore(rec.Category);
    if (!ok) {
      Log(rec.Category == OBJTYPE_OL_DELETED ? LVL_DEBUG : LVL_WARNING,
          "Cannot delete: " + rec.Caption().Str());
    }
    return ok;
  }
  if (IsUpdateCategory(rec.Category)) return RemoveUpdate(rec);
  if (IsMozCookiesCategory(rec.Category)) {
    const TDefineListView defs(fCookieDefs);
    return Misc != nullptr &&
           Misc->MozCleanCookies(rec.Path().c_str(), defs.Get(), Options().Core.Cookies.EraseAll);
  }
  if (rec.Locked) return DeleteLockedFile(rec.Path());
  // What stays is a file deleted outright: the others wait for a batch.
  return Misc != nullptr && Misc->RemoveFile(rec.Path().c_str());
}

bool TCleaner::RemoveUpdate(const TFileRec& rec) {
  const std::string& id = rec.Key().Str();
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
  bool ok = RemoveFolderTree(rec.Path());
  if (!rec.BackupFolder().empty()) ok = RemoveFolderTree(rec.BackupFolder().Str());
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
