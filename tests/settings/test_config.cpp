#include <gtest/gtest.h>

#include <cmath>

#include "settings/uConfig.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

using TBoolField = bool& (*)(TOptions&);

// Every boolean key of the file with its field.
const std::pair<const char*, TBoolField> kBoolKeys[] = {
    {"scanlowpriority", [](TOptions& o) -> bool& { return o.ScanLowPriority; }},
    {"selfoundobjs", [](TOptions& o) -> bool& { return o.SelFoundObjs; }},
    {"remobjsscanend", [](TOptions& o) -> bool& { return o.RemObjsScanEnd; }},
    {"movereminrb", [](TOptions& o) -> bool& { return o.MoveRemInRB; }},
    {"hidepath", [](TOptions& o) -> bool& { return o.HidePath; }},
    {"askconfirm", [](TOptions& o) -> bool& { return o.AskConfirm; }},
    {"showprogress", [](TOptions& o) -> bool& { return o.ShowProgress; }},
    {"playsound", [](TOptions& o) -> bool& { return o.PlaySound; }},
    {"emptyrbin", [](TOptions& o) -> bool& { return o.EmptyRBin; }},
    {"delsavelog", [](TOptions& o) -> bool& { return o.DelSaveLog; }},
    {"cookies/enabled", [](TOptions& o) -> bool& { return o.Core.Cookies.Enabled; }},
    {"cookies/eraseall", [](TOptions& o) -> bool& { return o.Core.Cookies.EraseAll; }},
    {"cookies/indexdat", [](TOptions& o) -> bool& { return o.Core.Cookies.IndexDat; }},
    {"cookies/usedefault", [](TOptions& o) -> bool& { return o.Core.Cookies.UseDefault; }},
    {"temp/mru", [](TOptions& o) -> bool& { return o.Core.Mru; }},
    {"temp/temp", [](TOptions& o) -> bool& { return o.Core.Temp; }},
    {"iexp/cache", [](TOptions& o) -> bool& { return o.Core.IeCache; }},
    {"iexp/forcedel", [](TOptions& o) -> bool& { return o.Core.ForceDel; }},
    {"iexp/showfiles", [](TOptions& o) -> bool& { return o.Core.ShowFiles; }},
    {"iexp/indexdat", [](TOptions& o) -> bool& { return o.Core.IeIndexDat; }},
    {"iexp/ieupdates", [](TOptions& o) -> bool& { return o.Core.IeUpdates; }},
    {"iexp/history", [](TOptions& o) -> bool& { return o.Core.IeHistory; }},
    {"iexp/addrbarurls", [](TOptions& o) -> bool& { return o.Core.AddrBarUrls; }},
    {"olexp/oledeleted", [](TOptions& o) -> bool& { return o.Core.OeDeleted; }},
    {"recents/windows", [](TOptions& o) -> bool& { return o.Core.RecentsWindows; }},
    {"recents/office", [](TOptions& o) -> bool& { return o.Core.RecentsOffice; }},
    {"office/oldeleted", [](TOptions& o) -> bool& { return o.Core.OlDeleted; }},
    {"office/oljunk", [](TOptions& o) -> bool& { return o.Core.OlJunk; }},
    {"other/dbcahce", [](TOptions& o) -> bool& { return o.Core.DbCache; }},
    {"windows/winupdates", [](TOptions& o) -> bool& { return o.Core.WinUpdates; }},
    {"windows/winupdatesoptional", [](TOptions& o) -> bool& { return o.Core.WinUpdatesOptional; }},
    {"windows/winupdatesorphan", [](TOptions& o) -> bool& { return o.Core.WinUpdatesOrphan; }},
    {"windows/wintemp", [](TOptions& o) -> bool& { return o.Core.WinTemp; }},
    {"windows/prefetch", [](TOptions& o) -> bool& { return o.Core.Prefetch; }},
    {"system/fixeddrives", [](TOptions& o) -> bool& { return o.Core.System.FixedDrives; }},
    {"system/selfolders", [](TOptions& o) -> bool& { return o.Core.System.SelFolders; }},
    {"system/usedefexts", [](TOptions& o) -> bool& { return o.Core.System.UseDefExts; }},
    {"firefox/cache", [](TOptions& o) -> bool& { return o.Core.FirefoxCache; }},
    {"firefox/cookies", [](TOptions& o) -> bool& { return o.Core.FirefoxCookies; }},
    {"flock/cache", [](TOptions& o) -> bool& { return o.Core.FlockCache; }},
    {"flock/cookies", [](TOptions& o) -> bool& { return o.Core.FlockCookies; }},
};

