#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "startup/uLanguage.h"
#include "startup/uTrace.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

std::string LngLibrary() { return ProgramFolder() + LNG_LIBRARY_FILE; }

std::string LanguageBytes(const std::string& name, const std::string& file, bool isDefault,
                          const std::string& texts = "bbScan = Scan " + std::string("\r\n"),
                          const std::string& codePage = "1252") {
  return "[2.0.1]\r\n[Language]\r\nName = " + name + "\r\nFile = " + file +
         "\r\nCodePage = " + codePage + "\r\nDefault = " + (isDefault ? "1" : "0") +
         "\r\n[Texts]\r\n" + texts;
}

// Routes the process's log into a trace file of a temporary folder.
class TLogCapture {
 public:
  TLogCapture()
      : fTrace(std::make_unique<TTrace>(fFolder.Path() + "quillmere.exe", LVL_TRASH, false,
                                        "traces", "", 0)) {
    Trace = fTrace.get();
  }
  ~TLogCapture() { Trace = nullptr; }

  // How many logged lines end with `text`; the first call ends the capture.
  int CountEndingWith(const std::string& text) {
    if (fTrace) {
      Trace = nullptr;
      std::string file = fTrace->FileName();
      fTrace.reset();
      fLines = SplitLines(ReadFileBytes(file));
    }
    return static_cast<int>(std::count_if(fLines.begin(), fLines.end(), [&](const std::string& l) {
      return l.size() >= text.size() && l.compare(l.size() - text.size(), text.size(), text) == 0;
    }));
  }

 private:
  TTempFolder fFolder;
  std::unique_ptr<TTrace> fTrace;
  std::vector<std::string> fLines;
};

class LanguageTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = fFolder.Path() + name;
    WriteFileBytes(path, bytes);
    return path;
  }
  std::string Languages() const { return fFolder.Path() + LNG_FOLDER; }

  TTempFolder fFolder;
};

}  // namespace

TEST_F(LanguageTest, OpensLanguagesInOrderAndAnswersLookups) {
  TLanguage language(LngLibrary());
  ASSERT_TRUE(language.Loaded());
  EXPECT_EQ(language.GetString(0, "bbScan"), LNG_NULL_TEXT) << "no language open yet";
  EXPECT_TRUE(language.Open(Write("a.lng", LanguageBytes("Alpha", "a.lng", false))));
  EXPECT_TRUE(language.Open(Write("b.lng", LanguageBytes("Beta", "b.lng", true))));
  ASSERT_EQ(language.Count(), 2);
  EXPECT_TRUE(language.HasAnyLanguage());
  EXPECT_EQ(language.GetName(0), "Alpha");
  EXPECT_EQ(language.GetName(1), "Beta");
  EXPECT_EQ(language.GetFile(1), "b.lng");
  EXPECT_EQ(language.GetVersion(0), "2.0.1");
  EXPECT_EQ(language.GetString(1, "bbScan"), "Scan");
  EXPECT_EQ(language.GetString(1, "bbStop"), "[bbStop]") << "a missing text is never empty";
  EXPECT_EQ(language.GetDefault(), 1);

  language.CloseAll();
  EXPECT_EQ(language.Count(), 0);
  EXPECT_FALSE(language.HasAnyLanguage());
  EXPECT_EQ(language.GetString(0, "bbScan"), LNG_NULL_TEXT);
}

TEST_F(LanguageTest, AnIndexOutsideTheRangeIsRefused) {
  TLanguage language(LngLibrary());
  ASSERT_TRUE(language.Open(Write("a.lng", LanguageBytes("Alpha", "a.lng", false))));
  for (int index : {-1, 1}) {
    EXPECT_THROW(language.GetString(index, "bbScan"), std::out_of_range) << index;
    EXPECT_THROW(language.GetName(index), std::out_of_range) << index;
    EXPECT_THROW(language.GetFile(index), std::out_of_range) << index;
    EXPECT_THROW(language.GetVersion(index), std::out_of_range) << index;
  }
}

TEST_F(LanguageTest, WithoutADefaultMarkTheFirstLanguageIsTheDefault) {
  TLanguage language(LngLibrary());
  EXPECT_EQ(language.GetDefault(), 0) << "also with no language at all";
  language.Open(Write("a.lng", LanguageBytes("Alpha", "a.lng", false)));
  language.Open(Write("b.lng", LanguageBytes("Beta", "b.lng", false)));
  EXPECT_EQ(language.GetDefault(), 0);
}

