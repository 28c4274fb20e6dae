#include "misc/miscProfilesIni.h"

#include "base/uPathRules.h"
#include "base/uPathText.h"
#include "base/uText.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

struct TProfileEntry {
  std::string Path;
  int IsRelative = -1;  // -1: key missing
};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::vector<TProfileEntry> ProfileEntries(std::string_view text) {
  std::vector<TProfileEntry> entries;
  bool inProfile = false;
  TProfileEntry current;
  const auto flush = [&] {
    if (inProfile && !current.Path.empty()) entries.push_back(current);
    current = {};
  };
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.front() == '[') {
      flush();
      inProfile = line.size() > 8 && SameTextIgnoringCase(line.substr(1, 7), "profile");
      continue;
    }
    const auto equals = line.find('=');
    if (!inProfile || equals == std::string_view::npos) continue;
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    if (SameTextIgnoringCase(key, "Path")) current.Path = std::string(value);
    if (SameTextIgnoringCase(key, "IsRelative")) current.IsRelative = value == "1" ? 1 : 0;
  }
  flush();
  return entries;
}

std::string Backslashed(std::string_view path) {
  std::string text(path);
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  while (!text.empty() && text.front() == '\\' && !IsAbsolutePath(text)) text.erase(0, 1);
  return WithBackslash(text);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && SameTextIgnoringCase(text.substr(0, head.size()), head);
}

}  // namespace

std::vector<TProfileFolders> ProfilesFromIni(std::string_view iniText, std::string_view appBase,
                                             std::string_view localBase) {
  std::vector<TProfileFolders> profiles;
  const std::string app = WithBackslash(appBase);
  const std::string local = WithBackslash(localBase);
  for (const TProfileEntry& entry : ProfileEntries(iniText)) {
    const std::string path = Backslashed(entry.Path);
    const bool relative = entry.IsRelative == -1 ? !IsAbsolutePath(path) : entry.IsRelative == 1;
    // Only slashes name no folder, and an absolute profile that names no
    // drive or share would resolve against the working folder.
    if (path.empty() || (!relative && !IsAbsolutePath(path))) continue;
    TProfileFolders folders;
    if (relative) {
      folders.Cookies = app + path;
      folders.Cache = local + path + "Cache\\";
    } else {
      folders.Cookies = path;
      folders.Cache = StartsWithIgnoringCase(path, app) ? local + path.substr(app.size()) + "Cache\\"
                                                        : path + "Cache\\";
    }
    profiles.push_back(std::move(folders));
  }
  return profiles;
}

}  // namespace qlm::misc
