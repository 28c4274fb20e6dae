#include "base/uStringList.h"

namespace qlm {

namespace {

bool IsSeparator(char c, char delimiter) {
  return c == delimiter || static_cast<unsigned char>(c) <= 32;
}

// Every character that splits a list must be quoted to stay in its item.
bool NeedsQuotes(const std::string& item, char delimiter) {
  for (char c : item) {
    if (IsSeparator(c, delimiter) || c == '"') return true;
  }
  return false;
}

// Reads a quoted part starting after its opening quote; returns the position
// after the closing quote (or the end of the text).
std::size_t ReadQuoted(std::string_view text, std::size_t pos, std::string& item) {
  while (pos < text.size()) {
    if (text[pos] != '"') {
      item += text[pos++];
    } else if (pos + 1 < text.size() && text[pos + 1] == '"') {
      item += '"';
      pos += 2;
    } else {
      return pos + 1;
    }
  }
  return pos;
}

}  // namespace

TStringList SplitDelimited(std::string_view text, char delimiter) {
  TStringList list;
  list.Delimiter = delimiter;
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && IsSeparator(text[pos], delimiter)) ++pos;
    if (pos == text.size()) break;
    std::string item;
    while (pos < text.size() && !IsSeparator(text[pos], delimiter)) {
      if (text[pos] == '"') {
        pos = ReadQuoted(text, pos + 1, item);
      } else {
        item += text[pos++];
      }
    }
    if (!item.empty()) list.Items.push_back(std::move(item));
  }
  return list;
}

std::string DelimitedText(const TStringList& list) {
  std::string text;
  for (std::size_t i = 0; i < list.Items.size(); ++i) {
    if (i > 0) text += list.Delimiter;
    const std::string& item = list.Items[i];
    if (!NeedsQuotes(item, list.Delimiter)) {
      text += item;
      continue;
    }
    text += '"';
    for (char c : item) {
      if (c == '"') text += '"';
      text += c;
    }
    text += '"';
  }
  return text;
}

}  // namespace qlm
