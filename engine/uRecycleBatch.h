// Files handed to the Recycle Bin together: one shell operation for many
// files costs about what one costs for a single file.
#pragma once

#include <string>
#include <vector>

namespace qlm {

// Which of the files went to the Recycle Bin, in their order. A file that
// the single recycle would refuse (a relative path, a wildcard, a "." or
// ".." component, no file there) is not handed over and counts as kept. When
// the shell's operation fails, or the services library cannot take a list,
// each file still there is recycled on its own.
std::vector<bool> RecycleFiles(const std::vector<std::string>& paths);

}  // namespace qlm
