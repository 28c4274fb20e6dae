#include "misc/miscFolderRelation.h"

#include <algorithm>
#include <string>
#include <vector>

#include "misc/miscText.h"

namespace {

std::vector<std::string> Components(std::string_view path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : LowerText(path)) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

}  // namespace

int FolderRelation(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return (a.empty() && b.empty()) ? RELATION_SAME : RELATION_UNRELATED;
  const std::vector<std::string> partsA = Components(a);
  const std::vector<std::string> partsB = Components(b);
  const std::size_t common = std::min(partsA.size(), partsB.size());
  if (common == 0) return RELATION_UNDETERMINED;
  for (std::size_t i = 0; i < common; ++i) {
    if (partsA[i] != partsB[i]) return RELATION_UNRELATED;
  }
  if (partsA.size() > partsB.size()) return RELATION_A_INSIDE_B;
  if (partsA.size() < partsB.size()) return RELATION_B_INSIDE_A;
  return RELATION_SAME;
}
