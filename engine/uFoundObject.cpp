// The category rules of a found directory entry: whether it is junk of its
// category, and what its record needs beyond the directory entry. Categories
// whose rule asks other units (age tests, update folders, cookie lists,
// mail stores) accept nothing until those units exist.
#include "engine/uCore.h"

namespace {

bool IsFolderEntry(const TDirEntry& entry) {
  return (entry.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

}  // namespace

bool TCore::AcceptFoundObject(int category, const std::string&, const TDirEntry& entry) {
  if (category & OBJTYPE_CUSTOM) return !IsFolderEntry(entry);
  switch (category) {
    case OBJTYPE_IE_CACHE:
    case OBJTYPE_FF_CACHE:
    case OBJTYPE_FLOCK_CACHE:
      return !IsFolderEntry(entry);
    case OBJTYPE_RECENTS:
    case OBJTYPE_WIN_TEMP:
    case OBJTYPE_DB_CACHE:
      return true;
    default:
      return false;
  }
}

void TCore::CompleteFoundObject(TFileRec& rec) {
  switch (rec.Category) {
    case OBJTYPE_COOKIES:
    case OBJTYPE_IE_CACHE:
    case OBJTYPE_RECENTS:
      // Only the external deletion program can remove an index file.
      if (NameOf(rec.Path) == "index.dat") rec.Locked = true;
      rec.Count = 1;
      break;
    default:
      break;
  }
}
