#include "engine/uDefineFiles.h"

#include "base/uFileRead.h"
#include "engine/uDefineText.h"
#include "engine/uScanContext.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

constexpr char kDefines[] = "defines\\";

std::string DefinePath(TScanContext& scan, const char* fileName) {
  return scan.Options().Main.AppFolder + kDefines + fileName;
}

std::string TooLargeText(const std::string& path) {
  return "Definition file larger than " + std::to_string(DEFINE_FILE_LIMIT) +
         " bytes, refused: " + path;
}

std::vector<std::string> DefineLines(const TFileRead& file, const std::string& path) {
  if (file.Outcome == TReadOutcome::TooLarge) throw EDefineFileError(TooLargeText(path));
  if (!file.Ok()) throw EDefineFileError("Cannot open file \"" + path + "\"");
  return TextLines(file.Bytes);
}

// Loads a definition file, logs its path, and returns its lines.
std::vector<std::string> LoadLogged(TScanContext& scan, const std::string& path) {
  scan.Log(LVL_NOTICE, "Definition file: " + path);
  const TFileRead file = ReadWholeFile(path, DEFINE_FILE_LIMIT);
  if (file.Outcome == TReadOutcome::TooLarge) scan.Log(LVL_ERROR, TooLargeText(path));
  return DefineLines(file, path);
}

// Logs the version line and takes it off the entries.
std::vector<std::string> Entries(TScanContext& scan, std::vector<std::string> lines,
                                 const char* countLabel) {
  scan.Log(LVL_NOTICE, "Version: " + lines.front());
  lines.erase(lines.begin());
  scan.Log(LVL_NOTICE, countLabel + std::to_string(lines.size()));
  return lines;
}

}  // namespace

std::optional<std::string> ReadDefineFile(const std::string& path) {
  TFileRead file = ReadWholeFile(path, DEFINE_FILE_LIMIT);
  if (file.Outcome == TReadOutcome::TooLarge) Log(LVL_ERROR, TooLargeText(path));
  if (!file.Ok()) return std::nullopt;
  return std::move(file.Bytes);
}

std::vector<std::string> LoadDefineLines(const std::string& path) {
  return DefineLines(ReadWholeFile(path, DEFINE_FILE_LIMIT), path);
}

bool LoadCookieDefinitions(TScanContext& scan) {
  scan.Log(LVL_NOTICE, "Loading Cookies list...");
  scan.SetCookieDefs({});
  scan.Log(LVL_DEBUG, "Cleared list...");
  const TCoreOptions& options = scan.Options().Core;
  if (!options.Cookies.Enabled && !options.FirefoxCookies) {
    scan.Log(LVL_INFO, "Cookies scan not enabled");
    return true;
  }
  const std::string path =
      options.Cookies.UseDefault ? DefinePath(scan, "cookies.def") : options.Cookies.DefsFile;
  std::vector<std::string> lines = LoadLogged(scan, path);
  if (lines.empty()) {
    scan.Log(LVL_WARNING, "Disabling cookies for this scan!");
    scan.DisableCookieScan();
    return true;
  }
  scan.SetCookieDefs(Entries(scan, std::move(lines), "Count: "));
  return !scan.CookieDefs().Items.empty();
}

std::string LoadJunkMasks(TScanContext& scan) {
  std::string masks;
  const TCOSystem& system = scan.Options().Core.System;
  if (system.UseDefExts) {
    const std::string path = DefinePath(scan, "extensions.def");
    std::vector<std::string> lines = LoadLogged(scan, path);
    if (lines.empty()) throw EDefineFileError("Definition file without a version line: \"" + path + "\"");
    TStringList list;
    list.Items = Entries(scan, std::move(lines), "Count:");
    masks = DelimitedText(list);
  }
  if (!system.AddExts.empty()) masks += masks.empty() ? system.AddExts : "|" + system.AddExts;
  return masks;
}

std::optional<TStringList> LoadWindowsLogMasks(TScanContext& scan) {
  std::vector<std::string> lines = LoadLogged(scan, DefinePath(scan, "windows.def"));
  if (lines.size() < 2) return std::nullopt;
  TStringList list;
  list.Items = Entries(scan, std::move(lines), "Count: ");
  return list;
}

std::string GetDefineVersion(const std::string& appFolder, const std::string& fileName) {
  Log(LVL_DEBUG, "Loading define " + fileName + "...");
  const std::string name =
      FirstSectionName(ReadDefineFile(appFolder + kDefines + fileName).value_or(""));
  if (!name.empty()) Log(LVL_DEBUG, name);
  return name;
}

}  // namespace qlm
