#include "settings/uConfig.h"

#include <windows.h>

#include <vector>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "base/uPathText.h"
#include "settings/uConfigValues.h"
#include "startup/uLocaleText.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

// One pass over every stored field, section by section in file order; the
// reader and the writer share it, so the file's keys and order are defined
// once.
class TSettingsVisitor {
 public:
  virtual ~TSettingsVisitor() = default;
  virtual void Section(const std::vector<std::string>& parts) = 0;
  virtual void Bool(const char* key, bool& field, bool defaultValue) = 0;
  virtual void Int32(const char* key, int& field, int defaultValue) = 0;
  virtual void Int64(const char* key, std::int64_t& field) = 0;
  virtual void Date(const char* key, TDateTime& field) = 0;
  virtual void Text(const char* key, std::string& field) = 0;
  virtual void Language(const char* key, std::string& field) = 0;
};

void VisitOptions(TSettingsVisitor& v, TOptions& o) {
  v.Section({"last"});
  v.Date("updatetime", o.UpdateTime);
  v.Date("opertime", o.OperTime);
  v.Int64("objsfound", o.ObjsFound);
  v.Int64("objsrem", o.ObjsRem);
  v.Int64("sizerem", o.SizeRem);
  v.Section({"main"});
  v.Language("lngfile", o.Main.LngFile);
  v.Section({"scan"});
  v.Bool("scanlowpriority", o.ScanLowPriority, true);
  v.Bool("selfoundobjs", o.SelFoundObjs, true);
  v.Bool("remobjsscanend", o.RemObjsScanEnd, false);
  v.Bool("movereminrb", o.MoveRemInRB, true);
  v.Bool("hidepath", o.HidePath, true);
  v.Section({"rbin"});
  v.Bool("askconfirm", o.AskConfirm, true);
  v.Bool("showprogress", o.ShowProgress, false);
  v.Bool("playsound", o.PlaySound, false);
  v.Bool("emptyrbin", o.EmptyRBin, false);
  v.Section({"log"});
  v.Int32("level", o.LogLevel, 6);
  v.Int32("maxretention", o.MaxRetention, 5);
  v.Bool("delsavelog", o.DelSaveLog, true);

  TCoreOptions& c = o.Core;
  v.Section({"core", "cookies"});
  v.Bool("enabled", c.Cookies.Enabled, true);
  v.Bool("eraseall", c.Cookies.EraseAll, false);
  v.Bool("indexdat", c.Cookies.IndexDat, false);
  v.Text("defsfile", c.Cookies.DefsFile);
  v.Bool("usedefault", c.Cookies.UseDefault, true);
  v.Section({"core", "temp"});
  v.Bool("mru", c.Mru, true);
  v.Bool("temp", c.Temp, true);
  v.Section({"core", "iexp"});
  v.Bool("cache", c.IeCache, true);
  v.Bool("forcedel", c.ForceDel, true);
  v.Bool("showfiles", c.ShowFiles, false);
  v.Bool("indexdat", c.IeIndexDat, false);
  v.Bool("ieupdates", c.IeUpdates, false);
  v.Bool("history", c.IeHistory, true);
  v.Bool("addrbarurls", c.AddrBarUrls, true);
  v.Section({"core", "olexp"});
  v.Bool("oledeleted", c.OeDeleted, true);
  v.Section({"core", "recents"});
  v.Bool("windows", c.RecentsWindows, true);
  v.Bool("office", c.RecentsOffice, true);
  v.Section({"core", "office"});
  v.Bool("oldeleted", c.OlDeleted, false);
  v.Bool("oljunk", c.OlJunk, false);
  v.Section({"core", "other"});
  v.Bool("dbcahce", c.DbCache, true);
  v.Section({"core", "windows"});
  v.Bool("winupdates", c.WinUpdates, false);
  v.Int32("winupdatesdays", c.WinUpdatesDays, 30);
  v.Bool("winupdatesoptional", c.WinUpdatesOptional, false);
  v.Bool("winupdatesorphan", c.WinUpdatesOrphan, true);
  v.Bool("wintemp", c.WinTemp, true);
  v.Bool("prefetch", c.Prefetch, true);
  v.Int32("prefetchdays", c.PrefetchDays, 20);
  v.Section({"core", "system"});
  v.Bool("fixeddrives", c.System.FixedDrives, true);
  v.Bool("selfolders", c.System.SelFolders, false);
  v.Text("addfolders", c.System.AddFolders);
  v.Bool("usedefexts", c.System.UseDefExts, true);
  v.Text("addexts", c.System.AddExts);
  v.Int32("daysolder", c.System.DaysOlder, 0);
  v.Section({"core", "firefox"});
  v.Bool("cache", c.FirefoxCache, true);
  v.Bool("cookies", c.FirefoxCookies, true);
  v.Section({"core", "flock"});
  v.Bool("cache", c.FlockCache, false);
  v.Bool("cookies", c.FlockCookies, false);
}

