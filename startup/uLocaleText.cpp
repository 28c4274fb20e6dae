#include "startup/uLocaleText.h"

#include "startup/uShared.h"

namespace {

using TFormatFn = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int);

std::string FormatWith(TFormatFn format, DWORD flags, const SYSTEMTIME& time) {
  char text[128];
  const int written = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, text, sizeof text);
  return written > 0 ? std::string(text) : std::string();
}

}  // namespace

std::string ShortDateText(const SYSTEMTIME& time) {
  return FormatWith(::GetDateFormatA, DATE_SHORTDATE, time);
}

std::string LongTimeText(const SYSTEMTIME& time) {
  return FormatWith(::GetTimeFormatA, 0, time);
}

std::string DateTimeToText(double dateTime) {
  const TDateParts parts = DateTimeToParts(dateTime);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(parts.Year);
  time.wMonth = static_cast<WORD>(parts.Month);
  time.wDay = static_cast<WORD>(parts.Day);
  time.wHour = static_cast<WORD>(parts.Hour);
  time.wMinute = static_cast<WORD>(parts.Minute);
  time.wSecond = static_cast<WORD>(parts.Second);
  time.wMilliseconds = static_cast<WORD>(parts.Millisecond);
  std::string text = ShortDateText(time);
  const bool midnight = parts.Hour == 0 && parts.Minute == 0 && parts.Second == 0 &&
                        parts.Millisecond == 0;
  if (!midnight) text += ' ' + LongTimeText(time);
  return text;
}

std::string FileTimeToText(std::uint64_t fileTime) {
  return DateTimeToText(FileTimeToDateTime(fileTime));
}
