#include <gtest/gtest.h>

#include <algorithm>

#include "base/uMasks.h"
#include "base/uText.h"
#include "engine/uDefineFiles.h"
#include "engine/uDefineText.h"
#include "engine/uProgressQueue.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

TEST(DefineText, LinesAndFirstSection) {
  EXPECT_EQ(TextLines("[1.0]\r\na\rb\nc\r\n"), (std::vector<std::string>{"[1.0]", "a", "b", "c"}));
  EXPECT_EQ(TextLines("a\r\n\r\n b "), (std::vector<std::string>{"a", "", " b "}));
  EXPECT_TRUE(TextLines("").empty());
  const struct {
    const char* Text;
    const char* Name;
  } cases[] = {
      {"[1.4.2]\r\n*.tmp\r\n", "1.4.2"},
      {"; note\r\n  [ 2.0 ]  \r\n[3]\r\n", "2.0"},
      {"*.tmp\r\n[1.0.0]", "1.0.0"},
      {"[1.0\r\n", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstSectionName(c.Text), c.Name) << c.Text;
}

// An engine whose program folder holds the given definition files.
class TDefineFixture {
 public:
  TDefineFixture() {
    fApp = fScan.Root() + "app\\";
    MakeTree(fScan.Root(), {"app\\", "app\\defines\\"});
    TCoreInit init = fScan.Init();
    init.Options.Main.AppFolder = fApp;
    Core.SetInit(init);
  }
  void Write(const std::string& name, const std::string& text) {
    WriteFileBytes(fApp + "defines\\" + name, text);
  }
  std::string Defines() const { return fApp + "defines\\"; }
  std::vector<TLogLine> Entries() const { return fScan.Entries(); }
  TOptions& Options() { return Core.Options(); }
  TScanContext& Scan() { return Core.Context; }
  std::string App() const { return fApp; }
  std::string Root() const { return fScan.Root(); }

  TScanFixture fScan;
  TTestScan Core;

 private:
  std::string fApp;
};

bool Logged(const std::vector<TLogLine>& entries, const TLogLine& line) {
  return std::find(entries.begin(), entries.end(), line) != entries.end();
}

TEST(CookieDefinitions, LoadsTheEntriesAfterTheVersionLine) {
  TDefineFixture f;
  f.Write("cookies.def", "[1.4.2]\r\nads.example\r\ntrack.example\r\n");
  f.Options().Core.Cookies.Enabled = true;
  f.Options().Core.Cookies.UseDefault = true;
  EXPECT_TRUE(LoadCookieDefinitions(f.Scan()));
  EXPECT_EQ(f.Core.CookieDefs.Items, (std::vector<std::string>{"ads.example", "track.example"}));
  const std::vector<TLogLine> expected = {
      {5, "Loading Cookies list..."},
      {6, "Cleared list..."},
      {5, "Definition file: " + f.Defines() + "cookies.def"},
      {5, "Version: [1.4.2]"},
      {5, "Count: 2"},
  };
  EXPECT_EQ(f.Entries(), expected);
  EXPECT_EQ(GetDefineVersion(f.App(), "cookies.def"), "1.4.2");
  EXPECT_EQ(GetDefineVersion(f.App(), "missing.def"), "");
}

TEST(CookieDefinitions, FailureRows) {
  struct TCase {
    const char* Name;
    const char* Text;  // nullptr: no file
    bool Enabled, Firefox, UseDefault;
    bool Result, Raises, StillEnabled;
    size_t Entries;
  };
  const TCase cases[] = {
      {"not enabled, file missing", nullptr, false, false, true, true, false, false, 0},
      {"file missing", nullptr, true, false, true, false, true, true, 0},
      {"empty file disables", "", true, true, true, true, false, false, 0},
      {"version line only", "[1.0.0]\r\n", false, true, true, false, false, true, 0},
      {"user file", "[2.0]\r\nx.example\r\n", true, false, false, true, false, true, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TDefineFixture f;
    f.Write("cookies.def", "[1.0.0]\r\nown.example\r\nother.example\r\n");
    const std::string user = f.Root() + "mine.def";
    if (c.Text != nullptr) {
      WriteFileBytes(c.UseDefault ? f.Defines() + "cookies.def" : user, c.Text);
    } else {
      ::DeleteFileA((f.Defines() + "cookies.def").c_str());
    }
    f.Core.CookieDefs.Items = {"stale"};
    TCoreOptions& core = f.Options().Core;
    core.Cookies.Enabled = c.Enabled;
    core.FirefoxCookies = c.Firefox;
    core.Cookies.UseDefault = c.UseDefault;
    core.Cookies.DefsFile = user;
    if (c.Raises) {
      EXPECT_THROW(LoadCookieDefinitions(f.Scan()), EDefineFileError);
      continue;
    }
    EXPECT_EQ(LoadCookieDefinitions(f.Scan()), c.Result);
    EXPECT_EQ(f.Core.CookieDefs.Items.size(), c.Entries);
    EXPECT_EQ(core.Cookies.Enabled || core.FirefoxCookies, c.StillEnabled && (c.Enabled || c.Firefox));
  }
}

// The cookie file may be any file the user named: one over the limit is
// refused unread, with a line in the log, and so is the same file read alone.
TEST(CookieDefinitions, AFileOverTheLimitIsRefused) {
  TDefineFixture f;
  const std::string user = f.Root() + "huge.def";
  WriteFileBytes(user, "[1.0]\r\n" + std::string(DEFINE_FILE_LIMIT, 'x'));
  TCoreOptions& core = f.Options().Core;
  core.Cookies.Enabled = true;
  core.Cookies.UseDefault = false;
  core.Cookies.DefsFile = user;
  EXPECT_THROW(LoadCookieDefinitions(f.Scan()), EDefineFileError);
  EXPECT_TRUE(Logged(f.Entries(), {2, "Definition file larger than " +
                                          std::to_string(DEFINE_FILE_LIMIT) +
                                          " bytes, refused: " + user}));
  EXPECT_THROW(LoadDefineLines(user), EDefineFileError);
  EXPECT_EQ(ReadDefineFile(user), std::nullopt);
}

TEST(CookieDefinitions, LogLinesOfTheQuietRows) {
  TDefineFixture off;
  EXPECT_TRUE(LoadCookieDefinitions(off.Scan()));
  EXPECT_TRUE(Logged(off.Entries(), {4, "Cookies scan not enabled"}));
  TDefineFixture empty;
  empty.Write("cookies.def", "");
  empty.Options().Core.FirefoxCookies = true;
  empty.Options().Core.Cookies.UseDefault = true;
  EXPECT_TRUE(LoadCookieDefinitions(empty.Scan()));
  EXPECT_TRUE(Logged(empty.Entries(), {3, "Disabling cookies for this scan!"}));
}

// A missing cookie file ends the scan at its first step with the error's
// text; the end message still comes.
TEST(CookieDefinitions, MissingFileEndsTheScanAtItsFirstStep) {
  TDefineFixture f;
  TCore core;
  TCoreInit init = f.fScan.Init();
  init.Options.Main.AppFolder = f.App();
  init.Options.Core.Cookies.Enabled = true;
  init.Options.Core.Cookies.UseDefault = true;
  core.SetInit(init);
  core.SetOpType(OPTYPE_SCAN);
  FoundList.HandTo(TListSide::Worker);
  core.Run();
  ASSERT_TRUE(f.fScan.Recorder.PumpUntilEnd());
  const std::vector<TLogLine> entries = f.Entries();
  EXPECT_TRUE(Logged(entries, {1, "Cannot open file \"" + f.Defines() + "cookies.def\""}));
  EXPECT_FALSE(Logged(entries, {5, "2. Compile folders list"}));
  EXPECT_EQ(f.fScan.Recorder.Count(WM_CORE_SCAN_END), 1u);
}

TEST(JunkMasks, DefinitionFileThenTheUsersMasks) {
  struct TCase {
    const char* Name;
    const char* File;  // nullptr: no file
    bool UseDefExts;
    const char* AddExts;
    const char* Masks;
    bool Raises;
  };
  const TCase cases[] = {
      {"file and extra masks", "[1.0.0]\r\n*.tmp\r\n", true, "*.aa|*.bb", "*.tmp|*.aa|*.bb", false},
      {"entry with a blank is quoted", "[1.0.0]\r\n*.a b\r\n*.c\r\n", true, "", "\"*.a b\"|*.c", false},
      {"extra masks alone", nullptr, false, "*.x *.y", "*.x *.y", false},
      {"nothing", nullptr, false, "", "", false},
      {"missing file", nullptr, true, "", "", true},
      {"empty file", "", true, "*.x", "", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TDefineFixture f;
    if (c.File != nullptr) f.Write("extensions.def", c.File);
    f.Options().Core.System.UseDefExts = c.UseDefExts;
    f.Options().Core.System.AddExts = c.AddExts;
    if (c.Raises) {
      EXPECT_THROW(LoadJunkMasks(f.Scan()), EDefineFileError);
    } else {
      EXPECT_EQ(LoadJunkMasks(f.Scan()), c.Masks);
    }
  }
  TDefineFixture f;
  f.Write("extensions.def", "[1.2]\r\n*.tmp\r\n");
  f.Options().Core.System.UseDefExts = true;
  LoadJunkMasks(f.Scan());
  const std::vector<TLogLine> expected = {
      {5, "Definition file: " + f.Defines() + "extensions.def"},
      {5, "Version: [1.2]"},
      {5, "Count:1"},
  };
  EXPECT_EQ(f.Entries(), expected);
  // Split again as every '|' list is: two masks typed with a blank give two.
  EXPECT_EQ(SplitDelimited("\"*.a b\"|*.c *.d", '|').Items,
            (std::vector<std::string>{"*.a b", "*.c", "*.d"}));
}

TEST(WindowsLogMasks, OneMaskPerLineOrNone) {
  TDefineFixture f;
  f.Write("windows.def", "[1.0.0]\r\nsetup api.log\r\nKB*.log\r\n");
  const std::optional<TStringList> masks = LoadWindowsLogMasks(f.Scan());
  ASSERT_TRUE(masks);
  EXPECT_EQ(masks->Items, (std::vector<std::string>{"setup api.log", "KB*.log"}));
  f.Write("windows.def", "[1.0.0]\r\n");
  EXPECT_FALSE(LoadWindowsLogMasks(f.Scan()));
  ::DeleteFileA((f.Defines() + "windows.def").c_str());
  EXPECT_THROW(LoadWindowsLogMasks(f.Scan()), EDefineFileError);
}

// How the services library matches a cookie host against an entry: equal,
// or a subdomain of it.
bool HostMatches(std::string host, const std::string& entry) {
  host = LowerText(host);
  if (!host.empty() && host.front() == '.') host.erase(0, 1);
  const std::string e = LowerText(entry);
  if (e.find_first_of("*?[") != std::string::npos) return MatchesFileMask(host, e);
  return host == e || (host.size() > e.size() && host.ends_with("." + e));
}

// The files the program ships, as the build's program folder holds them.
TEST(ShippedDefinitions, VersionLinesAndSoundEntries) {
  const std::string defines = ProgramFolder() + "defines\\";
  for (const char* name : {"cookies.def", "extensions.def", "windows.def"}) {
    const std::vector<std::string> lines = LoadDefineLines(defines + name);
    ASSERT_GE(lines.size(), 2u) << name;
    EXPECT_EQ(lines.front(), "[1.0.0]") << name;
    EXPECT_EQ(GetDefineVersion(ProgramFolder(), name), "1.0.0") << name;
    for (std::size_t i = 1; i < lines.size(); ++i) {
      EXPECT_FALSE(lines[i].empty()) << name << " line " << i + 1;
      EXPECT_NO_THROW(MatchesFileMask("probe.name", lines[i])) << lines[i];
    }
  }
  const std::vector<std::string> cookies = LoadDefineLines(defines + "cookies.def");
  EXPECT_GE(cookies.size(), 151u);
  const char* ordinary[] = {"google.com",   "mail.google.com", "www.facebook.com", "yahoo.com",
                            "login.live.com", "microsoft.com", "amazon.com",       "ebay.com",
                            "twitter.com",  "linkedin.com",    "github.com",       "wikipedia.org",
                            "paypal.com",   "apple.com",       "bing.com",         "outlook.com",
                            "reddit.com",   "instagram.com",   "netflix.com",      "mail.ru"};
  for (std::size_t i = 1; i < cookies.size(); ++i) {
    for (const char* host : ordinary) EXPECT_FALSE(HostMatches(host, cookies[i])) << cookies[i];
  }
  EXPECT_TRUE(HostMatches(".ad.doubleclick.net", "doubleclick.net"));
  const char* kept[] = {"report.bak", "notes.old", "setup.log", "readme.txt", "photo.jpg",
                        "letter.doc", "data.db"};
  for (const std::string& mask : LoadDefineLines(defines + "extensions.def")) {
    for (const char* name : kept) EXPECT_FALSE(MatchesFileMask(name, mask)) << mask;
  }
  const std::vector<std::string> logs = LoadDefineLines(defines + "windows.def");
  for (std::size_t i = 1; i < logs.size(); ++i) {
    EXPECT_EQ(logs[i].find('\\'), std::string::npos) << logs[i];
  }
}

}  // namespace