std::vector<std::string> SectionParts(const std::vector<std::string>& section) {
  std::vector<std::string> parts{"application", "options"};
  parts.insert(parts.end(), section.begin(), section.end());
  return parts;
}

class TSettingsReader final : public TSettingsVisitor {
 public:
  TSettingsReader(TXMLFile& xml, std::string startupLanguage)
      : fXML(xml), fStartupLanguage(std::move(startupLanguage)) {}

  void Section(const std::vector<std::string>& parts) override {
    fXML.SetBaseParts(SectionParts(parts));
    fSectionFound = fXML.HasBase();
  }
  void Bool(const char* key, bool& field, bool defaultValue) override {
    field = Parsed(key, ParseBool, defaultValue);
  }
  void Int32(const char* key, int& field, int defaultValue) override {
    field = Parsed(key, ParseInt32, defaultValue);
  }
  void Int64(const char* key, std::int64_t& field) override {
    field = Parsed(key, ParseInt64, std::int64_t{0});
  }
  void Date(const char* key, TDateTime& field) override {
    field = 0;
    const auto text = Value(key);
    if (text && !TextToDateTime(*text, field)) field = 0;
  }
  void Text(const char* key, std::string& field) override { field = Value(key).value_or(""); }
  void Language(const char* key, std::string& field) override {
    field = fStartupLanguage.empty() ? Value(key).value_or("") : fStartupLanguage;
  }

 private:
  // A missing section leaves no base, so its keys must not be looked up from
  // the document's top level.
  std::optional<std::string> Value(const char* key) const {
    return fSectionFound ? fXML.ReadValue(key, std::nullopt) : std::nullopt;
  }
  template <typename T, typename Parser>
  T Parsed(const char* key, Parser parse, T defaultValue) const {
    const auto text = Value(key);
    if (!text) return defaultValue;
    const auto value = parse(*text);
    return value ? static_cast<T>(*value) : defaultValue;
  }

  TXMLFile& fXML;
  std::string fStartupLanguage;
  bool fSectionFound = false;
};

class TSettingsWriter final : public TSettingsVisitor {
 public:
  explicit TSettingsWriter(TXMLFile& xml) : fXML(xml) {}

  void Section(const std::vector<std::string>& parts) override {
    fXML.ClearBase();
    fXML.AddNode(SectionParts(parts), true);
  }
  void Bool(const char* key, bool& field, bool) override { fXML.AddValue(key, BoolText(field)); }
  void Int32(const char* key, int& field, int) override {
    fXML.AddValue(key, std::to_string(field));
  }
  void Int64(const char* key, std::int64_t& field) override {
    fXML.AddValue(key, std::to_string(field));
  }
  void Date(const char* key, TDateTime& field) override {
    fXML.AddValue(key, DateTimeToText(field));
  }
  void Text(const char* key, std::string& field) override { fXML.AddValue(key, field); }
  void Language(const char* key, std::string& field) override { Text(key, field); }

 private:
  TXMLFile& fXML;
};

// The varying values of the four core presets; every other core field is the
// same in all of them.
struct TCorePreset {
  bool Thorough;  // Cookies.IndexDat, ShowFiles, IeIndexDat, IeUpdates, Outlook, updates
  bool Local;     // Temp, Mru, recents, DbCache, WinTemp, Prefetch
  bool OeDeleted;
  bool WinUpdatesOrphan;
  bool FixedDrives;
  std::optional<bool> Flock;  // none: left as it is
};

void ApplyCorePreset(TCoreOptions& c, const TCorePreset& p) {
  c.Cookies.Enabled = true;
  c.Cookies.EraseAll = false;
  c.Cookies.IndexDat = p.Thorough;
  c.Cookies.DefsFile.clear();
  c.Cookies.UseDefault = true;
  c.Temp = p.Local;
  c.Mru = p.Local;
  c.IeCache = true;
  c.ForceDel = true;
  c.ShowFiles = p.Thorough;
  c.IeIndexDat = p.Thorough;
  c.IeHistory = true;
  c.AddrBarUrls = true;
  c.IeUpdates = p.Thorough;
  c.OeDeleted = p.OeDeleted;
  c.RecentsWindows = p.Local;
  c.RecentsOffice = p.Local;
  c.OlDeleted = p.Thorough;
  c.OlJunk = p.Thorough;
  c.DbCache = p.Local;
  c.WinUpdates = p.Thorough;
  c.WinUpdatesDays = 14;
  c.WinUpdatesOptional = p.Thorough;
  c.WinUpdatesOrphan = p.WinUpdatesOrphan;
  c.WinTemp = p.Local;
  c.Prefetch = p.Local;
  c.PrefetchDays = 20;
  c.System.FixedDrives = p.FixedDrives;
  c.System.SelFolders = false;
  c.System.AddFolders.clear();
  c.System.UseDefExts = true;
  c.System.AddExts.clear();
  c.System.DaysOlder = 0;
  c.FirefoxCache = true;
  c.FirefoxCookies = true;
  if (p.Flock) {
    c.FlockCache = *p.Flock;
    c.FlockCookies = *p.Flock;
  }
}

}  // namespace

