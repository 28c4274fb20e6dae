// The shipped application script, read by a small INI reader of the test's
// own: its layout, its applications with their items, folders written with
// the known tokens, and masks that reach only junk.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/uMasks.h"
#include "base/uStringList.h"
#include "base/uText.h"
#include "engine/uCustomDefine.h"
#include "tests/engine/uEngineTestSupport.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

struct TSection {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Keys;  // names lower-cased, file order

  bool Has(const std::string& key) const {
    for (const auto& [name, value] : Keys)
      if (name == key) return true;
    return false;
  }
  std::string Value(const std::string& key) const {
    for (const auto& [name, value] : Keys)
      if (name == key) return value;
    return {};
  }
};

struct TScript {
  std::vector<std::string> Lines;
  std::vector<TSection> Sections;
  std::string Errors;  // lines that are neither blank, comment, section nor key
};

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// The INI layout: "[name]" opens a section, "key=value" belongs to the
// section above it, blank lines and lines beginning with ";" are skipped.
TScript ReadScript() {
  TScript script;
  script.Lines = SplitLines(ReadFileBytes(ProgramFolder() + "defines\\applications.script"));
  for (std::size_t i = 0; i < script.Lines.size(); ++i) {
    const std::string line = Trimmed(script.Lines[i]);
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      script.Sections.push_back({Trimmed(std::string_view(line).substr(1, line.size() - 2)), {}});
    } else if (equals != std::string::npos && equals > 0 && !script.Sections.empty()) {
      script.Sections.back().Keys.emplace_back(LowerText(Trimmed(line.substr(0, equals))),
                                               Trimmed(line.substr(equals + 1)));
    } else {
      script.Errors += "line " + std::to_string(i + 1) + ": " + line + "\n";
    }
  }
  return script;
}

const char* const ITEM_KEYS[] = {"folder_include", "extension_include", "extension_exclude",
                                 "folder_exclude", "subfolder",         "rem_emptyfolder",
                                 "search_key",     "search_exe"};

const char* const FOLDER_TOKENS[] = {
    "{localappdata}", "{operacache}", "{commonappdata}", "{sys}", "{win}",       "{profiles}",
    "{userprofile}",  "{appdata}",    "{pfcommon}",      "{pf}",  "{appinstall}"};

// Files that must never be reached: documents, settings, mail, bookmarks,
// saved games, histories. A .txt or .log outside a log folder may be a chat
// history; a .db may be a program's whole database.
const char* const KEPT_FILES[] = {"letter.doc",     "report.docx",   "budget.xls", "slides.ppt",
                                  "paper.pdf",      "photo.jpg",     "notes.txt",  "history.log",
                                  "settings.ini",   "user.dat",      "config.xml", "prefs.js",
                                  "bookmarks.html", "places.sqlite", "main.db",    "inbox.dbx",
                                  "outlook.pst",    "message.eml",   "game.sav"};

// A folder names itself as junk when its lower-cased path, with a closing
// backslash, holds one of these. Only in such a folder may a mask reach the
// files above (a cache holds pages and pictures of every kind, a log folder
// its .txt and .log files). "\temp\" is a whole name, as "Templates" holds
// the user's own templates.
const char* const JUNK_FOLDER_WORDS[] = {"cache",
                                         "\\temp\\",
                                         "\\temporary",
                                         "\\tmp\\",
                                         "log",
                                         "crash",
                                         "dump",
                                         "preview",
                                         "errorrep",
                                         "\\wer\\",
                                         "watson",
                                         "update\\",
                                         "\\softwaredistribution\\download\\"};

// Folders that the program's own categories search already; an application
// item inside one would list the same file twice.
const char* const OWNED_FOLDERS[] = {
    "{localappdata}\\temp\\",
    "{userprofile}\\local settings\\temp\\",
    "{win}\\temp\\",
    "{localappdata}\\crashdumps\\",
    "{localappdata}\\microsoft\\windows\\temporary internet files\\",
    "{userprofile}\\local settings\\temporary internet files\\",
    "{userprofile}\\cookies\\",
    "{userprofile}\\recent\\",
    "{appdata}\\microsoft\\office\\recent\\",
    "{appdata}\\mozilla\\firefox\\profiles\\",
    "{localappdata}\\mozilla\\firefox\\profiles\\",
    "{appdata}\\flock\\",
    "{localappdata}\\flock\\",
    "{win}\\prefetch\\",
    "{win}\\csc\\",
    "{win}\\debug\\usermode\\",
    "{sys}\\wbem\\logs\\",
    "{win}\\$hf_mig$\\",
    "{win}\\ie7updates\\",
    "{win}\\ie8updates\\"};