TEST_F(LanguageTest, IndexOfFileComparesExactly) {
  TLanguage language(LngLibrary());
  language.Open(Write("a.lng", LanguageBytes("Alpha", "alpha.lng", false)));
  language.Open(Write("b.lng", LanguageBytes("Beta", "Beta.lng", false)));
  EXPECT_EQ(language.IndexOfFile("Beta.lng"), 1);
  EXPECT_EQ(language.IndexOfFile("alpha.lng"), 0);
  EXPECT_EQ(language.IndexOfFile("beta.lng"), -1) << "letter case counts";
  EXPECT_EQ(language.IndexOfFile("Alpha.lng"), -1);
  EXPECT_EQ(language.IndexOfFile(""), -1);
}

TEST_F(LanguageTest, TheLibraryCutsTextsToItsBuffers) {
  const std::string longText(1500, 'x');
  const std::string longName(100, 'n');
  TLanguage language(LngLibrary());
  ASSERT_TRUE(language.Open(Write("a.lng", LanguageBytes(longName, "a.lng", false,
                                                         "long = " + longText + "\r\n"))));
  EXPECT_EQ(language.GetString(0, "long"), longText.substr(0, LNG_TEXT_BUFFER));
  EXPECT_EQ(language.GetName(0), longName.substr(0, LNG_NAME_BUFFER));
}

TEST_F(LanguageTest, RefusedFilesGiveNoLanguage) {
  TLanguage language(LngLibrary());
  EXPECT_FALSE(language.Open(Write("broken.lng", "[Texts]\r\nkey = text\r\n")));
  EXPECT_FALSE(language.Open(Write("binary.lng", std::string("\0\1\2\3MZ", 6))));
  EXPECT_FALSE(language.Open(fFolder.Path() + "missing.lng"));
  EXPECT_FALSE(language.Open(Write("utf8.lng", LanguageBytes("U", "u.lng", false,
                                                             "k = v\r\n", "65001"))))
      << "a multi-byte code page is no single-byte language file";
  EXPECT_EQ(language.Count(), 0);
  EXPECT_FALSE(language.HasAnyLanguage());
}

TEST_F(LanguageTest, TextsArriveInTheSystemCodePage) {
  if (::GetACP() != 1252) GTEST_SKIP() << "the expected bytes are those of code page 1252";
  // 0x82 is e acute in code page 850 and 0xE9 in code page 1252.
  TLanguage language(LngLibrary());
  ASSERT_TRUE(language.Open(Write("oem.lng", LanguageBytes("Fran\x87" "ais", "oem.lng", false,
                                                           "k = caf\x82\r\n", "850"))));
  EXPECT_EQ(language.GetString(0, "k"), "caf\xE9");
  EXPECT_EQ(language.GetName(0), "Fran\xE7" "ais");
}

TEST_F(LanguageTest, ALibraryThatCannotServeCountsAsNotLoaded) {
  // misc.dll loads but lacks the seven exports; the second library is absent.
  for (const std::string& library : {ProgramFolder() + "misc.dll", fFolder.Path() + "lng.dll"}) {
    TLanguage language(library);
    EXPECT_FALSE(language.Loaded()) << library;
    EXPECT_FALSE(language.Open(Write("a.lng", LanguageBytes("Alpha", "a.lng", false))));
    EXPECT_EQ(language.GetString(0, "bbScan"), LNG_NULL_TEXT);
  }
}

