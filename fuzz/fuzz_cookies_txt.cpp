// cookies.txt and Internet Explorer cookie files. The input is the tracking
// definitions, one per line, an empty line, and the file. The lines give the
// file back; cleaning removes exactly the tracking lines that the totals
// count, keeps every other byte, and cleaning again changes nothing.
#include <string>
#include <vector>

#include "fuzz/uFuzzCheck.h"
#include "misc/miscCookieRules.h"

using namespace qlm;
using namespace qlm::misc;

namespace {

std::vector<std::string> Hosts(std::string_view definitions) {
  std::vector<std::string> entries;
  while (!definitions.empty()) {
    const std::size_t end = definitions.find('\n');
    entries.emplace_back(definitions.substr(0, end));
    definitions.remove_prefix(end == std::string_view::npos ? definitions.size() : end + 1);
  }
  std::vector<const char*> items;
  for (const std::string& entry : entries) items.push_back(entry.c_str());
  return DefinitionHosts({static_cast<std::int32_t>(items.size()), items.data()});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::InputText(data, size);
  const std::size_t split = input.find("\n\n");
  const std::vector<std::string> hosts =
      Hosts(split == std::string_view::npos ? std::string_view() : input.substr(0, split));
  const std::string_view file =
      split == std::string_view::npos ? input : input.substr(split + 2);

  std::string joined;
  for (const TCookieLine& line : CookieLines(file)) {
    joined.append(line.Text);
    FUZZ_CHECK(!line.IsCookie || !line.Host.empty());
  }
  FUZZ_CHECK(joined == file);

  const TCookieTotals totals = TrackingCookieTotals(file, hosts);
  const std::string cleaned = CleanCookieText(file, hosts, false);
  FUZZ_CHECK(static_cast<std::int64_t>(cleaned.size()) ==
             static_cast<std::int64_t>(file.size()) - totals.Size);
  FUZZ_CHECK(CleanCookieText(cleaned, hosts, false) == cleaned);
  FUZZ_CHECK(TrackingCookieTotals(cleaned, hosts).Count == 0);

  const std::string erased = CleanCookieText(file, hosts, true);
  for (const TCookieLine& line : CookieLines(erased)) FUZZ_CHECK(!line.IsCookie);
  FUZZ_CHECK(erased.size() <= cleaned.size());

  for (const std::string& host : IeCookieHosts(file)) FUZZ_CHECK(host.find('/') == std::string::npos);
  return 0;
}