struct TItem {
  std::string Application;
  int Number = 0;
  std::string Folder;  // the folder_include, lower-cased, with a closing backslash
  bool SubFolder = false;
  std::string Include;
  std::string FolderExclude;
};

std::string Where(const TItem& item) {
  return item.Application + " item " + std::to_string(item.Number) + " (" + item.Folder + ")";
}

std::vector<TItem> ItemsOf(const TScript& script) {
  std::vector<TItem> items;
  for (std::size_t s = 1; s < script.Sections.size(); ++s) {
    const TSection& section = script.Sections[s];
    const int count = std::atoi(section.Value("items").c_str());
    for (int n = 0; n < count; ++n) {
      const std::string prefix = std::to_string(n) + ".";
      std::string folder = LowerText(section.Value(prefix + "folder_include"));
      if (folder.empty() || folder.back() != '\\') folder += '\\';
      items.push_back({section.Name, n, folder, section.Value(prefix + "subfolder") == "1",
                       section.Value(prefix + "extension_include"),
                       section.Value(prefix + "folder_exclude")});
    }
  }
  return items;
}

bool StartsWith(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}

bool IsJunkFolder(const std::string& folder) {
  for (const char* word : JUNK_FOLDER_WORDS)
    if (folder.find(word) != std::string::npos) return true;
  return false;
}

}  // namespace

TEST(ApplicationScript, IsPlainAsciiWithCrLfLineEnds) {
  const std::string bytes = ReadFileBytes(ProgramFolder() + "defines\\applications.script");
  ASSERT_FALSE(bytes.empty());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at byte " << i;
    } else if (c == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at byte " << i;
    } else {
      EXPECT_TRUE(c >= 32 && c < 127) << "byte " << i << " is " << static_cast<int>(c);
    }
  }
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(ApplicationScript, FirstLineIsTheVersionSection) {
  const TScript script = ReadScript();
  EXPECT_EQ(script.Errors, "");
  ASSERT_FALSE(script.Sections.empty());
  const std::string& version = script.Sections.front().Name;
  EXPECT_TRUE(std::regex_match(version, std::regex(R"(\d+\.\d+\.\d+)"))) << version;
  // The update catalogue reads the version from the first line itself.
  EXPECT_EQ(script.Lines.front(), "[" + version + "]");
}

TEST(ApplicationScript, EveryApplicationIsCompleteAndNamedOnce) {
  const TScript script = ReadScript();
  ASSERT_GE(script.Sections.size(), 31u) << "the version and at least 30 applications";
  std::set<std::string> names;
  for (std::size_t s = 1; s < script.Sections.size(); ++s) {
    const TSection& app = script.Sections[s];
    EXPECT_TRUE(names.insert(LowerText(app.Name)).second) << "section twice: " << app.Name;
    EXPECT_FALSE(app.Value("version").empty()) << app.Name;
    EXPECT_FALSE(app.Value("display").empty()) << app.Name;
    EXPECT_TRUE(app.Value("selected") == "0" || app.Value("selected") == "1") << app.Name;
    const std::string itemsText = app.Value("items");
    ASSERT_TRUE(std::regex_match(itemsText, std::regex("[1-9][0-9]*"))) << app.Name;
    const int items = std::stoi(itemsText);

    // Every key is known and written once; item keys name an item below
    // the count.
    std::set<std::string> keys;
    std::set<int> numbered;
    std::smatch parts;
    const std::regex itemKey(R"((\d+)\.([a-z_]+))");
    for (const auto& [key, value] : app.Keys) {
      EXPECT_TRUE(keys.insert(key).second) << app.Name << ": key twice: " << key;
      if (key == "version" || key == "display" || key == "selected" || key == "items") continue;
      ASSERT_TRUE(std::regex_match(key, parts, itemKey)) << app.Name << ": unknown key " << key;
      bool known = false;
      for (const char* name : ITEM_KEYS) known = known || parts[2] == name;
      EXPECT_TRUE(known) << app.Name << ": unknown key " << key;
      numbered.insert(std::stoi(parts[1]));
    }
    EXPECT_EQ(numbered.size(), static_cast<std::size_t>(items)) << app.Name;
    for (int n = 0; n < items; ++n) {
      const std::string prefix = std::to_string(n) + ".";
      EXPECT_TRUE(app.Has(prefix + "folder_include")) << app.Name << " item " << n;
      EXPECT_TRUE(app.Has(prefix + "extension_include")) << app.Name << " item " << n;
      for (const char* flag : {"subfolder", "rem_emptyfolder"}) {
        const std::string value = app.Value(prefix + flag);
        EXPECT_TRUE(value == "0" || value == "1") << app.Name << " " << prefix << flag;
      }
      const bool appInstall =
          StartsWith(LowerText(app.Value(prefix + "folder_include")), "{appinstall}");
      EXPECT_EQ(!app.Value(prefix + "search_key").empty(), appInstall) << app.Name << " " << n;
      EXPECT_EQ(!app.Value(prefix + "search_exe").empty(), appInstall) << app.Name << " " << n;
    }
  }
}