std::vector<bool> Bools(TOptions& o) {
  std::vector<bool> values;
  for (const auto& [key, field] : kBoolKeys) values.push_back(field(o));
  return values;
}

const char kHeader[] = "<application title=\"quillmere pro\" version=\"1.0\">";

class ConfigTest : public ::testing::Test {
 protected:
  std::string FileName() const { return fFolder.Name() + "\\quillmere.xml"; }
  std::string SettingsPath() const { return fFolder.Path() + "quillmere.xml"; }
  std::string IniPath() const { return fFolder.Path() + "quillmere.ini"; }
  TOptions Loaded() const {
    TConfig config(FileName());
    config.Load();
    return config.Options;
  }
  void WriteSettings(const std::string& options) const {
    WriteFileBytes(SettingsPath(), std::string(kHeader) + "<options>" + options +
                                       "</options></application>");
  }

  TTempFolder fFolder{TestFolder()};
};

}  // namespace

TEST_F(ConfigTest, FirstStartWritesTheDefaultsOfANewFile) {
  TOptions o = Loaded();
  EXPECT_EQ(o.Core.WinUpdatesDays, 14);
  EXPECT_EQ(o.LogLevel, 6);
  EXPECT_EQ(o.MaxRetention, 5);
  EXPECT_EQ(o.Main.AppFolder, TConfig::ProgramFolder());
  EXPECT_TRUE(o.Core.System.FixedDrives);
  EXPECT_FALSE(o.Core.FlockCache);

  const std::string file = ReadFileBytes(SettingsPath());
  EXPECT_EQ(file.rfind(kHeader, 0), 0u);
  EXPECT_EQ(file.find_first_of(" \r\n\t", std::string(kHeader).size()), std::string::npos)
      << "no white space between elements: " << file;
  // Sections and core sections in file order.
  std::size_t at = 0;
  for (const char* tag : {"<last>", "<main>", "<scan>", "<rbin>", "<log>", "<core>", "<cookies>",
                          "<temp>", "<iexp>", "<olexp>", "<recents>", "<office>", "<other>",
                          "<windows>", "<system>", "<firefox>", "<flock>"}) {
    const std::size_t next = file.find(tag, at);
    ASSERT_NE(next, std::string::npos) << tag;
    at = next;
  }
  EXPECT_NE(file.find("<winupdatesdays>14</winupdatesdays>"), std::string::npos);
}

TEST_F(ConfigTest, EveryBooleanKeySurvivesOnItsOwn) {
  TOptions defaults = Loaded();
  for (const auto& [key, field] : kBoolKeys) {
    SCOPED_TRACE(key);
    TConfig config(FileName());
    config.Load();
    config.Options = defaults;
    field(config.Options) = !field(config.Options);
    std::vector<bool> expected = Bools(config.Options);
    config.Save();
    TOptions loaded = Loaded();
    EXPECT_EQ(Bools(loaded), expected);
    config.Options = defaults;
    config.Save();
  }
}

TEST_F(ConfigTest, NumbersTextsAndDatesSurvive) {
  {
    TConfig config(FileName());
    config.Load();
    TOptions& o = config.Options;
    o.UpdateTime = 39887.6010763889;  // 15 March 2009 14:25:33
    o.OperTime = 40000.0;             // a midnight
    o.ObjsFound = 123456789012LL;
    o.ObjsRem = -7;
    o.SizeRem = 5000000000LL;
    o.Main.LngFile = "Portugu\xEAs.lng";
    o.LogLevel = 3;
    o.MaxRetention = 16;
    o.Core.Cookies.DefsFile = "C:\\My Defs\\a&b <x>.def";
    o.Core.WinUpdatesDays = 0;
    o.Core.PrefetchDays = -3;
    o.Core.System.AddFolders = "C:\\a|\"C:\\b c\"";
    o.Core.System.AddExts = "*.tmp|*.~*";
    o.Core.System.DaysOlder = 9;
    config.Save();
  }
  const TOptions o = Loaded();
  EXPECT_NEAR(o.UpdateTime, 39887.6010763889, 1.0 / 86400);
  EXPECT_DOUBLE_EQ(o.OperTime, 40000.0);
  EXPECT_EQ(o.ObjsFound, 123456789012LL);
  EXPECT_EQ(o.ObjsRem, -7);
  EXPECT_EQ(o.SizeRem, 5000000000LL);
  EXPECT_EQ(o.Main.LngFile, "Portugu\xEAs.lng");
  EXPECT_EQ(o.LogLevel, 3);
  EXPECT_EQ(o.MaxRetention, 16);
  EXPECT_EQ(o.Core.Cookies.DefsFile, "C:\\My Defs\\a&b <x>.def");
  EXPECT_EQ(o.Core.WinUpdatesDays, 0);
  EXPECT_EQ(o.Core.PrefetchDays, -3);
  EXPECT_EQ(o.Core.System.AddFolders, "C:\\a|\"C:\\b c\"");
  EXPECT_EQ(o.Core.System.AddExts, "*.tmp|*.~*");
  EXPECT_EQ(o.Core.System.DaysOlder, 9);
  EXPECT_DOUBLE_EQ(Loaded().UpdateTime, o.UpdateTime) << "a date read back is stable";
}

