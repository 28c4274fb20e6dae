#include <gtest/gtest.h>

#include "startup/uLocaleText.h"
#include "startup/uMiscLoad.h"
#include "startup/uProcess.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

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
  EXPECT_TRUE(RunProgram("cmd.exe", "/c echo done> \"" + marker + "\"", true));
  EXPECT_TRUE(IsExistingFile(marker));
}

TEST(Shared, RunProgramIgnoresAMissingProgram) {
  EXPECT_FALSE(RunProgram("C:\\no\\such\\program.exe", "", true));
  SUCCEED();
}
