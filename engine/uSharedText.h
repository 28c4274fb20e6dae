// A reference-counted, immutable text. Found objects share the texts that
// many of them hold alike (the folder key of the item that found them), and
// an empty text costs no allocation. Free of Windows headers.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace qlm {

class TSharedText {
 public:
  TSharedText() noexcept = default;
  TSharedText(std::string text)
      : fText(text.empty() ? nullptr : std::make_shared<const std::string>(std::move(text))) {}
  TSharedText(const char* text) : TSharedText(std::string(text)) {}

  const std::string& Str() const noexcept { return fText ? *fText : Empty(); }
  operator const std::string&() const noexcept { return Str(); }
  bool empty() const noexcept { return !fText; }
  friend bool operator==(const TSharedText& a, std::string_view b) { return a.Str() == b; }

 private:
  static const std::string& Empty() noexcept {
    static const std::string empty;
    return empty;
  }
  std::shared_ptr<const std::string> fText;
};

}  // namespace qlm
