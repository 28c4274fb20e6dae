#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "lng/uLanguageFile.h"
#include "startup/uLanguage.h"
#include "tests/support/uTestSupport.h"
#include "ui/uCaptionKeys.h"

using namespace qlm;
using namespace qlm::lng;

namespace {

const char* const SHIPPED_FILES[] = {"english.lng", "dutch.lng", "italian.lng", "portbr.lng",
                                     "spanish.lng"};

TLanguageFile ReadShipped(const std::string& name) {
  TLanguageFile file;
  std::string error;
  EXPECT_TRUE(ReadLanguageFile(ReadFileBytes(ProgramFolder() + LNG_FOLDER + name), file, error))
      << name << ": " << error;
  return file;
}

std::set<std::string> KeysOf(const TLanguageFile& file) {
  std::set<std::string> keys;
  for (const auto& [key, text] : file.Texts) keys.insert(key);
  return keys;
}

std::string Difference(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::string listed;
  for (const std::string& key : a)
    if (!b.count(key)) listed += key + " ";
  return listed;
}

}  // namespace

TEST(LanguageFiles, EnglishHoldsExactlyTheKeysTheProgramReads) {
  std::set<std::string> program;
  for (std::string_view key : AllLanguageKeys()) program.emplace(key);
  std::set<std::string> english = KeysOf(ReadShipped("english.lng"));
  EXPECT_EQ(Difference(program, english), "") << "keys the program reads but english.lng lacks";
  EXPECT_EQ(Difference(english, program), "") << "keys of english.lng that nothing reads";
  EXPECT_EQ(std::size(MAIN_CAPTION_CONTROLS), 113u);
}

TEST(LanguageFiles, EveryLanguageTranslatesEveryKey) {
  std::set<std::string> english = KeysOf(ReadShipped("english.lng"));
  for (const char* name : SHIPPED_FILES) {
    TLanguageFile file = ReadShipped(name);
    std::set<std::string> keys = KeysOf(file);
    EXPECT_EQ(Difference(english, keys), "") << name << " lacks these keys";
    EXPECT_EQ(Difference(keys, english), "") << name << " has keys english.lng lacks";
    EXPECT_EQ(file.File, name) << "the file text is the file's own name";
    EXPECT_EQ(file.Default, std::string(name) == "english.lng") << name;
    for (const auto& [key, text] : file.Texts) EXPECT_FALSE(text.empty()) << name << ": " << key;
    // The days are formatted into this text, so it holds one "%d" and no
    // other conversion.
    const std::string& scanNeeded = file.Texts[KEY_STARTUP_STATUS_SCAN_NEEDED];
    EXPECT_EQ(std::count(scanNeeded.begin(), scanNeeded.end(), '%'), 1) << name;
    EXPECT_NE(scanNeeded.find("%d"), std::string::npos) << name;
  }
}

TEST(LanguageFiles, TheLibraryOpensAllFiveAndEnglishIsTheDefault) {
  std::unique_ptr<TLanguage> language = LoadLanguages(ProgramFolder(), ProgramFolder() + LNG_LIBRARY_FILE);
  ASSERT_EQ(language->Count(), static_cast<int>(std::size(SHIPPED_FILES)));
  std::string lngFile;
  TLanguageChoice choice = UpdateLanguages(*language, lngFile);
  EXPECT_EQ(lngFile, "english.lng");
  EXPECT_EQ(choice.Names[static_cast<std::size_t>(choice.Index)], "English");
  std::set<std::string> names(choice.Names.begin(), choice.Names.end());
  EXPECT_EQ(names, (std::set<std::string>{"English", "Nederlands", "Italiano",
                                          "Portugu\xEAs (Brasil)", "Espa\xF1ol"}));
  int spanish = language->IndexOfFile("spanish.lng");
  ASSERT_GE(spanish, 0);
  EXPECT_EQ(language->GetString(spanish, "bbScan"), "&Analizar");
  EXPECT_EQ(language->GetVersion(spanish), "1.0.0");
}
