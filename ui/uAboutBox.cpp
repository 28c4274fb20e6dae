#include "ui/uAboutBox.h"

#include <shellapi.h>

#include "startup/uTrace.h"
#include "ui/controls/uImageEx.h"
#include "ui/controls/uLabelEx.h"
#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"
#include "ui/uFonts.h"
#include "ui/uMain.h"
#include "ui/uModalLoop.h"

namespace qlm {

namespace {
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kAboutExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

struct TWebLink {
  int Id;
  const char* Url;
};
constexpr TWebLink kWebLinks[] = {
    {ID_wlbsite, URL_SITE}, {ID_wlbblog, URL_BLOG}, {ID_wlbshop, URL_SHOP},
    {ID_wlbforum, URL_FORUM}};
}  // namespace

TAboutBox::TAboutBox(HINSTANCE instance, const TDpiScale& scale, const TUiFonts& fonts)
    : TWindow(instance), fScale(scale), fFonts(fonts) {}

bool TAboutBox::Create() {
  if (!RegisterWindowClass(ABOUT_BOX_CLASS, ::GetSysColorBrush(COLOR_BTNFACE), nullptr)) {
    return false;
  }
  if (!CreateCentred(ABOUT_BOX_CLASS, APPLICATION_TITLE, kAboutStyle,
                     fScale.Px(ABOUT_CLIENT_WIDTH), fScale.Px(ABOUT_CLIENT_HEIGHT),
                     kAboutExStyle)) {
    return false;
  }
  ::SendMessageA(fHandle, WM_SETFONT, reinterpret_cast<WPARAM>(fFonts.Normal), FALSE);
  return fControls.Build(fInstance, fHandle, AboutBoxLayout(), fScale, fFonts);
}

void TAboutBox::UpdateLabels(const std::function<std::string(const std::string&)>& textOf) {
  fControls.ApplyCaptions(textOf);
}

void TAboutBox::SetVersions(const std::string& program, const std::string& services) {
  ::SetWindowTextA(Control("lbAboutVersionValue"), program.c_str());
  ::SetWindowTextA(Control("lbAboutSupportValue"), services.c_str());
}

void TAboutBox::SetPictures(HBITMAP icon, HBITMAP logo, HBITMAP info, HBITMAP globe) {
  const std::pair<const char*, HBITMAP> pictures[] = {
      {"imgAboutIcon", icon}, {"imgAboutLogo", logo}, {"imgInfo", info}, {"imgGlobe", globe}};
  for (const auto& [name, bitmap] : pictures) {
    if (auto* image = TImageEx::From(Control(name))) image->SetPicture(bitmap);
  }
}

void TAboutBox::ShowModal(HWND owner) {
  if (fHandle == nullptr || fModal) return;
  fModal = true;
  RunModal(fHandle, owner, Control("btnAboutOK"), [this] { return fModal; });
  fModal = false;
}

void TAboutBox::btnAboutOKClick() {
  fModal = false;
  ::ShowWindow(fHandle, SW_HIDE);
}

void TAboutBox::WebLinkClick(int id) {
  for (const TWebLink& link : kWebLinks) {
    if (link.Id != id) continue;
    fLastOpened = link.Url;
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(fHandle, "open", link.Url, nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) Log(LVL_ERROR, std::string("Cannot open the web page: ") + link.Url);
  }
}

void TAboutBox::Command(int id, WORD code) {
  if (id == IDOK || id == IDCANCEL || (id == ID_btnAboutOK && code == BN_CLICKED)) {
    btnAboutOKClick();
    return;
  }
  HWND control = ::GetDlgItem(fHandle, id);
  switch (code) {
    case LXN_CLICK:
      WebLinkClick(id);
      break;
    case LXN_MOUSEENTER:
    case LXN_MOUSELEAVE:
      SetLinkFont(control, fFonts, code == LXN_MOUSEENTER);
      break;
    default:
      break;
  }
}

LRESULT TAboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      btnAboutOKClick();
      return 0;
    case WM_CTLCOLORSTATIC:
      return FaceColouredStatic(wParam);
    default:
      return DefaultHandler(message, wParam, lParam);
  }
}

}  // namespace qlm
