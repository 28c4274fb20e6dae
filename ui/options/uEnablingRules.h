// The scan options page's enabling rules as data: the change of a box turns
// dependent controls on or off by the marks of a few boxes. Free of Windows
// headers; the window runs the rows of a box on every change of its mark.
#pragma once

#include <functional>
#include <span>
#include <string_view>

namespace qlm {

enum class TRuleTest {
  AnyChecked,    // enabled when one of the boxes is checked
  NoneChecked,   // enabled when none of them is
  OnlyFirst,     // enabled when the first is checked and the others are not
  Never          // always disabled by the change
};

struct TEnablingRule {
  const char* Trigger;
  const char* Targets[4];  // unused places are null
  const char* Boxes[3];
  TRuleTest Test;
};

// The rows run by a change of that box, in order; none for a box without
// rules.
std::span<const TEnablingRule> RulesOf(std::string_view trigger);

// Whether the row enables its targets, given the boxes' marks.
bool RuleEnables(const TEnablingRule& rule, const std::function<bool(std::string_view)>& checked);

}  // namespace qlm
