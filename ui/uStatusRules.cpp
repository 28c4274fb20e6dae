#include "ui/uStatusRules.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "base/uDateTime.h"
#include "base/uText.h"
#include "ui/uCaptionKeys.h"

namespace qlm {

namespace {
constexpr unsigned kGreyBorder = 0xA0A096;
constexpr unsigned kGreyBand = 0xE8E7E3;
constexpr unsigned kAmberBorder = 0xECBB00;
constexpr unsigned kAmberBand = 0xFDBB00;
constexpr unsigned kRedBorder = 0xBB0000;
constexpr unsigned kRedBand = 0xDD0000;
constexpr unsigned kGreenBorder = 0x229900;
constexpr unsigned kGreenBand = 0x22BB00;

constexpr int kScanOverdueDays = 8;
constexpr int kUpdateOverdueDays = 15;

// Whole days between two date-times, truncated towards zero and held to the
// 32-bit range.
int WholeDays(TDateTime from, TDateTime to) {
  const double days = std::trunc(to - from);
  if (days > 2147483647.0) return 2147483647;
  if (days < -2147483647.0) return -2147483647;
  return static_cast<int>(days);
}
}  // namespace

TStatusLook CurrStatusLook(TStatusKind kind) {
  switch (kind) {
    case TStatusKind::skScanRun:
      return {KEY_CURR_STATUS_SCAN_RUN, kGreyBorder, kGreyBand};
    case TStatusKind::skCleanRun:
      return {KEY_CURR_STATUS_CLEAN_RUN, kGreyBorder, kGreyBand};
    case TStatusKind::skOperAbort:
      return {KEY_CURR_STATUS_OPER_ABORT, kAmberBorder, kAmberBand};
    case TStatusKind::skOperError:
      return {KEY_CURR_STATUS_OPER_ERROR, kRedBorder, kRedBand};
    case TStatusKind::skOperOk:
      break;
  }
  return {KEY_CURR_STATUS_OPER_OK, kGreyBorder, kGreyBand};
}

TStatusKind EndStatusKind(bool error, bool aborted) {
  if (error) return TStatusKind::skOperError;
  return aborted ? TStatusKind::skOperAbort : TStatusKind::skOperOk;
}

TFinalLook FinalStatusLook(const TOutcomeMarks& marks) {
  if (marks.Error) return {KEY_FINAL_STATUS_OPER_ERROR, END_IMAGE_ERROR, kRedBorder, kRedBand};
  if (marks.FreeSpace) {
    return {KEY_FINAL_STATUS_FREE_SPACE, END_IMAGE_WARNING, kAmberBorder, kAmberBand};
  }
  if (marks.Aborted) return {KEY_FINAL_STATUS_OPER_ABORT, END_IMAGE_WARNING, kAmberBorder, kAmberBand};
  if (marks.NoFound) return {KEY_FINAL_STATUS_NO_FOUND, END_IMAGE_OK, kGreenBorder, kGreenBand};
  if (marks.MajorObjs) return {KEY_FINAL_STATUS_MAJOR_OBJS, END_IMAGE_OK, kGreenBorder, kGreenBand};
  return {KEY_FINAL_STATUS_ALL_REM, END_IMAGE_OK, kGreenBorder, kGreenBand};
}

std::int64_t RemovedPercent(std::int64_t sizeFound, std::int64_t sizeRem) {
  if (sizeFound <= 0) return 99;
  // Sizes up to 2^63 / 100 bytes (92 PB) multiply without overflow; a share
  // of larger sizes is near enough in floating point.
  constexpr std::int64_t kExactLimit = std::numeric_limits<std::int64_t>::max() / 100;
  if (sizeRem > kExactLimit || sizeRem < -kExactLimit) {
    return static_cast<std::int64_t>(static_cast<double>(sizeRem) * 100.0 /
                                     static_cast<double>(sizeFound));
  }
  return sizeRem * 100 / sizeFound;
}

void MarkRemovedShare(std::int64_t percent, TOutcomeMarks& marks) {
  if (percent < 90) {
    marks.FreeSpace = true;
  } else if (percent < 100) {
    marks.MajorObjs = true;
  }
}

TStartupMarks StartupMarks(TDateTime operTime, TDateTime updateTime, TDateTime now) {
  TStartupMarks marks;
  marks.DaysSinceScan = WholeDays(operTime, now);
  marks.ScanOverdue = marks.DaysSinceScan > kScanOverdueDays;
  marks.NeverScanned = operTime == 0;
  marks.UpdateOverdue = WholeDays(updateTime, now) > kUpdateOverdueDays;
  return marks;
}

TStartupKind StartupKind(const TStartupMarks& marks) {
  if (marks.NeverScanned) return TStartupKind::FirstScan;
  if (marks.ScanOverdue) return TStartupKind::ScanNeeded;
  if (marks.UpdateOverdue) return TStartupKind::CheckUpdate;
  return TStartupKind::None;
}

TStartupLook StartupLook(TStartupKind kind) {
  switch (kind) {
    case TStartupKind::FirstScan:
      return {KEY_STARTUP_STATUS_FIRST_SCAN, kAmberBand, kAmberBorder, true};
    case TStartupKind::ScanNeeded:
      return {KEY_STARTUP_STATUS_SCAN_NEEDED, kAmberBand, kAmberBorder, true};
    case TStartupKind::CheckUpdate:
      return {KEY_STARTUP_STATUS_CHECK_UPDATE, 0x4B80BF, 0x101D2C, false};
    case TStartupKind::None:
      break;
  }
  return {nullptr, 0, 0, false};
}

std::string ScanNeededText(std::string_view languageText, int days) {
  const std::string value = std::to_string(days);
  std::string text(languageText);
  if (!FillPlaceholder(text, "%d", value)) {
    text = SCAN_NEEDED_DEFAULT;
    FillPlaceholder(text, "%d", value);
  }
  return text;
}

std::string ClockText(TDateTime moment) {
  const TDateParts parts = DateTimeToParts(moment);
  char text[8];
  std::snprintf(text, sizeof text, "%02d.%02d", parts.Hour, parts.Minute);
  return text;
}

std::string ElapsedText(TDateTime span) {
  const long long seconds = span > 0 ? std::llround(span * 86400000.0) / 1000 : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld.%02lld.%02lld", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text;
}

std::string LastScanText(TDateTime moment) {
  if (moment == 0) return "0";
  const TDateParts parts = DateTimeToParts(moment);
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", parts.Year, parts.Month, parts.Day,
                parts.Hour, parts.Minute);
  return text;
}

std::string RecycleBinHint(std::string_view objectsLabel, std::int64_t count,
                           std::string_view sizeLabel, std::string_view sizeText) {
  std::string hint(objectsLabel);
  hint += ": ";
  hint += std::to_string(count);
  hint += "\r\n";
  hint += sizeLabel;
  hint += ": ";
  hint += sizeText;
  return hint;
}

}  // namespace qlm
