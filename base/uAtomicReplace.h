// Replacing a file in one step: the new content is made whole beside the
// target first and then moved over it, so that a failure at any point leaves
// the old file as it was and no cut file behind.
#pragma once

#include <string>
#include <string_view>

namespace qlm {

// The file beside the target that the new content goes to first.
std::string StagedName(const std::string& target);

// Writes bytes as the new content of path (made when missing).
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Puts a copy of source in place of target (made when missing).
bool ReplaceFileWith(const std::string& source, const std::string& target);

}  // namespace qlm
