// Texts of the settings file's values and their strict reading.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qlm {

std::string BoolText(bool value);

// "true"/"false" in any letter case, or a decimal number (non-zero is true).
std::optional<bool> ParseBool(std::string_view text);

// The whole text as a decimal number with an optional sign, within range.
std::optional<std::int64_t> ParseInt64(std::string_view text);
std::optional<std::int32_t> ParseInt32(std::string_view text);

}  // namespace qlm
