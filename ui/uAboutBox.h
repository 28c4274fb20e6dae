// The About window: the program's icon and logo, its version and the
// services library's, a note and four links to the product's web pages.
// It is shown modally over the main window; Esc, Enter and OK close it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/uControlSet.h"
#include "ui/uWindow.h"

namespace qlm {

inline constexpr char ABOUT_BOX_CLASS[] = "TAboutBox";
inline constexpr int ABOUT_CLIENT_WIDTH = 305;
inline constexpr int ABOUT_CLIENT_HEIGHT = 351;

// The pages the four links open in the default browser.
inline constexpr char URL_SITE[] = "https://www.quillmere.com/";
inline constexpr char URL_BLOG[] = "https://www.quillmere.com/blog/";
inline constexpr char URL_SHOP[] = "https://www.quillmere.com/shop/";
inline constexpr char URL_FORUM[] = "https://www.quillmere.com/forum/";

class TAboutBox final : public TWindow {
 public:
  TAboutBox(HINSTANCE instance, const TDpiScale& scale, const TUiFonts& fonts);

  // Makes the hidden window and its controls; false when Windows refuses.
  bool Create();
  // Shows the window over the owner, which stays disabled until it closes.
  void ShowModal(HWND owner);
  void UpdateLabels(const std::function<std::string(const std::string&)>& textOf);
  void SetVersions(const std::string& program, const std::string& services);
  void SetPictures(HBITMAP icon, HBITMAP logo, HBITMAP info, HBITMAP globe);

  HWND Control(std::string_view name) const { return fControls.Get(name); }
  bool Modal() const { return fModal; }
  // The address the last link click opened (also when the shell failed).
  const std::string& LastOpened() const { return fLastOpened; }

  void btnAboutOKClick();
  void WebLinkClick(int id);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Command(int id, WORD code);

  TDpiScale fScale;
  const TUiFonts& fFonts;
  TControlSet fControls;
  bool fModal = false;
  std::string fLastOpened;
};

}  // namespace qlm
