#include "misc/miscText.h"

#include <cstring>

namespace qlm::misc {

bool PutText(std::string_view text, char* buffer, int size, int* outLength) {
  if (!buffer || !outLength || size <= 0) return false;
  if (text.size() + 1 > static_cast<std::size_t>(size)) return false;
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  *outLength = static_cast<int>(text.size());
  return true;
}

std::string_view ArgText(const char* text) { return text ? std::string_view(text) : std::string_view(); }

}  // namespace qlm::misc
