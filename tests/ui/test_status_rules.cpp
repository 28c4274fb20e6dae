// The decisions behind the running page and the status panels, without a
// window.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "ui/uCaptionKeys.h"
#include "ui/uStatusRules.h"

using namespace qlm;

namespace {
constexpr double kSecond = 1.0 / 86400;
}  // namespace

TEST(StatusRules, FinalStatusTakesTheFirstMarkOfItsOrder) {
  struct Case {
    TOutcomeMarks Marks;
    const char* Key;
    int Image;
    unsigned Border;
  } cases[] = {
      {{true, true, true, true, true}, KEY_FINAL_STATUS_OPER_ERROR, END_IMAGE_ERROR, 0xBB0000},
      {{false, true, true, true, true}, KEY_FINAL_STATUS_FREE_SPACE, END_IMAGE_WARNING, 0xECBB00},
      {{false, false, true, true, true}, KEY_FINAL_STATUS_OPER_ABORT, END_IMAGE_WARNING, 0xECBB00},
      {{false, false, false, true, true}, KEY_FINAL_STATUS_NO_FOUND, END_IMAGE_OK, 0x229900},
      {{false, false, false, false, true}, KEY_FINAL_STATUS_MAJOR_OBJS, END_IMAGE_OK, 0x229900},
      {{}, KEY_FINAL_STATUS_ALL_REM, END_IMAGE_OK, 0x229900},
  };
  for (const Case& c : cases) {
    const TFinalLook look = FinalStatusLook(c.Marks);
    EXPECT_STREQ(look.Key, c.Key);
    EXPECT_EQ(look.Image, c.Image) << c.Key;
    EXPECT_EQ(look.Border, c.Border) << c.Key;
  }
  EXPECT_EQ(EndStatusKind(true, true), TStatusKind::skOperError);
  EXPECT_EQ(EndStatusKind(false, true), TStatusKind::skOperAbort);
  EXPECT_EQ(EndStatusKind(false, false), TStatusKind::skOperOk);
  EXPECT_EQ(CurrStatusLook(TStatusKind::skOperAbort).Band, 0xFDBB00u);
  EXPECT_EQ(CurrStatusLook(TStatusKind::skOperError).Band, 0xDD0000u);
}

TEST(StatusRules, RemovedShareSetsOneMark) {
  constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max() / 2;
  struct Case {
    std::int64_t Found, Removed, Percent;
    bool FreeSpace, MajorObjs;
  } cases[] = {
      {0, 0, 99, false, true},          // only empty files
      {-5, 0, 99, false, true},
      {400, 0, 0, true, false},          // finish right after a scan
      {1000, 899, 89, true, false},
      {1000, 900, 90, false, true},
      {1000, 950, 95, false, true},
      {1000, 999, 99, false, true},
      {1000, 1000, 100, false, false},
      {kHuge, kHuge / 2, 50, true, false},  // no overflow past 92 PB
  };
  for (const Case& c : cases) {
    const std::int64_t percent = RemovedPercent(c.Found, c.Removed);
    EXPECT_EQ(percent, c.Percent) << c.Found << " " << c.Removed;
    TOutcomeMarks marks;
    MarkRemovedShare(percent, marks);
    EXPECT_EQ(marks.FreeSpace, c.FreeSpace) << c.Percent;
    EXPECT_EQ(marks.MajorObjs, c.MajorObjs) << c.Percent;
  }
}

TEST(StatusRules, StartupKindFollowsItsPrecedence) {
  const double now = 45000.75;
  struct Case {
    const char* Name;
    double OperTime, UpdateTime;
    TStartupKind Kind;
    int Days;
  } cases[] = {
      {"never scanned, update overdue too", 0, 0, TStartupKind::FirstScan, 45000},
      {"scanned 9 days ago", now - 9, now, TStartupKind::ScanNeeded, 9},
      {"a second short of 9 days", now - 9 + kSecond, now, TStartupKind::None, 8},
      {"8 days, update 16 days ago", now - 8, now - 16, TStartupKind::CheckUpdate, 8},
      {"8 days, update 15 days ago", now - 8, now - 15, TStartupKind::None, 8},
      {"8 days, never updated", now - 8, 0, TStartupKind::CheckUpdate, 8},
      {"a scan time ahead of the clock", now + 3, now, TStartupKind::None, -3},
  };
  for (const Case& c : cases) {
    const TStartupMarks marks = StartupMarks(c.OperTime, c.UpdateTime, now);
    EXPECT_EQ(StartupKind(marks), c.Kind) << c.Name;
    EXPECT_EQ(marks.DaysSinceScan, c.Days) << c.Name;
  }
  EXPECT_TRUE(StartupLook(TStartupKind::ScanNeeded).ScanNow);
  EXPECT_FALSE(StartupLook(TStartupKind::CheckUpdate).ScanNow);
  EXPECT_EQ(StartupLook(TStartupKind::CheckUpdate).Band, 0x4B80BFu);
}

TEST(StatusRules, ScanNeededTextFillsOnlyItsPlaceholder) {
  struct Case {
    const char* Language;
    const char* Shown;
  } cases[] = {
      {"The last scan was %d days ago.", "The last scan was 12 days ago."},
      {"No number here.", "12 days are elapsed from the last system analysis."},
      {"", "12 days are elapsed from the last system analysis."},
      {"%s and %n stay text, %d days", "%s and %n stay text, 12 days"},
      {"%d days, %d again", "12 days, %d again"},
  };
  for (const Case& c : cases) EXPECT_EQ(ScanNeededText(c.Language, 12), c.Shown) << c.Language;
}

TEST(StatusRules, TimesAndHintTexts) {
  const double moment = 45000.75 + (5 * 60 + 30) * kSecond;  // 2023-03-15 18:05:30
  EXPECT_EQ(ClockText(moment), "18.05");
  EXPECT_EQ(LastScanText(moment), "2023/03/15 18:05");
  EXPECT_EQ(LastScanText(0), "0");
  EXPECT_EQ(ElapsedText(0), "00.00.00");
  EXPECT_EQ(ElapsedText(3725 * kSecond), "01.02.05");
  EXPECT_EQ(ElapsedText(1.5), "36.00.00") << "hours go on past a day";
  EXPECT_EQ(ElapsedText(-kSecond), "00.00.00") << "a clock set back shows no negative span";
  EXPECT_EQ(RecycleBinHint("Objects", 3, "Size", "1.50 KB"), "Objects: 3\r\nSize: 1.50 KB");
}
