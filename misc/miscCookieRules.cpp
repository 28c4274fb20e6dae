#include "misc/miscCookieRules.h"

#include "base/uMasks.h"
#include "base/uText.h"
#include "misc/miscText.h"

namespace qlm::misc {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The lines of a text, each with its own line break.
std::vector<std::string_view> RawLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return lines;
}

bool IsTracking(const TCookieLine& line, const std::vector<std::string>& hosts) {
  return line.IsCookie && IsTrackingHost(line.Host, hosts);
}

constexpr std::string_view HTTP_ONLY_PREFIX = "#HttpOnly_";

}  // namespace

std::vector<std::string> DefinitionHosts(const MiscDefineList& definitions) {
  std::vector<std::string> hosts;
  if (!definitions.Items) return hosts;
  for (std::int32_t i = 0; i < definitions.Count; ++i) {
    const std::string_view entry = Trimmed(ArgText(definitions.Items[i]));
    if (!entry.empty()) hosts.push_back(LowerText(entry));
  }
  return hosts;
}

bool IsTrackingHost(std::string_view host, const std::vector<std::string>& hosts) {
  if (!host.empty() && host.front() == '.') host.remove_prefix(1);
  if (host.empty()) return false;
  const std::string lower = LowerText(host);
  for (const std::string& entry : hosts) {
    if (HasMaskCharacters(entry)) {
      if (MatchesMask(lower, entry)) return true;
    } else if (lower == entry || EndsWith(lower, "." + entry)) {
      return true;
    }
  }
  return false;
}

std::vector<std::string> IeCookieHosts(std::string_view fileText) {
  std::vector<std::string> hosts;
  int lineInRecord = 0;
  for (std::string_view line : RawLines(fileText)) {
    line = Trimmed(line);
    if (line == "*") {
      lineInRecord = 0;
      continue;
    }
    if (lineInRecord == 2) hosts.emplace_back(line.substr(0, line.find('/')));
    ++lineInRecord;
  }
  return hosts;
}

std::vector<TCookieLine> CookieLines(std::string_view fileText) {
  std::vector<TCookieLine> lines;
  for (std::string_view raw : RawLines(fileText)) {
    TCookieLine line;
    line.Text = raw;
    std::string_view content = raw;
    if (content.substr(0, HTTP_ONLY_PREFIX.size()) == HTTP_ONLY_PREFIX) {
      content.remove_prefix(HTTP_ONLY_PREFIX.size());
    } else if (!content.empty() && content.front() == '#') {
      content = {};
    }
    const auto tab = content.find('\t');
    if (tab != std::string_view::npos && tab > 0) {
      line.IsCookie = true;
      line.Host = std::string(content.substr(0, tab));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

TCookieTotals TrackingCookieTotals(std::string_view fileText, const std::vector<std::string>& hosts) {
  TCookieTotals totals;
  for (const TCookieLine& line : CookieLines(fileText)) {
    if (!IsTracking(line, hosts)) continue;
    ++totals.Count;
    totals.Size += static_cast<std::int64_t>(line.Text.size());
  }
  return totals;
}

std::string CleanCookieText(std::string_view fileText, const std::vector<std::string>& hosts,
                            bool eraseAll) {
  std::string kept;
  kept.reserve(fileText.size());
  for (const TCookieLine& line : CookieLines(fileText)) {
    const bool drop = eraseAll ? line.IsCookie : IsTracking(line, hosts);
    if (!drop) kept.append(line.Text);
  }
  return kept;
}

}  // namespace qlm::misc
