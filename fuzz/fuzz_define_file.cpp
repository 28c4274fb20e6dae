// Definition files: the lines, the version the main window reads, the junk
// masks joined into one delimited list and the cookie hosts. The lines hold
// no line break and give the file back; the joined list splits into the
// entries that are not empty.
#include <string>
#include <vector>

#include "base/uMasks.h"
#include "base/uStringList.h"
#include "engine/uDefineText.h"
#include "fuzz/uFuzzCheck.h"
#include "misc/miscCookieRules.h"

using namespace qlm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::InputText(data, size);
  const std::vector<std::string> lines = TextLines(text);
  std::string rejoined;
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    rejoined += line + "\r\n";
  }
  FUZZ_CHECK(TextLines(rejoined) == lines);

  const std::string version = FirstSectionName(text);
  FUZZ_CHECK(version.empty() || (version.front() != ' ' && version.back() != ' '));
  if (lines.empty()) return 0;

  // The entries as the engine joins the junk masks, and as it splits them
  // again for its folder items.
  TStringList entries;
  entries.Items.assign(lines.begin() + 1, lines.end());
  std::vector<std::string> expected;
  for (const std::string& entry : entries.Items) {
    if (!entry.empty()) expected.push_back(entry);
  }
  const TStringList masks = SplitDelimited(DelimitedText(entries), '|');
  FUZZ_CHECK(masks.Items == expected);
  for (const std::string& mask : masks.Items) MatchesMask("junk.tmp", mask);

  // The entries as cookie definitions.
  std::vector<const char*> items;
  for (const std::string& entry : entries.Items) items.push_back(entry.c_str());
  const MiscDefineList definitions{static_cast<std::int32_t>(items.size()), items.data()};
  const std::vector<std::string> hosts = misc::DefinitionHosts(definitions);
  FUZZ_CHECK(hosts.size() <= items.size());
  // Each check runs over the whole list: a few hosts are enough.
  for (std::size_t i = 0; i < hosts.size(); ++i) {
    const std::string& host = hosts[i];
    FUZZ_CHECK(!host.empty());
    if (i >= 8) continue;
    // A definition never starts with the dot that a cookie host may carry.
    if (host.find_first_of("*?[") == std::string::npos && host.front() != '.') {
      FUZZ_CHECK(misc::IsTrackingHost(host, hosts));
      FUZZ_CHECK(misc::IsTrackingHost("ads." + host, hosts));
    }
  }
  return 0;
}