TEST(ApplicationScript, FoldersStartWithAKnownTokenAndStayOutOfOtherCategories) {
  const std::vector<TItem> items = ItemsOf(ReadScript());
  ASSERT_FALSE(items.empty());
  for (const TItem& item : items) {
    const std::size_t close = item.Folder.find('}');
    ASSERT_TRUE(item.Folder.front() == '{' && close != std::string::npos) << Where(item);
    const std::string token = item.Folder.substr(0, close + 1);
    const std::string rest = item.Folder.substr(close + 1);
    bool known = false;
    for (const char* name : FOLDER_TOKENS) known = known || token == name;
    EXPECT_TRUE(known) << Where(item);
    EXPECT_EQ(rest.front(), '\\') << Where(item);
    EXPECT_EQ(rest.find_first_of("{}|*?%/"), std::string::npos) << Where(item);
    // A whole special folder is never an item; only the Opera cache and a
    // program's own folder are folders of their own.
    if (rest == "\\") {
      EXPECT_TRUE(token == "{operacache}" || token == "{appinstall}") << Where(item);
    }
    for (const char* owned : OWNED_FOLDERS)
      EXPECT_FALSE(StartsWith(item.Folder, owned)) << Where(item);
    // The same file would be found by two items.
    for (const TItem& other : items) {
      if (&other == &item) continue;
      EXPECT_FALSE(item.Folder == other.Folder) << Where(item) << " and " << Where(other);
      EXPECT_FALSE(item.SubFolder && StartsWith(other.Folder, item.Folder))
          << Where(other) << " lies inside " << Where(item);
    }
  }
}

TEST(ApplicationScript, MasksReachOnlyJunk) {
  for (const TItem& item : ItemsOf(ReadScript())) {
    const TStringList masks = SplitDelimited(item.Include, '|');
    EXPECT_FALSE(masks.Items.empty()) << Where(item);
    // A blank inside a mask would cut it in two.
    EXPECT_EQ(DelimitedText(masks), item.Include) << Where(item);
    const bool junkFolder = IsJunkFolder(item.Folder);
    for (const std::string& mask : masks.Items) {
      for (const char* kept : KEPT_FILES) {
        EXPECT_FALSE(!junkFolder && MatchesFileMask(kept, mask))
            << Where(item) << ": " << mask << " reaches " << kept;
      }
    }
    // A folder exclusion is matched against a whole path ending in a
    // backslash.
    for (const std::string& mask : SplitDelimited(item.FolderExclude, '|').Items) {
      EXPECT_TRUE(mask.front() == '*' && mask.back() == '\\') << Where(item) << ": " << mask;
    }
  }
}

