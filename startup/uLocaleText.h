// Dates and times in the user's regional formats.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace qlm {

// The user's short date format, e.g. "15/03/2009".
std::string ShortDateText(const SYSTEMTIME& time);

// The user's long time format, e.g. "14:25:30".
std::string LongTimeText(const SYSTEMTIME& time);

// Short date, a blank and long time; the time is left out at midnight exactly.
std::string DateTimeToText(double dateTime);

// A file time as DateTimeToText shows it.
std::string FileTimeToText(std::uint64_t fileTime);

// Parses a date-time text with the user's regional formats (the operating
// system's parser); false when the text is no date-time.
bool TextToDateTime(const std::string& text, double& dateTime);

// Conversions between the system code page and UTF-16. A wide text that
// the code page cannot hold exactly gives none: a best-fit or default
// character could turn a name into another name, or into a wildcard.
std::wstring AnsiToWide(const std::string& text);
std::optional<std::string> WideToAnsi(const wchar_t* text, int length);

}  // namespace qlm
