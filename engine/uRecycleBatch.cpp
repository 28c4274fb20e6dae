#include "engine/uRecycleBatch.h"

#include <cstddef>

#include "base/uFileSystem.h"
#include "base/uPathRules.h"
#include "startup/uMiscLoad.h"

namespace qlm {

std::vector<bool> RecycleFiles(const std::vector<std::string>& paths) {
  std::vector<bool> gone(paths.size(), false);
  if (Misc == nullptr) return gone;
  std::string names;
  std::vector<std::size_t> given;
  for (std::size_t k = 0; k < paths.size(); ++k) {
    if (!IsActionablePath(paths[k]) || !IsExistingFile(paths[k])) continue;
    names += paths[k];
    names.push_back('\0');
    given.push_back(k);
  }
  if (given.empty()) return gone;
  // The text's own terminating zero ends the list with an empty name.
  const bool whole = Misc->RecycleFiles != nullptr && Misc->RecycleFiles(names.c_str());
  for (const std::size_t k : given) {
    gone[k] = PathGone(paths[k]) || (!whole && Misc->RecycleFile(paths[k].c_str()));
  }
  return gone;
}

}  // namespace qlm
