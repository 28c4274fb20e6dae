#include "ui/options/uEnablingRules.h"

#include <algorithm>

namespace qlm {

namespace {
using enum TRuleTest;

// Rows of one trigger stand together. The Track row leaves Flock out, so
// that a later change of the Track box decides from Track and Firefox alone.
constexpr TEnablingRule kRules[] = {
    {"cbTrackCookies", {"cbEraseAll", "cbUseDef", "cbCookiesIndexDat"},
     {"cbFireFoxCookies", "cbTrackCookies"}, AnyChecked},
    {"cbFireFoxCookies", {"cbEraseAll", "cbUseDef"},
     {"cbFireFoxCookies", "cbTrackCookies", "cbFlockCookies"}, AnyChecked},
    {"cbFlockCookies", {"cbEraseAll", "cbUseDef"},
     {"cbFireFoxCookies", "cbTrackCookies", "cbFlockCookies"}, AnyChecked},
    {"cbUseDef", {"leCookiesDef", "bbBrowseCookies"}, {"cbUseDef"}, NoneChecked},
    {"cbCache", {"cbForceDel", "cbShowFiles", "cbIEIndexDat"}, {"cbCache"}, AnyChecked},
    {"cbWinUpdates", {"cbwuOptionalUpdates", "lbwuDaysOlder", "sewuDays", "lbwuDays"},
     {"cbWinUpdates"}, AnyChecked},
    {"cbFixedDrives", {"cbAddFolders"}, {"cbFixedDrives"}, NoneChecked},
    {"cbFixedDrives", {"cbDefExts", "eAddExts", "seDays"}, {"cbFixedDrives", "cbAddFolders"},
     AnyChecked},
    {"cbAddFolders", {"bbAdd"}, {"cbAddFolders", "cbFixedDrives"}, OnlyFirst},
    {"cbAddFolders", {"bbRemove"}, {}, Never},
    {"cbAddFolders", {"eAddExts", "seDays", "cbDefExts"}, {"cbAddFolders", "cbFixedDrives"},
     AnyChecked},
};
}  // namespace

std::span<const TEnablingRule> RulesOf(std::string_view trigger) {
  const auto same = [trigger](const TEnablingRule& rule) { return trigger == rule.Trigger; };
  const auto* first = std::find_if(std::begin(kRules), std::end(kRules), same);
  const auto* last = std::find_if_not(first, std::end(kRules), same);
  return {first, last};
}

bool RuleEnables(const TEnablingRule& rule,
                 const std::function<bool(std::string_view)>& checked) {
  bool any = false;
  bool othersOff = true;
  for (std::size_t i = 0; i < std::size(rule.Boxes) && rule.Boxes[i] != nullptr; ++i) {
    const bool on = checked(rule.Boxes[i]);
    any = any || on;
    if (i > 0 && on) othersOff = false;
  }
  switch (rule.Test) {
    case AnyChecked:
      return any;
    case NoneChecked:
      return !any;
    case OnlyFirst:
      return rule.Boxes[0] != nullptr && checked(rule.Boxes[0]) && othersOff;
    case Never:
      return false;
  }
  return false;
}

}  // namespace qlm