// The program's own reader takes in every application and every item that
// the file declares.
TEST(ApplicationScript, LoadsCompletelyThroughTheScriptReader) {
  const TScript script = ReadScript();
  const TCustomDefineList list = LoadCustomDefines(ProgramFolder());
  EXPECT_EQ(list.Version, script.Sections.front().Name);
  ASSERT_EQ(list.Items.size(), script.Sections.size() - 1);
  for (std::size_t i = 0; i < list.Items.size(); ++i) {
    const TCustomDefine& define = *list.Items[i];
    const TSection& section = script.Sections[i + 1];
    EXPECT_EQ(define.Name, section.Name);
    EXPECT_EQ(define.Category, OBJTYPE_CUSTOM + static_cast<int>(i));
    EXPECT_EQ(define.Version, section.Value("version"));
    EXPECT_EQ(define.Display, section.Value("display"));
    EXPECT_EQ(define.Selected, section.Value("selected") == "1") << define.Name;
    EXPECT_EQ(define.ItemCount, std::atoi(section.Value("items").c_str())) << define.Name;
    ASSERT_EQ(define.Items.size(), static_cast<std::size_t>(define.ItemCount)) << define.Name;
    for (int n = 0; n < define.ItemCount; ++n) {
      const std::string prefix = std::to_string(n) + ".";
      const TCustomInternal& item = define.GetItem(n);
      EXPECT_EQ(item.FolderInclude, section.Value(prefix + "folder_include"));
      EXPECT_EQ(item.ExtensionInclude, section.Value(prefix + "extension_include"));
      EXPECT_EQ(item.FolderExclude, section.Value(prefix + "folder_exclude"));
      EXPECT_EQ(item.ExtensionExclude, section.Value(prefix + "extension_exclude"));
      EXPECT_EQ(item.SubFolder, section.Value(prefix + "subfolder") == "1");
      EXPECT_EQ(item.RemEmptyFolder, section.Value(prefix + "rem_emptyfolder") == "1");
      EXPECT_EQ(item.SearchKey, section.Value(prefix + "search_key"));
      EXPECT_EQ(item.SearchExe, section.Value(prefix + "search_exe"));
    }
  }
}

// Every item of every application, all ticked, on this Wine prefix through
// the real services library: an existing folder becomes a folder item, any
// other is logged as invalid, and the scan goes on.
TEST(ApplicationScript, EveryFolderRuleResolvesOrIsLogged) {
  TScanFixture fixture;
  TRealMisc real;
  ASSERT_TRUE(real.Bound());
  TCustomDefineList list = LoadCustomDefines(ProgramFolder());
  ASSERT_FALSE(list.Items.empty());
  // One rule's folder made for the test, so that at least one resolves.
  TCore core;
  TCoreInit init = fixture.Init();
  core.SetInit(init);
  const TCustomInternal& first = list.Items.front()->GetItem(0);
  const std::string made = core.ScanContext().GetFolderCustomDefine(
      first.FolderInclude.substr(0, first.FolderInclude.find('}') + 1), "", "");
  ASSERT_FALSE(made.empty()) << first.FolderInclude;
  std::vector<std::string> createdFolders;
  std::string path = made;
  const std::string below = first.FolderInclude.substr(first.FolderInclude.find('}') + 1);
  for (std::string_view part : SplitAt(below, '\\')) {
    if (part.empty()) continue;
    path += std::string(part) + "\\";
    if (::CreateDirectoryA(path.c_str(), nullptr)) createdFolders.push_back(path);
  }
  std::size_t declared = 0;
  for (const auto& define : list.Items) {
    define->Selected = true;
    declared += define->Items.size();
  }
  init.Options.Core.CustomDefines = &list;
  core.SetInit(init);
  const bool compiled = core.CompileFolders();
  for (auto it = createdFolders.rbegin(); it != createdFolders.rend(); ++it) {
    ::RemoveDirectoryA(it->c_str());
  }
  ASSERT_TRUE(compiled);

  std::size_t added = 0;
  std::size_t invalid = 0;
  for (const TLogLine& line : fixture.Entries()) {
    if (line.Level == 4 && line.Text.find(": ADD ") != std::string::npos) ++added;
    if (line.Level == 2 && line.Text.find(" Invalid Folder_Include : ") != std::string::npos) {
      ++invalid;
    }
    EXPECT_NE(line.Level, 1) << line.Text;
  }
  EXPECT_EQ(added + invalid, declared);
  EXPECT_EQ(added, core.Folders().size());
  ASSERT_GE(added, 1u);
  EXPECT_EQ(core.Folders().front()->Folder, LowerText(path));
  for (const auto& item : core.Folders()) {
    EXPECT_TRUE(IsCustomCategory(item->Category));
    EXPECT_EQ(item->Folder.back(), '\\');
  }
}
