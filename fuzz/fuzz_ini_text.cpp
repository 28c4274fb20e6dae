// INI text: every key points at its own value in the text; a value written
// into a section reads back, and every other key keeps its value.
#include <string>
#include <vector>

#include "engine/uIniText.h"
#include "fuzz/uFuzzCheck.h"

using namespace qlm;

namespace {

// What a key that a reader does not find reads as.
constexpr char MISSING[] = "\x01missing";

struct TRead {
  std::string Section;
  std::string Key;
  std::string Value;
};

// What a reader sees for every key: the first section and key of a name.
std::vector<TRead> Readings(const TIniText& ini) {
  std::vector<TRead> readings;
  for (const TIniSection& section : ini.Sections()) {
    for (const TIniKey& key : section.Keys) {
      readings.push_back({section.Name, key.Name, ini.ReadString(section.Name, key.Name, MISSING)});
    }
  }
  return readings;
}

void CheckLayout(const TIniText& ini) {
  const std::string& text = ini.Text();
  for (const TIniSection& section : ini.Sections()) {
    FUZZ_CHECK(section.HeaderNext <= text.size());
    for (const TIniKey& key : section.Keys) {
      FUZZ_CHECK(key.ValueStart <= key.ValueEnd && key.ValueEnd <= key.LineNext);
      FUZZ_CHECK(key.LineNext <= text.size());
      FUZZ_CHECK(text.compare(key.ValueStart, key.ValueEnd - key.ValueStart, key.Value) == 0);
      FUZZ_CHECK(key.Name.find('=') == std::string::npos);
    }
  }
}

// Writes and checks one value: the named key reads it back, every other
// reading stays.
void WriteAndCheck(TIniText& ini, const std::string& section, const std::string& name,
                   const std::string& value) {
  const std::vector<TRead> before = Readings(ini);
  ini.WriteString(section, name, value);
  CheckLayout(ini);
  FUZZ_CHECK(ini.ReadString(section, name, MISSING) == value);
  for (const TRead& read : before) {
    if (SameName(read.Section, section) && SameName(read.Key, name)) continue;
    const std::string now = ini.ReadString(read.Section, read.Key, MISSING);
    if (now != read.Value) {
      std::fprintf(stderr, "[%s] %s was \"%s\", is \"%s\" after writing [%s] %s\n",
                   read.Section.c_str(), read.Key.c_str(), read.Value.c_str(), now.c_str(),
                   section.c_str(), name.c_str());
    }
    FUZZ_CHECK(now == read.Value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TIniText ini{std::string(fuzz::InputText(data, size))};
  CheckLayout(ini);
  const std::vector<TIniSection> sections = ini.Sections();
  ini.ReadInteger(sections.empty() ? "" : sections.front().Name, "items", 0);
  if (!sections.empty()) {
    WriteAndCheck(ini, sections.back().Name, "selected", "0");
    if (!sections.back().Keys.empty()) {
      WriteAndCheck(ini, sections.back().Name, sections.back().Keys.front().Name, "written");
    }
  }
  WriteAndCheck(ini, "Fuzz Section", "key", "value");
  return 0;
}
