#include "engine/uDefineFiles.h"

#include "engine/uCore.h"
#include "engine/uDefineText.h"
#include "startup/uHandles.h"
#include "startup/uTrace.h"

namespace {

constexpr char kDefines[] = "defines\\";

std::string DefinePath(TCore& core, const char* fileName) {
  return core.Options().Main.AppFolder + kDefines + fileName;
}

// Loads a definition file, logs its path, and returns its lines.
std::vector<std::string> LoadLogged(TCore& core, const std::string& path) {
  core.Log(LVL_NOTICE, "Definition file: " + path);
  return LoadDefineLines(path);
}

// Logs the version line and takes it off the entries.
std::vector<std::string> Entries(TCore& core, std::vector<std::string> lines,
                                 const char* countLabel) {
  core.Log(LVL_NOTICE, "Version: " + lines.front());
  lines.erase(lines.begin());
  core.Log(LVL_NOTICE, countLabel + std::to_string(lines.size()));
  return lines;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  TFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string text;
  char buffer[16384];
  DWORD read = 0;
  for (;;) {
    if (!::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
    if (read == 0) return text;
    text.append(buffer, read);
  }
}

std::vector<std::string> LoadDefineLines(const std::string& path) {
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) throw EDefineFileError("Cannot open file \"" + path + "\"");
  return TextLines(*text);
}

bool LoadCookieDefinitions(TCore& core) {
  core.Log(LVL_NOTICE, "Loading Cookies list...");
  TStringList& defs = core.CookieDefs();
  defs.Items.clear();
  core.Log(LVL_DEBUG, "Cleared list...");
  TCoreOptions& options = core.Options().Core;
  if (!options.Cookies.Enabled && !options.FirefoxCookies) {
    core.Log(LVL_INFO, "Cookies scan not enabled");
    return true;
  }
  const std::string path = options.Cookies.UseDefault ? DefinePath(core, "cookies.def")
                                                      : options.Cookies.DefsFile;
  std::vector<std::string> lines = LoadLogged(core, path);
  if (lines.empty()) {
    core.Log(LVL_WARNING, "Disabling cookies for this scan!");
    options.Cookies.Enabled = false;
    options.FirefoxCookies = false;
    return true;
  }
  defs.Items = Entries(core, std::move(lines), "Count: ");
  return !defs.Items.empty();
}

std::string LoadJunkMasks(TCore& core) {
  std::string masks;
  const TCOSystem& system = core.Options().Core.System;
  if (system.UseDefExts) {
    const std::string path = DefinePath(core, "extensions.def");
    std::vector<std::string> lines = LoadLogged(core, path);
    if (lines.empty()) throw EDefineFileError("Definition file without a version line: \"" + path + "\"");
    TStringList list;
    list.Items = Entries(core, std::move(lines), "Count:");
    masks = DelimitedText(list);
  }
  if (!system.AddExts.empty()) masks += masks.empty() ? system.AddExts : "|" + system.AddExts;
  return masks;
}

std::optional<TStringList> LoadWindowsLogMasks(TCore& core) {
  std::vector<std::string> lines = LoadLogged(core, DefinePath(core, "windows.def"));
  if (lines.size() < 2) return std::nullopt;
  TStringList list;
  list.Items = Entries(core, std::move(lines), "Count: ");
  return list;
}

std::string GetDefineVersion(const std::string& appFolder, const std::string& fileName) {
  Log(LVL_DEBUG, "Loading define " + fileName + "...");
  const std::string name = FirstSectionName(ReadWholeFile(appFolder + kDefines + fileName).value_or(""));
  if (!name.empty()) Log(LVL_DEBUG, name);
  return name;
}
