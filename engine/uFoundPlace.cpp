#include "engine/uFoundPlace.h"

#include <cstring>

namespace qlm {

static_assert(sizeof(void*) != 4 || sizeof(TFoundPlace) == 84, "a place of the 32-bit build");

std::uint32_t TFoundPlace::AddName(std::string_view name) {
  const auto at = static_cast<std::uint32_t>(fNames.size());
  fNames.append(name);
  fNames.push_back('\0');
  return at;
}

std::string_view TFoundPlace::NameAt(std::uint32_t at) const {
  if (at >= fNames.size()) return {};
  return std::string_view(fNames.c_str() + at);
}

TFoundPlacePtr MakeFoundPlace(std::string folder, TFoundTexts texts) {
  return TFoundPlacePtr(new TFoundPlace(std::move(folder), std::move(texts)));
}

}  // namespace qlm
