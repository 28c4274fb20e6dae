// Delimited lists: the '|'-separated folder and mask lists of the options,
// the definition files and the folder items. Free of Windows headers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qlm {

// An ordered list of texts with the delimiter used to read and write it.
struct TStringList {
  std::vector<std::string> Items;
  char Delimiter = '|';
};

// Splits at the delimiter and at every character with a code up to 32; a
// double-quoted part is one item that may hold either ("" inside quotes
// stands for one quote). Empty items are dropped.
TStringList SplitDelimited(std::string_view text, char delimiter);

// The items joined by the delimiter; an item holding a character that
// splits (the delimiter, a blank or any other code up to 32) or a double
// quote is written between double quotes with inner quotes doubled, so that
// splitting the text gives the same items.
std::string DelimitedText(const TStringList& list);

}  // namespace qlm
