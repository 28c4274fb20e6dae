#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "startup/uLocaleText.h"
#include "tests/support/uTestSupport.h"
#include "update/uCatalogue.h"
#include "update/uVersionStamp.h"

using namespace qlm;

namespace {

constexpr std::int64_t Text(std::int64_t a, std::int64_t b, std::int64_t c) {
  return a << 48 | b << 32 | c;
}
constexpr std::int64_t FileVersion(std::int64_t a, std::int64_t b, std::int64_t c,
                                   std::int64_t d) {
  return a << 48 | b << 32 | c << 16 | d;
}

TUpdateRecordEx Entry(std::int64_t id, int kind, std::int64_t value) {
  TUpdateRecordEx entry;
  entry.FileId = id;
  entry.Stamp = {kind, value};
  return entry;
}

}  // namespace

TEST(VersionStamp, ParseVersionLine) {
  const struct {
    const char* Line;
    std::int64_t Value;
  } cases[] = {
      {"[1.4.2]", Text(1, 4, 2)},
      {"[1.4.10]", Text(1, 4, 10)},
      {"[1.4]", Text(1, 4, 0)},
      {"[1.4.0]", Text(1, 4, 0)},
      {"[2.0.1] trailing words", Text(2, 0, 1)},
      {"[0.0.4294967]", Text(0, 0, 4294967)},
      {"[65535.65535.2147483647]", Text(65535, 65535, 2147483647)},
      {"[65574.3647]", 0},         // a wider than its 16 bits: would read as 38.3647
      {"[1.65536.0]", 0},          // b wider than its 16 bits
      {"[1.0.2147483648]", 0},     // c would show as a negative number
      {"[1]", 0},          // no "."
      {"[]", 0},           // empty
      {"[1..2]", 0},       // empty part
      {"[1.x.2]", 0},      // not a number
      {"[1.4.2.7]", 0},    // the third part "2.7" is no number
      {"1.4.2", 0},        // no brackets at all
      {"[-1.4.2]", 0},     // no sign allowed
      {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseVersionLine(c.Line), c.Value) << c.Line;
}

TEST(VersionStamp, FormatStamp) {
  const struct {
    TVersionStamp Stamp;
    const char* Text;
  } cases[] = {
      {{STAMP_FILE_VERSION, FileVersion(2, 0, 1, 0)}, "2.0.1.0"},
      {{STAMP_FILE_VERSION, FileVersion(65535, 1, 2, 65535)}, "65535.1.2.65535"},
      {{STAMP_TEXT_VERSION, Text(1, 4, 10)}, "1.4.10"},
      {{STAMP_TEXT_VERSION, Text(3, 0, 100000)}, "3.0.100000"},
      {{STAMP_FILE_TIME, 129067776000000000}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatStamp(c.Stamp), c.Text) << c.Text;
}

// The installed copy against the site's entry, compared by value alone.
TEST(VersionStamp, IsNewerAgainstInstalledFiles) {
  TTempFolder program;
  ASSERT_TRUE(::CreateDirectoryA((program.Path() + "languages").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryA((program.Path() + "defines").c_str(), nullptr));
  WriteFileBytes(program.Path() + "languages\\english.lng", "[1.4.2]\r\nx=y\r\n");
  WriteFileBytes(program.Path() + "languages\\dutch.lng", "[1.4]\r\n");
  WriteFileBytes(program.Path() + "defines\\cookies.def", "");
  const std::string versioned = FixtureFolder("versioned");

  const struct {
    const char* Case;
    std::string Folder;
    TUpdateRecordEx Entry;
    bool Newer;
  } cases[] = {
      {"[1.4.2] vs [1.4.10]", program.Path(), Entry(11, STAMP_TEXT_VERSION, Text(1, 4, 10)), true},
      {"[1.4.2] vs [1.4.2]", program.Path(), Entry(11, STAMP_TEXT_VERSION, Text(1, 4, 2)), false},
      {"[1.4] vs [1.4.0]", program.Path(), Entry(10, STAMP_TEXT_VERSION, Text(1, 4, 0)), false},
      {"empty definition file", program.Path(), Entry(7, STAMP_TEXT_VERSION, 1), true},
      {"missing language file", program.Path(), Entry(12, STAMP_TEXT_VERSION, 1), true},
      {"2.0.0.1 vs 2.0.0.1", versioned,
       Entry(1, STAMP_FILE_VERSION, FileVersion(2, 0, 0, 1)), false},
      {"2.0.0.1 vs 2.0.1.0", versioned,
       Entry(1, STAMP_FILE_VERSION, FileVersion(2, 0, 1, 0)), true},
      {"missing helper program", program.Path(), Entry(2, STAMP_FILE_TIME, 1), true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsNewer(c.Entry, c.Folder), c.Newer) << c.Case;
}

TEST(VersionStamp, ReadInstalledStampKinds) {
  TTempFolder folder;
  WriteFileBytes(folder.Path() + "windows.DEF", "[3.1.4]\r\n");
  WriteFileBytes(folder.Path() + "delete.bin", "plain bytes");
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(::GetFileAttributesExA((folder.Path() + "delete.bin").c_str(),
                                     GetFileExInfoStandard, &data));

  const TVersionStamp text = ReadInstalledStamp(folder.Path() + "windows.DEF");
  EXPECT_EQ(text.Kind, STAMP_TEXT_VERSION);
  EXPECT_EQ(text.Value, Text(3, 1, 4));

  const TVersionStamp time = ReadInstalledStamp(folder.Path() + "delete.bin");
  EXPECT_EQ(time.Kind, STAMP_FILE_TIME);
  EXPECT_EQ(time.Value, static_cast<std::int64_t>(
                            std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 |
                            data.ftLastWriteTime.dwLowDateTime));

  const TVersionStamp version = ReadInstalledStamp(FixtureFolder("versioned") + "quillmere.exe");
  EXPECT_EQ(version.Kind, STAMP_FILE_VERSION);
  EXPECT_EQ(FormatStamp(version), "2.0.0.1");
}

TEST(VersionStamp, IdentifierOutsideTheTableIsARangeError) {
  TTempFolder program;
  EXPECT_THROW(IsNewer(Entry(0, STAMP_TEXT_VERSION, 1), program.Path()), std::out_of_range);
  EXPECT_THROW(IsNewer(Entry(16, STAMP_TEXT_VERSION, 1), program.Path()), std::out_of_range);
}

// Midnight of 1 January 2010 as a file time shows the date alone, whatever
// the time zone.
TEST(VersionStamp, EntryDateAtMidnightShowsNoTime) {
  SYSTEMTIME day{};
  day.wYear = 2010;
  day.wMonth = 1;
  day.wDay = 1;
  EXPECT_EQ(FileTimeToText(129067776000000000ULL), ShortDateText(day));
}
