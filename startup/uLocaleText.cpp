#include "startup/uLocaleText.h"

#include "base/uDateTime.h"

namespace qlm {

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

bool TextToDateTime(const std::string& text, double& dateTime) {
  const std::wstring wide = AnsiToWide(text);
  DATE value = 0;
  // VarDateFromStr wants a writable OLECHAR*.
  std::wstring buffer = wide;
  if (FAILED(::VarDateFromStr(buffer.data(), LOCALE_USER_DEFAULT, 0, &value))) return false;
  dateTime = value;
  return true;
}

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
  return wide;
}

std::optional<std::string> WideToAnsi(const wchar_t* text, int length) {
  if (text == nullptr || length <= 0) return std::string();
  BOOL usedDefault = FALSE;
  const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, length, nullptr, 0,
                                         nullptr, &usedDefault);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(size), '\0');
  if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, length, ansi.data(), size, nullptr,
                            &usedDefault) != size ||
      usedDefault) {
    return std::nullopt;
  }
  return ansi;
}

}  // namespace qlm
