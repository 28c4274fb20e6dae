#include "engine/uRecycleBatch.h"

#include <windows.h>

#include <cstddef>
#include <map>
#include <set>

#include "base/uFileSystem.h"
#include "base/uHandles.h"
#include "base/uPathRules.h"
#include "base/uPathText.h"
#include "base/uText.h"
#include "startup/uMiscLoad.h"

namespace qlm {

namespace {

// The files of the batch are mostly neighbours: one listing of a folder
// answers for all of them where a test per file would cost a system call
// each, before and after the shell's operation.
class TFolderListings {
 public:
  enum class TAnswer { There, NotThere, Unknown };

  // Whether a file of that name is in its folder now, as the folder's
  // listing (read once per folder) shows it, letter case ignored.
  TAnswer FileThere(const std::string& path) {
    const TListing& listing = ListingOf(FolderOf(path));
    if (!listing.Read) return TAnswer::Unknown;
    return listing.Files.count(LowerText(NameOf(path))) != 0 ? TAnswer::There : TAnswer::NotThere;
  }

 private:
  struct TListing {
    bool Read = false;
    std::set<std::string> Files;
  };

  const TListing& ListingOf(const std::string& folder) {
    const auto [at, added] = fListings.try_emplace(LowerText(folder));
    if (added) at->second = Read(folder);
    return at->second;
  }

  // A folder that is not there holds no file; one that cannot be read
  // answers nothing.
  static TListing Read(const std::string& folder) {
    TListing listing;
    WIN32_FIND_DATAA data;
    TFindHandle find(::FindFirstFileExA((folder + "*").c_str(), FindExInfoStandard, &data,
                                        FindExSearchNameMatch, nullptr, 0));
    if (!find) {
      const DWORD error = ::GetLastError();
      listing.Read = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
      return listing;
    }
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        listing.Files.insert(LowerText(data.cFileName));
      }
    } while (::FindNextFileA(find.Get(), &data));
    listing.Read = ::GetLastError() == ERROR_NO_MORE_FILES;
    return listing;
  }

  std::map<std::string, TListing> fListings;
};

}  // namespace

std::vector<bool> RecycleFiles(const std::vector<std::string>& paths) {
  std::vector<bool> gone(paths.size(), false);
  if (Misc == nullptr) return gone;
  std::string names;
  std::vector<std::size_t> given;
  // Listed: the folder's listing showed the file by its name, so that the
  // listing after the operation can tell whether it went.
  std::vector<bool> listed(paths.size(), false);
  TFolderListings before;
  for (std::size_t k = 0; k < paths.size(); ++k) {
    if (!IsActionablePath(paths[k])) continue;
    listed[k] = before.FileThere(paths[k]) == TFolderListings::TAnswer::There;
    if (!listed[k] && !IsExistingFile(paths[k])) continue;
    names += paths[k];
    names.push_back('\0');
    given.push_back(k);
  }
  if (given.empty()) return gone;
  // The text's own terminating zero ends the list with an empty name.
  const bool whole = Misc->RecycleFiles != nullptr && Misc->RecycleFiles(names.c_str());
  TFolderListings after;
  for (const std::size_t k : given) {
    const TFolderListings::TAnswer now =
        listed[k] ? after.FileThere(paths[k]) : TFolderListings::TAnswer::Unknown;
    const bool went = now == TFolderListings::TAnswer::NotThere ||
                      (now == TFolderListings::TAnswer::Unknown && PathGone(paths[k]));
    gone[k] = went || (!whole && Misc->RecycleFile(paths[k].c_str()));
  }
  return gone;
}

}  // namespace qlm