TEST_F(ConfigTest, ANonAsciiTextIsWrittenAsUtf8) {
  {
    TConfig config(FileName());
    config.Load();
    config.Options.Core.System.AddFolders = "C:\\Caf\xE9";
    config.Save();
  }
  EXPECT_NE(ReadFileBytes(SettingsPath()).find("<addfolders>C:\\Caf\xC3\xA9</addfolders>"),
            std::string::npos);
}

// The nearest single-byte form of these is a wildcard, a question mark or
// another letter: a folder or extension read that way names other files.
TEST_F(ConfigTest, ATextTheCodePageCannotHoldExactlyTakesItsDefault) {
  const char* texts[] = {
      "C:\\Data\\\xEF\xBC\x8A",  // full-width asterisk
      "\xEF\xBC\x9F.log",           // full-width question mark
      "C:\\\xE4\xB8\xAD",         // a letter that has no single-byte form
      "C:\\\xC4\x81",              // a letter with a look-alike
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    WriteSettings(std::string("<core><system><selfolders>true</selfolders><addfolders>") + text +
                  "</addfolders><addexts>" + text + "</addexts></system></core>");
    const TOptions o = Loaded();
    EXPECT_EQ(o.Core.System.AddFolders, "");
    EXPECT_EQ(o.Core.System.AddExts, "");
    EXPECT_TRUE(o.Core.System.SelFolders) << "the other values are still read";
  }
  WriteSettings("<core><system><addfolders>C:\\Caf\xC3\xA9</addfolders></system></core>");
  EXPECT_EQ(Loaded().Core.System.AddFolders, "C:\\Caf\xE9");
}

TEST_F(ConfigTest, AFailedWriteOfTheTemporaryFileKeepsTheOldFile) {
  TConfig config(FileName());
  config.Load();
  const std::string before = ReadFileBytes(SettingsPath());
  config.Options.LogLevel = 1;
  const std::string temporary = SettingsPath() + ".tmp";
  ASSERT_TRUE(::CreateDirectoryA(temporary.c_str(), nullptr));
  EXPECT_THROW(config.Save(), EXMLFileError);
  EXPECT_TRUE(::RemoveDirectoryA(temporary.c_str())) << "the folder in its place is untouched";
  EXPECT_EQ(ReadFileBytes(SettingsPath()), before);
}

TEST_F(ConfigTest, ForeignTitleOrVersionIsReplacedByDefaults) {
  const char* headers[] = {
      "<application title=\"Quillmere Pro\" version=\"1.0\">",
      "<application title=\"quillmere pro\" version=\"1.1\">",
      "<application version=\"1.0\">",
      "<application title=\"quillmere pro\">",
      "<settings title=\"quillmere pro\" version=\"1.0\">",
  };
  for (const char* header : headers) {
    SCOPED_TRACE(header);
    const std::string root = std::string(header).substr(1, std::string(header).find(' ') - 1);
    WriteFileBytes(SettingsPath(), std::string(header) +
                                       "<options><log><level>2</level></log></options></" + root +
                                       ">");
    EXPECT_EQ(Loaded().LogLevel, 6);
    EXPECT_EQ(ReadFileBytes(SettingsPath()).rfind(kHeader, 0), 0u) << "written at once";
  }
}