TEST_F(LanguageTest, LoadingSkipsARefusedFileAndLogsIt) {
  ASSERT_TRUE(::CreateDirectoryA(Languages().c_str(), nullptr));
  Write(std::string(LNG_FOLDER) + "one.lng", LanguageBytes("One", "one.lng", false));
  Write(std::string(LNG_FOLDER) + "two.lng", "not a language file");
  Write(std::string(LNG_FOLDER) + "three.lng", LanguageBytes("Three", "three.lng", false));
  Write(std::string(LNG_FOLDER) + "notes.txt", LanguageBytes("Text", "notes.txt", false));
  Write(std::string(LNG_FOLDER) + "old.lngold", LanguageBytes("Old", "old.lngold", false));
  ASSERT_TRUE(::CreateDirectoryA((Languages() + "folder.lng").c_str(), nullptr));

  TLogCapture log;
  std::unique_ptr<TLanguage> language = LoadLanguages(fFolder.Path(), LngLibrary());
  ASSERT_EQ(language->Count(), 2);
  std::vector<std::string> names = {language->GetName(0), language->GetName(1)};
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"One", "Three"}));
  UnloadLanguages(language);
  EXPECT_EQ(language, nullptr);

  EXPECT_EQ(log.CountEndingWith("Loading languages..."), 1);
  EXPECT_EQ(log.CountEndingWith("FindFirst Language... " + Languages()), 1);
  EXPECT_EQ(log.CountEndingWith("Language File: two.lng"), 1);
  EXPECT_EQ(log.CountEndingWith("Language not loaded!"), 1);
  EXPECT_EQ(log.CountEndingWith("Language File: notes.txt"), 0);
  EXPECT_EQ(log.CountEndingWith("Language File: old.lngold"), 0)
      << "a longer extension never passes through its short name";
  EXPECT_EQ(log.CountEndingWith("Unloading languages..."), 1);
}

TEST_F(LanguageTest, NoLanguageFileLeavesNothingOpen) {
  auto language = LoadLanguages(fFolder.Path(), LngLibrary());
  EXPECT_EQ(language->Count(), 0) << "the caller ends the process with the error box";
}

TEST_F(LanguageTest, ChoosingTakesTheSettingsFileOrStoresTheDefault) {
  TLanguage language(LngLibrary());
  language.Open(Write("a.lng", LanguageBytes("Alpha", "a.lng", false)));
  language.Open(Write("b.lng", LanguageBytes("Beta", "b.lng", true)));

  std::string lngFile;
  TLanguageChoice choice = UpdateLanguages(language, lngFile);
  EXPECT_EQ(choice.Names, (std::vector<std::string>{"Alpha", "Beta"}));
  EXPECT_EQ(choice.Index, 1);
  EXPECT_EQ(lngFile, "b.lng") << "the default's file text goes into the settings";

  lngFile = "a.lng";
  EXPECT_EQ(UpdateLanguages(language, lngFile).Index, 0);
  // A stored file that is not among the loaded ones (letter case counts):
  // the default language speaks, and the stored choice stays.
  lngFile = "A.lng";
  EXPECT_EQ(UpdateLanguages(language, lngFile).Index, 1);
  EXPECT_EQ(lngFile, "A.lng") << "a stored text is never replaced";
}

TEST_F(LanguageTest, TheLibraryAnswersNothingForUnknownOrClosedHandles) {
  TModule library(::LoadLibraryA(LngLibrary().c_str()));
  ASSERT_TRUE(library);
  auto open = reinterpret_cast<LngOpenFn>(
      reinterpret_cast<void*>(::GetProcAddress(library.Get(), LNG_EXPORT_OPEN)));
  auto close = reinterpret_cast<LngCloseFn>(
      reinterpret_cast<void*>(::GetProcAddress(library.Get(), LNG_EXPORT_CLOSE)));
  auto getString = reinterpret_cast<LngGetStringFn>(
      reinterpret_cast<void*>(::GetProcAddress(library.Get(), LNG_EXPORT_GET_STRING)));
  ASSERT_TRUE(open && close && getString);

  LngHandle first = open(Write("a.lng", LanguageBytes("Alpha", "a.lng", false)).c_str());
  ASSERT_NE(first, 0u);
  LngHandle stale = first;
  EXPECT_EQ(close(&first), 1);
  EXPECT_EQ(first, 0u) << "closing clears the caller's variable";
  EXPECT_EQ(close(&stale), 0) << "a handle closes once";

  LngHandle second = open(Write("b.lng", LanguageBytes("Beta", "b.lng", false)).c_str());
  EXPECT_NE(second, stale) << "a closed handle never reaches another file";
  char buffer[LNG_TEXT_BUFFER] = "unchanged";
  EXPECT_EQ(getString(stale, "bbScan", buffer), 0);
  EXPECT_EQ(getString(second, nullptr, buffer), 0);
  EXPECT_EQ(open(nullptr), 0u);
  EXPECT_EQ(close(nullptr), 0);
  EXPECT_EQ(getString(second, "bbScan", buffer), 4);
  EXPECT_STREQ(buffer, "Scan");
  close(&second);
}
