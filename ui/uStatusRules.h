// What the running page and the status panels show, decided from the
// operation's outcome and the settings' dates: the kinds, their language
// keys, pictures and colours, the removed share, and the texts of times.
// Free of Windows headers; colours are 0xRRGGBB.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/uDateTime.h"

namespace qlm {

// The current status of the running page.
enum class TStatusKind { skScanRun, skCleanRun, skOperOk, skOperAbort, skOperError };

struct TStatusLook {
  const char* Key;
  unsigned Border;
  unsigned Band;
};
TStatusLook CurrStatusLook(TStatusKind kind);
// The kind an end message gives: an error before a stop.
TStatusKind EndStatusKind(bool error, bool aborted);

// The marks an operation leaves for the final status.
struct TOutcomeMarks {
  bool Error = false;
  bool FreeSpace = false;
  bool Aborted = false;
  bool NoFound = false;
  bool MajorObjs = false;
};

inline constexpr int END_IMAGE_OK = 0;
inline constexpr int END_IMAGE_WARNING = 1;
inline constexpr int END_IMAGE_ERROR = 2;

struct TFinalLook {
  const char* Key;
  int Image;
  unsigned Border;
  unsigned Band;
};
// The first row of the final-status table whose mark is set.
TFinalLook FinalStatusLook(const TOutcomeMarks& marks);

// The share of the found size that is gone, in whole percent truncated
// towards zero; 99 when nothing of any size was found.
std::int64_t RemovedPercent(std::int64_t sizeFound, std::int64_t sizeRem);
// Sets FreeSpace below 90 percent, else MajorObjs below 100.
void MarkRemovedShare(std::int64_t percent, TOutcomeMarks& marks);

// The start-up marks, computed once from the settings' dates.
struct TStartupMarks {
  int DaysSinceScan = 0;
  bool ScanOverdue = false;
  bool NeverScanned = false;
  bool UpdateOverdue = false;
};
TStartupMarks StartupMarks(TDateTime operTime, TDateTime updateTime, TDateTime now);

enum class TStartupKind { None, FirstScan, ScanNeeded, CheckUpdate };
TStartupKind StartupKind(const TStartupMarks& marks);

struct TStartupLook {
  const char* Key;
  unsigned Band;
  unsigned Border;
  // btnScanNow in front, else btnCheckUpdate.
  bool ScanNow;
};
TStartupLook StartupLook(TStartupKind kind);

inline constexpr char SCAN_NEEDED_DEFAULT[] = "%d days are elapsed from the last system analysis.";
// The scan-overdue text with the days put in place of its "%d"; a text
// without "%d" is replaced by the built-in one. Only that one placeholder
// is filled: a language file's text is never used as a format.
std::string ScanNeededText(std::string_view languageText, int days);

// "hh.nn" of a date-time's time of day.
std::string ClockText(TDateTime moment);
// "hh.nn.ss" of a span; whole hours keep counting past a day.
std::string ElapsedText(TDateTime span);
// "yyyy/mm/dd hh:nn", or "0" for a date-time of 0.
std::string LastScanText(TDateTime moment);

// The Recycle Bin's hint for a bin that holds objects: two lines.
std::string RecycleBinHint(std::string_view objectsLabel, std::int64_t count,
                           std::string_view sizeLabel, std::string_view sizeText);

}  // namespace qlm
