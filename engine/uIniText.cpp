#include "engine/uIniText.h"

#include <charconv>
#include <limits>

#include "base/uText.h"

namespace qlm {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The range of text without its surrounding blanks.
void TrimRange(const std::string& text, std::size_t& start, std::size_t& end) {
  while (start < end && IsBlank(text[start])) ++start;
  while (end > start && IsBlank(text[end - 1])) --end;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  }
  return true;
}

TIniText::TIniText(std::string text) : fText(std::move(text)) { Parse(); }

void TIniText::Parse() {
  fSections.clear();
  std::size_t pos = 0;
  while (pos < fText.size()) {
    std::size_t end = pos;
    while (end < fText.size() && fText[end] != '\r' && fText[end] != '\n') ++end;
    std::size_t next = end;
    if (next < fText.size()) {
      next += (fText[next] == '\r' && next + 1 < fText.size() && fText[next + 1] == '\n') ? 2 : 1;
    }
    std::size_t start = pos;
    std::size_t stop = end;
    TrimRange(fText, start, stop);
    if (start < stop && fText[start] == '[' && fText[stop - 1] == ']' && stop - start >= 2) {
      std::size_t nameStart = start + 1;
      std::size_t nameEnd = stop - 1;
      TrimRange(fText, nameStart, nameEnd);
      fSections.push_back({fText.substr(nameStart, nameEnd - nameStart), {}, next});
    } else if (start < stop && fText[start] != ';' && !fSections.empty()) {
      const std::size_t equals = fText.find('=', start);
      if (equals < stop) {
        std::size_t nameEnd = equals;
        std::size_t nameStart = start;
        TrimRange(fText, nameStart, nameEnd);
        std::size_t valueStart = equals + 1;
        std::size_t valueEnd = stop;
        TrimRange(fText, valueStart, valueEnd);
        fSections.back().Keys.push_back({fText.substr(nameStart, nameEnd - nameStart),
                                         fText.substr(valueStart, valueEnd - valueStart),
                                         valueStart, valueEnd, next});
      }
    }
    pos = next;
  }
}

const TIniSection* TIniText::Section(std::string_view name) const {
  for (const TIniSection& section : fSections) {
    if (SameName(section.Name, name)) return &section;
  }
  return nullptr;
}

const TIniKey* TIniText::Key(std::string_view section, std::string_view name) const {
  const TIniSection* found = Section(section);
  if (found == nullptr) return nullptr;
  for (const TIniKey& key : found->Keys) {
    if (SameName(key.Name, name)) return &key;
  }
  return nullptr;
}

std::string TIniText::ReadString(std::string_view section, std::string_view name,
                                 std::string_view fallback) const {
  const TIniKey* key = Key(section, name);
  return key != nullptr ? key->Value : std::string(fallback);
}

int TIniText::ReadInteger(std::string_view section, std::string_view name, int fallback) const {
  const TIniKey* key = Key(section, name);
  if (key == nullptr || key->Value.empty()) return fallback;
  std::string_view digits = key->Value;
  if (digits.front() == '+') digits.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return fallback;
  return value;
}

bool TIniText::ReadBool(std::string_view section, std::string_view name, bool fallback) const {
  constexpr int kNotANumber = std::numeric_limits<int>::min();
  const int value = ReadInteger(section, name, kNotANumber);
  if (value == kNotANumber) return fallback;
  return value != 0;
}

std::string TIniText::LineBreak() const {
  const std::size_t at = fText.find_first_of("\r\n");
  if (at == std::string::npos) return "\r\n";
  if (fText[at] == '\n') return "\n";
  return at + 1 < fText.size() && fText[at + 1] == '\n' ? "\r\n" : "\r";
}

void TIniText::WriteString(std::string_view section, std::string_view name,
                           std::string_view value) {
  const std::string lineBreak = LineBreak();
  const std::string line = std::string(name) + "=" + std::string(value);
  if (const TIniKey* key = Key(section, name)) {
    fText.replace(key->ValueStart, key->ValueEnd - key->ValueStart, value);
  } else if (const TIniSection* found = Section(section)) {
    const std::size_t at = found->Keys.empty() ? found->HeaderNext : found->Keys.back().LineNext;
    // A last line without its break gets one before the new line.
    const bool closed = at == 0 || fText[at - 1] == '\r' || fText[at - 1] == '\n';
    fText.insert(at, (closed ? "" : lineBreak) + line + lineBreak);
  } else {
    const bool closed = fText.empty() || fText.back() == '\r' || fText.back() == '\n';
    fText +=
        (closed ? "" : lineBreak) + "[" + std::string(section) + "]" + lineBreak + line + lineBreak;
  }
  Parse();
}

}  // namespace qlm