TConfig::TConfig(std::string fileName)
    : fFileName(std::move(fileName)), fXML(std::make_unique<TXMLFile>(fFileName)) {}

TConfig::~TConfig() = default;

std::string TConfig::ProgramFolder() { return ExecutableFolder(); }

std::string TConfig::SettingsPath() const { return fXML->FullPath(); }

// The start-up language file lies beside the settings file, which is in the
// program's folder.
std::string TConfig::SettingsFolder() const { return FolderOf(SettingsPath()); }

std::string TConfig::StartupLanguage() {
  const std::string path = SettingsFolder() + STARTUP_LANGUAGE_FILE;
  if (!PathExists(path)) return {};
  char value[MAX_PATH * 2] = {};
  ::GetPrivateProfileStringA("startup", "filename", "", value, sizeof value, path.c_str());
  ::DeleteFileA(path.c_str());
  return value;
}

bool TConfig::IsOurDocument() const {
  return fXML->ReadAttribute("application", "title", "").value_or("") == SETTINGS_TITLE &&
         fXML->ReadAttribute("application", "version", "").value_or("") == SETTINGS_VERSION;
}

void TConfig::KeepUnreadableFile() {
  const std::string path = SettingsPath();
  const std::string kept = path + UNREADABLE_SETTINGS_SUFFIX;
  if (::MoveFileExA(path.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    Log(LVL_WARNING, "Settings file cannot be read, kept as: " + kept);
  } else {
    Log(LVL_ERROR, "Settings file cannot be read nor kept: " + path);
  }
}

void TConfig::Load() {
  if (!PathExists(SettingsPath())) {
    SetDefaults();
    return;
  }
  if (!fXML->Load()) {
    KeepUnreadableFile();
    SetDefaults();
    return;
  }
  if (!IsOurDocument()) {
    SetDefaults();
    return;
  }
  Options.Main.AppFolder = ProgramFolder();
  TSettingsReader reader(*fXML, StartupLanguage());
  VisitOptions(reader, Options);
  fXML->ClearBase();
}

void TConfig::Save() {
  if (!fXML->SetXML("")) throw EXMLFileError("Cannot empty the settings document!");
  fXML->ClearBase();
  fXML->AddValue("application", "");
  fXML->WriteAttribute("application", "title", SETTINGS_TITLE);
  fXML->WriteAttribute("application", "version", SETTINGS_VERSION);
  TSettingsWriter writer(*fXML);
  VisitOptions(writer, Options);
  fXML->ClearBase();
  fXML->Save();
}

void TConfig::SetDefaults() {
  Options.Main.AppFolder = ProgramFolder();
  Options.Main.LngFile = StartupLanguage();
  Options.ScanLowPriority = true;
  Options.SelFoundObjs = true;
  Options.RemObjsScanEnd = false;
  Options.MoveRemInRB = true;
  Options.HidePath = true;
  Options.AskConfirm = true;
  Options.ShowProgress = false;
  Options.PlaySound = false;
  Options.EmptyRBin = false;
  Options.LogLevel = 6;
  Options.MaxRetention = 5;
  Options.DelSaveLog = true;
  ApplyDefaultScan();
  Save();
}

void TConfig::ApplyDefaultScan() {
  ApplyCorePreset(Options.Core, {.Thorough = false, .Local = true, .OeDeleted = true,
                                 .WinUpdatesOrphan = true, .FixedDrives = true, .Flock = false});
}

void TConfig::ApplyFastScan() {
  ApplyCorePreset(Options.Core, {.Thorough = false, .Local = true, .OeDeleted = false,
                                 .WinUpdatesOrphan = false, .FixedDrives = false,
                                 .Flock = std::nullopt});
}

void TConfig::ApplyFullScan() {
  ApplyCorePreset(Options.Core, {.Thorough = true, .Local = true, .OeDeleted = true,
                                 .WinUpdatesOrphan = true, .FixedDrives = true, .Flock = true});
}

void TConfig::ApplyInternetScan() {
  ApplyCorePreset(Options.Core, {.Thorough = false, .Local = false, .OeDeleted = false,
                                 .WinUpdatesOrphan = false, .FixedDrives = false, .Flock = true});
}

}  // namespace qlm