TEST_F(ConfigTest, MissingSectionsKeysAndUnreadableValuesTakeTheirDefaults) {
  WriteSettings(
      "<scan><hidepath>yes</hidepath><selfoundobjs>FALSE</selfoundobjs>"
      "<movereminrb>0</movereminrb><remobjsscanend>2</remobjsscanend></scan>"
      "<log><level>abc</level><maxretention>3</maxretention></log>"
      "<core><windows><winupdates>true</winupdates></windows><firefox><cache>false</cache>"
      "</firefox></core>");
  const TOptions o = Loaded();
  EXPECT_TRUE(o.HidePath) << "\"yes\" is no boolean";
  EXPECT_FALSE(o.SelFoundObjs);
  EXPECT_FALSE(o.MoveRemInRB);
  EXPECT_TRUE(o.RemObjsScanEnd) << "a non-zero number is true";
  EXPECT_EQ(o.LogLevel, 6);
  EXPECT_EQ(o.MaxRetention, 3);
  EXPECT_TRUE(o.Core.WinUpdates);
  EXPECT_EQ(o.Core.WinUpdatesDays, 30) << "a missing key reads as 30";
  EXPECT_FALSE(o.Core.FirefoxCache);
  EXPECT_FALSE(o.Core.FlockCache);
  EXPECT_FALSE(o.Core.FlockCookies);
  EXPECT_TRUE(o.Core.Cookies.Enabled) << "a missing section takes its defaults";
}

TEST_F(ConfigTest, StartupLanguageActsOnce) {
  WriteSettings("<main><lngfile>dutch.lng</lngfile></main>");
  WriteFileBytes(IniPath(), "[startup]\r\nfilename=spanish.lng\r\n");
  EXPECT_EQ(Loaded().Main.LngFile, "spanish.lng");
  EXPECT_FALSE(IsExistingFile(IniPath()));
  EXPECT_EQ(Loaded().Main.LngFile, "dutch.lng");

  WriteFileBytes(IniPath(), "[other]\r\nkey=1\r\n");
  EXPECT_EQ(Loaded().Main.LngFile, "dutch.lng");
  EXPECT_FALSE(IsExistingFile(IniPath())) << "deleted even without the key";
}

TEST_F(ConfigTest, PresetsSetOnlyTheCoreOptions) {
  TConfig config(FileName());
  config.Load();
  TOptions& o = config.Options;
  o.LogLevel = 2;
  o.Core.FlockCache = true;
  o.Core.FlockCookies = false;
  config.ApplyFastScan();
  EXPECT_TRUE(o.Core.FlockCache) << "Fast scan leaves Flock alone";
  EXPECT_FALSE(o.Core.FlockCookies);
  EXPECT_FALSE(o.Core.OeDeleted);
  EXPECT_FALSE(o.Core.System.FixedDrives);
  EXPECT_TRUE(o.Core.Temp);

  config.ApplyFullScan();
  EXPECT_TRUE(o.Core.Cookies.IndexDat && o.Core.ShowFiles && o.Core.IeIndexDat &&
              o.Core.IeUpdates && o.Core.OlDeleted && o.Core.OlJunk && o.Core.WinUpdates &&
              o.Core.WinUpdatesOptional && o.Core.FlockCache && o.Core.FlockCookies);
  EXPECT_FALSE(o.Core.System.SelFolders);

  config.ApplyInternetScan();
  EXPECT_FALSE(o.Core.Temp || o.Core.Mru || o.Core.RecentsWindows || o.Core.DbCache ||
               o.Core.WinTemp || o.Core.Prefetch || o.Core.OeDeleted);
  EXPECT_TRUE(o.Core.IeCache && o.Core.IeHistory && o.Core.FirefoxCookies && o.Core.FlockCache);

  config.ApplyDefaultScan();
  EXPECT_FALSE(o.Core.FlockCache);
  EXPECT_TRUE(o.Core.WinUpdatesOrphan);
  EXPECT_EQ(o.Core.WinUpdatesDays, 14);
  EXPECT_EQ(o.LogLevel, 2) << "presets touch nothing outside the core options";
}

TEST_F(ConfigTest, UnparsableFileIsKeptAsBad) {
  WriteFileBytes(SettingsPath() + ".bad", "older copy");
  WriteFileBytes(SettingsPath(), "<application title=\"quillmere pro\"><options>");
  EXPECT_EQ(Loaded().LogLevel, 6);
  EXPECT_EQ(ReadFileBytes(SettingsPath() + ".bad"),
            "<application title=\"quillmere pro\"><options>");
  EXPECT_EQ(ReadFileBytes(SettingsPath()).rfind(kHeader, 0), 0u);
}

TEST_F(ConfigTest, AFailedSaveKeepsTheOldFileAndTheOptions) {
  TConfig config(FileName());
  config.Load();
  const std::string before = ReadFileBytes(SettingsPath());
  config.Options.LogLevel = 1;
  TFileHandle lock(::CreateFileA(SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 0, nullptr));
  ASSERT_TRUE(lock.Valid());
  EXPECT_THROW(config.Save(), EXMLFileError);
  lock.Reset();
  EXPECT_EQ(ReadFileBytes(SettingsPath()), before);
  EXPECT_EQ(config.Options.LogLevel, 1);
}
