#include <gtest/gtest.h>

#include <string>

#include "lng/uLanguageFile.h"

using namespace qlm;
using namespace qlm::lng;

namespace {

const std::string HEADER =
    "[1.2.3]\r\n"
    "[Language]\r\n"
    "Name = Test\r\n"
    "File = test.lng\r\n"
    "CodePage = 1252\r\n";

}  // namespace

TEST(LanguageFile, ReadsHeaderTextsEscapesAndComments) {
  const std::string bytes = HEADER +
                            "Default = 1\r\n"
                            "; a comment\r\n"
                            "\r\n"
                            "[Texts]\r\n"
                            "  bbScan   =  Scan  \r\n"
                            "Multi = one\\ntwo\r\n"
                            "Path = C:\\\\new\\temp\r\n"
                            "Equal = a = b\r\n"
                            "Empty =\r\n"
                            "  ; indented comment\n"
                            "Last = no line end";
  TLanguageFile file;
  std::string error;
  ASSERT_TRUE(ReadLanguageFile(bytes, file, error)) << error;
  EXPECT_EQ(file.Version, "1.2.3");
  EXPECT_EQ(file.Name, "Test");
  EXPECT_EQ(file.File, "test.lng");
  EXPECT_EQ(file.CodePage, 1252u);
  EXPECT_TRUE(file.Default);
  EXPECT_EQ(LanguageText(file, "bbScan"), "Scan");
  EXPECT_EQ(LanguageText(file, "Multi"), "one\r\ntwo");
  EXPECT_EQ(LanguageText(file, "Path"), "C:\\new\\temp");
  EXPECT_EQ(LanguageText(file, "Equal"), "a = b");
  EXPECT_EQ(LanguageText(file, "Empty"), "");
  EXPECT_EQ(LanguageText(file, "Last"), "no line end");
  EXPECT_EQ(file.Texts.size(), 6u);
}

TEST(LanguageFile, MissingKeysReadAsTheKeyInBracketsAndKeysMatchExactly) {
  TLanguageFile file;
  std::string error;
  ASSERT_TRUE(ReadLanguageFile(HEADER + "[Texts]\nbbScan = Scan\n", file, error)) << error;
  EXPECT_FALSE(file.Default) << "no Default field means not the default";
  EXPECT_EQ(LanguageText(file, "bbStop"), "[bbStop]");
  EXPECT_EQ(LanguageText(file, "bbscan"), "[bbscan]");
  EXPECT_EQ(LanguageText(file, ""), "[]");
}

TEST(LanguageFile, ABrokenFileIsRefusedWhole) {
  struct TCase {
    const char* what;
    std::string bytes;
  };
  const std::string texts = "[Texts]\nkey = text\n";
  const TCase cases[] = {
      {"empty file", ""},
      {"no version line", "[Language]\nName = A\nFile = a\nCodePage = 1252\n" + texts},
      {"version without a dot", "[1]\n[Language]\nName = A\nFile = a\nCodePage = 1252\n" + texts},
      {"version with a letter", "[1.0a]\n[Language]\nName = A\nFile = a\nCodePage = 1252\n" + texts},
      {"texts section missing", HEADER},
      {"header section missing", "[1.0.0]\n" + texts},
      {"sections in the wrong order", "[1.0.0]\n" + texts + "[Language]\nName = A\n"},
      {"texts section twice", HEADER + texts + texts},
      {"unknown section", HEADER + "[Other]\n" + texts},
      {"no Name", "[1.0]\n[Language]\nFile = a\nCodePage = 1252\n" + texts},
      {"no File", "[1.0]\n[Language]\nName = A\nCodePage = 1252\n" + texts},
      {"no CodePage", "[1.0]\n[Language]\nName = A\nFile = a\n" + texts},
      {"CodePage not a number", "[1.0]\n[Language]\nName = A\nFile = a\nCodePage = x1\n" + texts},
      {"CodePage zero", "[1.0]\n[Language]\nName = A\nFile = a\nCodePage = 0\n" + texts},
      {"unknown header field", HEADER + "Defualt = 1\n" + texts},
      {"repeated header field", HEADER + "Name = B\n" + texts},
      {"Default neither 0 nor 1", HEADER + "Default = yes\n" + texts},
      {"line without =", HEADER + texts + "just words\n"},
      {"field without a name", HEADER + texts + " = text\n"},
      {"repeated key", HEADER + texts + "key = again\n"},
      {"zero byte", HEADER + texts + std::string("bad = a\0b\n", 10)},
      {"binary content", HEADER + texts + "\x01\x02\x03\x04\n"},
      {"lone carriage return", HEADER + texts + "a = b\rc = d\n"},
  };
  for (const TCase& c : cases) {
    TLanguageFile file;
    file.Name = "untouched";
    std::string error;
    EXPECT_FALSE(ReadLanguageFile(c.bytes, file, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_EQ(file.Name, "untouched") << c.what << ": never half-read";
    EXPECT_TRUE(file.Texts.empty()) << c.what;
  }
}
