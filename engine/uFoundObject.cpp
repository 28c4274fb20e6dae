// The category rules of a found directory entry: whether it is junk of its
// category, and what its record needs beyond the directory entry.
#include <cstdint>

#include "base/uFileSystem.h"
#include "base/uPathText.h"
#include "engine/uCore.h"
#include "engine/uDefineList.h"
#include "engine/uScanContext.h"
#include "engine/uUpdateFolders.h"
#include "engine/uUpdateKeys.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

bool IsFolderEntry(const TDirEntry& entry) {
  return (entry.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::uint64_t FileTimeValue(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool LocalDateOf(std::uint64_t fileTime, double& date) {
  return Misc != nullptr && Misc->FileTimeToDate(fileTime, &date);
}

// Whether an entry is older than the limit: strictly more than `days` days
// between its time and now, both as local date-times. A limit below 1 means
// no test; a time the library cannot convert fails the test.
bool PassesAge(const FILETIME& time, int days) {
  if (days < 1) return true;
  FILETIME nowTime;
  ::GetSystemTimeAsFileTime(&nowTime);
  double now = 0;
  double then = 0;
  if (!LocalDateOf(FileTimeValue(nowTime), now) || !LocalDateOf(FileTimeValue(time), then)) {
    return false;
  }
  return now - then > days;
}

bool IsUpdateFolder(const TScanContext& scan, const std::string& full, const TDirEntry& entry) {
  const TCoreOptions& options = scan.Options().Core;
  if (!PassesAge(entry.Created, options.WinUpdatesDays)) return false;
  const std::string inf = SpuninstFile(full);
  if (::GetFileAttributesA(inf.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  if (options.WinUpdatesOptional) return true;
  return IsSecurityUpdate(ReadSpuninstValue(inf, "NtServicePackVersionText"),
                          ReadSpuninstValue(inf, "NtServicePackVersionFullText"));
}

// The bytes and objects of a folder tree; zero when the library cannot tell.
void AddFolderTotals(const std::string& folder, TFileRec& rec) {
  std::int64_t size = 0;
  std::int64_t count = 0;
  if (Misc == nullptr || !Misc->FolderTotals(folder.c_str(), &size, &count)) return;
  rec.Size += size;
  rec.Count += count;
}

void CompleteUpdate(TFileRec& rec) {
  const std::string path = rec.Path();
  const std::string inf = SpuninstFile(path);
  rec.SetCaption(ReadSpuninstValue(inf, "NtServicePackVersionFullText"));
  rec.SetKey(ReadSpuninstValue(inf, "NtServicePackVersionText"));
  rec.Size = 0;
  rec.Count = 0;
  AddFolderTotals(path, rec);
  rec.SetBackupFolder(TSharedText());
  // Only a plain key name may lead to a backup folder: anything else could
  // name a folder outside "$hf_mig$", which the clean would remove.
  const std::string windows = SpecialFolder(&IMisc::PathWindows);
  if (windows.empty() || !IsPlainKeyName(rec.Key().Str())) return;
  const std::string backup = windows + "$hf_mig$\\" + rec.Key().Str();
  if (!IsExistingFolder(backup)) return;
  rec.SetBackupFolder(backup);
  AddFolderTotals(backup, rec);
}

void CompleteOrphan(TFileRec& rec) {
  rec.SetCaption(std::string(rec.Name()));
  rec.SetKey(rec.Caption());
  rec.SetBackupFolder(TSharedText());
  rec.Size = 0;
  rec.Count = 0;
  AddFolderTotals(rec.Path(), rec);
  rec.Count += 1;
}

void CompleteOutlookExpress(const TScanContext& scan, TFileRec& rec) {
  rec.SetCaption("Deleted Items");
  int count = 0;
  if (Misc == nullptr || !Misc->OeMessageCount(rec.Path().c_str(), &count)) {
    count = 0;
    scan.Log(LVL_WARNING, "Outlook Express Items Count failed!");
  }
  rec.Count = count;
}

void CompleteMozCookies(const TScanContext& scan, TFileRec& rec) {
  const TDefineListView defs(scan.CookieDefs());
  std::int64_t count = 0;
  std::int64_t size = 0;
  if (Misc == nullptr || !Misc->MozCountCookies(rec.Path().c_str(), defs.Get(), &count, &size)) {
    count = 0;
    size = 0;
    scan.Log(LVL_WARNING, "Cookies count failed!");
  }
  rec.Count = count;
  rec.Size = size;
}

}  // namespace

bool AcceptFoundObject(const TScanContext& scan, int category, const std::string& full,
                       const TDirEntry& entry) {
  if (category & OBJTYPE_CUSTOM) return !IsFolderEntry(entry);
  switch (category) {
    case OBJTYPE_COOKIES: {
      if (NameOf(full) == "index.dat" || scan.Options().Core.Cookies.EraseAll) return true;
      const TDefineListView defs(scan.CookieDefs());
      return Misc != nullptr && Misc->IsTrackingCookieFile(full.c_str(), defs.Get());
    }
    case OBJTYPE_IE_CACHE:
    case OBJTYPE_FF_CACHE:
    case OBJTYPE_FLOCK_CACHE:
      return !IsFolderEntry(entry);
    case OBJTYPE_RECENTS:
    case OBJTYPE_WIN_TEMP:
    case OBJTYPE_DB_CACHE:
      return true;
    case OBJTYPE_USER_JUNK:
      return PassesAge(entry.Accessed, 1) && !IsFolderEntry(entry);
    case OBJTYPE_WIN_UPDATES:
      return IsUpdateFolder(scan, full, entry);
    case OBJTYPE_SYSTEM_JUNK:
      return PassesAge(entry.Created, scan.Options().Core.System.DaysOlder) &&
             !IsFolderEntry(entry);
    case OBJTYPE_PREFETCH:
      return PassesAge(entry.Accessed, scan.Options().Core.PrefetchDays);
    case OBJTYPE_IE_UPDATES:
      return ::GetFileAttributesA(SpuninstFile(full).c_str()) != INVALID_FILE_ATTRIBUTES;
    case OBJTYPE_OE_DELETED: {
      int count = 0;
      return Misc != nullptr && Misc->OeMessageCount(full.c_str(), &count) && count > 0;
    }
    case OBJTYPE_FF_COOKIES:
    case OBJTYPE_FLOCK_COOKIES: {
      const TDefineListView defs(scan.CookieDefs());
      return Misc != nullptr && Misc->MozHasTrackingCookie(full.c_str(), defs.Get());
    }
    case OBJTYPE_ORPHAN_UPDATES:
      return IsOrphanUpdate(full);
    default:
      return false;
  }
}

void CompleteFoundObject(const TScanContext& scan, TFileRec& rec) {
  switch (rec.Category) {
    case OBJTYPE_ORPHAN_UPDATES:
      CompleteOrphan(rec);
      break;
    case OBJTYPE_WIN_UPDATES:
    case OBJTYPE_IE_UPDATES:
      CompleteUpdate(rec);
      break;
    case OBJTYPE_OE_DELETED:
      CompleteOutlookExpress(scan, rec);
      break;
    case OBJTYPE_FF_COOKIES:
    case OBJTYPE_FLOCK_COOKIES:
      CompleteMozCookies(scan, rec);
      break;
    case OBJTYPE_COOKIES:
    case OBJTYPE_IE_CACHE:
    case OBJTYPE_RECENTS:
      // Only the external deletion program can remove an index file.
      if (rec.Name() == "index.dat") rec.Locked = true;
      rec.Count = 1;
      break;
    default:
      break;
  }
}

}  // namespace qlm
