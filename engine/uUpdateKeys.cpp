#include "engine/uUpdateKeys.h"

namespace qlm {

bool IsPlainKeyName(std::string_view id) {
  return !id.empty() && id != "." && id != ".." && id.find_first_of("\\/") == std::string_view::npos;
}

void UpdateRegistryKeys(const std::string& id, TStringList& keys) {
  if (!IsPlainKeyName(id)) return;
  keys.Items.push_back(UNINSTALL_KEY + id);
  keys.Items.push_back("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\" + id);
  keys.Items.push_back("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\HotFix\\" + id);
}

std::string UpdateLogFile(const std::string& windowsFolder, const std::string& id) {
  if (windowsFolder.empty() || !IsPlainKeyName(id)) return std::string();
  return windowsFolder + id + ".log";
}

std::string LastPathComponent(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  const std::size_t slash = path.find_last_of('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace qlm
