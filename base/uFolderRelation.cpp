#include "base/uFolderRelation.h"

#include <string>
#include <vector>

#include "base/uText.h"

namespace qlm {

namespace {

std::vector<std::string> Components(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part += LowerChar(c);
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

}  // namespace

int FolderRelation(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return a.empty() && b.empty() ? FOLDER_SAME : FOLDER_UNRELATED;
  const std::vector<std::string> pa = Components(a);
  const std::vector<std::string> pb = Components(b);
  const std::size_t k = pa.size() < pb.size() ? pa.size() : pb.size();
  if (k == 0) return FOLDER_UNDETERMINED;
  for (std::size_t i = 0; i < k; ++i) {
    if (pa[i] != pb[i]) return FOLDER_UNRELATED;
  }
  if (pa.size() > pb.size()) return FOLDER_INSIDE;
  if (pa.size() < pb.size()) return FOLDER_CONTAINS;
  return FOLDER_SAME;
}

}  // namespace qlm
