#include "base/uPathText.h"

#include <vector>

#include "base/uText.h"

namespace qlm {

namespace {
// A drive ("C:") ends a folder part as a backslash does.
constexpr char kPathDelimiters[] = "\\:";
}  // namespace

std::string FolderOf(std::string_view path) {
  const std::size_t last = path.find_last_of(kPathDelimiters);
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string NameOf(std::string_view path) {
  const std::size_t last = path.find_last_of(kPathDelimiters);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string WithBackslash(std::string_view folder) {
  std::string text(folder);
  if (!text.empty() && text.back() != '\\') text += '\\';
  return text;
}

std::string WithoutTrailingBackslash(std::string_view path) {
  while (path.size() > 1 && path.back() == '\\' && path[path.size() - 2] != ':') {
    path.remove_suffix(1);
  }
  return std::string(path);
}

std::string ShortPath(std::string_view path) {
  std::vector<std::string_view> names = SplitAt(path, '\\');
  // A drive ("C:") is not a folder name.
  if (!names.empty() && names.front().find(':') != std::string_view::npos) {
    names.erase(names.begin());
  }
  auto nameAt = [&](std::size_t fromEnd) -> std::string_view {
    return fromEnd < names.size() ? names[names.size() - 1 - fromEnd] : std::string_view{};
  };
  std::string result(nameAt(2));
  result += '\\';
  result += nameAt(1);
  result += '\\';
  result += nameAt(0);
  return result;
}

}  // namespace qlm
