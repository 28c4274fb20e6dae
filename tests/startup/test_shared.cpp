#include <gtest/gtest.h>

#include "startup/uLocaleText.h"
#include "startup/uProcess.h"
#include "startup/uShared.h"
#include "tests/support/uTestSupport.h"

TEST(Shared, FileTimeToDateTime) {
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(0), -109205.0);
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(864000000000ULL * 109205ULL), 0.0);
  // Noon of 31 December 1899.
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(864000000000ULL * 109206ULL + 432000000000ULL), 1.5);
}

TEST(Shared, ShortPath) {
  struct Case {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\Data\\Projects\\Old\\report.txt", "Projects\\Old\\report.txt"},
      {"C:\\a\\b\\c\\f.ext", "b\\c\\f.ext"},
      {"C:\\Old\\report.txt", "\\Old\\report.txt"},
      {"C:\\report.txt", "\\\\report.txt"},
      {"report.txt", "\\\\report.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(ShortPath(c.path), c.expected) << c.path;
}

TEST(Shared, DateTimeToParts) {
  struct Case {
    double value;
    TDateParts expected;
  } cases[] = {
      {0.0, {1899, 12, 30, 0, 0, 0, 0}},
      {39887.6010763889, {2009, 3, 15, 14, 25, 33, 0}},
      {-109205.0, {1601, 1, 1, 0, 0, 0, 0}},
      {36526.75, {2000, 1, 1, 18, 0, 0, 0}},
      // A negative date-time's fraction is still the time of that day.
      {-1.25, {1899, 12, 29, 6, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const TDateParts p = DateTimeToParts(c.value);
    EXPECT_EQ(p.Year, c.expected.Year) << c.value;
    EXPECT_EQ(p.Month, c.expected.Month) << c.value;
    EXPECT_EQ(p.Day, c.expected.Day) << c.value;
    EXPECT_EQ(p.Hour, c.expected.Hour) << c.value;
    EXPECT_EQ(p.Minute, c.expected.Minute) << c.value;
    EXPECT_EQ(p.Second, c.expected.Second) << c.value;
  }
}

TEST(Shared, FileTimeToTextLeavesOutMidnight) {
  SYSTEMTIME day{};
  day.wYear = 2009;
  day.wMonth = 3;
  day.wDay = 15;
  const std::string date = ShortDateText(day);
  ASSERT_FALSE(date.empty());

  const std::uint64_t midnight = 864000000000ULL * (109205ULL + 39887ULL);
  EXPECT_EQ(FileTimeToText(midnight), date);

  SYSTEMTIME afternoon = day;
  afternoon.wHour = 14;
  afternoon.wMinute = 25;
  afternoon.wSecond = 30;
  const std::uint64_t at1425 = midnight + (14ULL * 3600 + 25 * 60 + 30) * 10000000ULL;
  EXPECT_EQ(FileTimeToText(at1425), date + " " + LongTimeText(afternoon));
}

TEST(Shared, MiscTextStopsAtTheZeroOrTheLength) {
  const char buffer[] = {'a', 'b', '\0', 'c'};
  EXPECT_EQ(MiscText(buffer, 4), "ab");
  EXPECT_EQ(MiscText(buffer, 1), "a");
  EXPECT_EQ(MiscText(buffer, 0), "");
  EXPECT_EQ(MiscText(nullptr, 4), "");
}

TEST(Shared, RunProgramWaitsForTheProgram) {
  TTempFolder folder;
  const std::string marker = folder.Path() + "ran.txt";
  RunProgram("cmd.exe", "/c echo done> \"" + marker + "\"", true);
  EXPECT_TRUE(FileExists(marker));
}

TEST(Shared, RunProgramIgnoresAMissingProgram) {
  RunProgram("C:\\no\\such\\program.exe", "", true);
  SUCCEED();
}
