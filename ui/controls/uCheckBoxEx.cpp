#include "ui/controls/uCheckBoxEx.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <utility>

#include "base/uHandles.h"
#include "ui/controls/uPainting.h"

namespace qlm {

namespace {

constexpr const char* kStripNames[] = {"ADVANCE", "CROSS", "FLAT", "NORMAL",
                                       "TICK",    "VISTA", "XP"};
// Between the box and its caption.
constexpr int kCaptionGap = 2;
// Bit 30 of a key message: the key was already down (auto-repeat).
constexpr LPARAM kKeyWasDown = 0x40000000;

HMODULE gPictureModule = nullptr;

// One copy of each strip per module for the whole process.
HBITMAP Strip(TCheckBoxStyle style) {
  static std::map<std::pair<HMODULE, int>, TBitmap> strips;
  HMODULE module = gPictureModule != nullptr ? gPictureModule : ::GetModuleHandleA(nullptr);
  const auto key = std::make_pair(module, static_cast<int>(style));
  auto found = strips.find(key);
  if (found == strips.end()) {
    TBitmap strip(static_cast<HBITMAP>(::LoadImageA(module, kStripNames[style], IMAGE_BITMAP, 0,
                                                    0, LR_CREATEDIBSECTION)));
    found = strips.emplace(key, std::move(strip)).first;
  }
  return found->second.Get();
}

}  // namespace

void SetCheckBoxPictureModule(HMODULE module) { gPictureModule = module; }

TCheckBoxEx* TCheckBoxEx::From(HWND window) {
  return FromWindow<TCheckBoxEx>(window, CHECK_BOX_EX_CLASS);
}

void TCheckBoxEx::SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }

void TCheckBoxEx::SetState(TCheckBoxState state) {
  fState = state;
  Repaint();
  Notify(CBXN_CHANGE);
}

void TCheckBoxEx::SetStyle(TCheckBoxStyle style) {
  fStyle = style;
  Repaint();
}

void TCheckBoxEx::SetAlignment(TLeftRight alignment) {
  fAlignment = alignment;
  Repaint();
}

void TCheckBoxEx::SetDrawFocusRect(bool value) {
  fDrawFocusRect = value;
  Repaint();
}

void TCheckBoxEx::SetWordBreak(bool value) {
  fWordBreak = value;
  TextChanged();
}

void TCheckBoxEx::SetColor(COLORREF colour) {
  fOwnColour = true;
  fColour = colour;
  Repaint();
}

LRESULT TCheckBoxEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      FitToCaption();
      return 0;
    // The dialog manager offers the caption's accelerator to buttons only.
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case BM_GETCHECK:
      return fState == cbChecked ? BST_CHECKED
                                 : fState == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED;
    case BM_SETCHECK:
      return SetCheckMessage(wParam);
    case BM_CLICK:
      return ClickMessage();
    case WM_MOUSEMOVE:
      MouseMove();
      return 0;
    case WM_MOUSELEAVE:
      fHover = false;
      SetPressed(false);
      return 0;
    case WM_LBUTTONDOWN:
      ::SetFocus(fHandle);
      SetPressed(true);
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(lParam);
      return 0;
    case WM_KEYDOWN:
      KeyDown(wParam, lParam);
      return 0;
    case WM_KEYUP:
      KeyUp(wParam);
      return 0;
    case WM_SETFOCUS:
      Repaint();
      return 0;
    case WM_KILLFOCUS:
      fSpaceDown = false;
      SetPressed(false);
      return 0;
    default:
      return TControlWindow::HandleMessage(message, wParam, lParam);
  }
}

LRESULT TCheckBoxEx::SetCheckMessage(WPARAM check) {
  SetState(check == BST_CHECKED ? cbChecked
                                : check == BST_INDETERMINATE ? cbGrayed : cbUnchecked);
  return 0;
}

// The dialog manager answers a caption's accelerator with BM_CLICK while the
// key is still down; that toggles without counting as a click.
LRESULT TCheckBoxEx::ClickMessage() {
  if (!::IsWindowEnabled(fHandle)) return 0;
  if (AcceleratorKeyDown()) {
    SetState(ToggledState(fState));
  } else {
    UserClick();
  }
  return 0;
}

bool TCheckBoxEx::AcceleratorKeyDown() const {
  const char accelerator = CaptionAccelerator(Caption());
  if (accelerator == 0) return false;
  const SHORT key = ::VkKeyScanA(accelerator);
  if (key == -1) return false;
  return (::GetKeyState(LOBYTE(key)) & 0x8000) != 0;
}

void TCheckBoxEx::MouseMove() {
  if (fHover || !TrackMouseLeave()) return;
  fHover = true;
  Repaint();
}

void TCheckBoxEx::ButtonUp(LPARAM point) {
  if (!fPressed) return;
  SetPressed(false);
  RECT client{};
  const POINT where{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  if (::GetClientRect(fHandle, &client) && ::PtInRect(&client, where)) UserClick();
}

void TCheckBoxEx::KeyDown(WPARAM key, LPARAM flags) {
  if (key != VK_SPACE || (flags & kKeyWasDown) != 0) return;
  fSpaceDown = true;
  SetPressed(true);
}

void TCheckBoxEx::KeyUp(WPARAM key) {
  if (key != VK_SPACE || !fSpaceDown) return;
  fSpaceDown = false;
  SetPressed(false);
  UserClick();
}

void TCheckBoxEx::UserClick() {
  ::SetFocus(fHandle);
  SetState(ToggledState(fState));
  Notify(BN_CLICKED);
}

void TCheckBoxEx::SetPressed(bool value) {
  fPressed = value;
  Repaint();
}

void TCheckBoxEx::TextChanged() {
  FitToCaption();
  Repaint();
}

void TCheckBoxEx::FitToCaption() {
  if (fWordBreak) return;
  const int frame = FrameSize();
  const SIZE text = TextExtent(Caption(), CaptionFormat(), 0);
  ::SetWindowPos(fHandle, nullptr, 0, 0, text.cx + frame + kCaptionGap,
                 std::max<int>(text.cy, frame), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT TCheckBoxEx::CaptionFormat() const {
  const UINT lines = fWordBreak ? DT_WORDBREAK : DT_SINGLELINE;
  return lines | (fAlignment == taRightJustify ? DT_RIGHT : DT_LEFT);
}

RECT TCheckBoxEx::CaptionRoom(const RECT& client) const {
  RECT area = client;
  if (fAlignment == taRightJustify) {
    area.right -= FrameSize() + kCaptionGap;
  } else {
    area.left += FrameSize() + kCaptionGap;
  }
  return area;
}

int TCheckBoxEx::FrameSize() const { return ::MulDiv(CHECK_FRAME_SIZE, ScreenDpi(), 96); }

void TCheckBoxEx::Paint(HDC dc, const RECT& client) {
  COLORREF textColour = ::GetSysColor(COLOR_BTNTEXT);
  if (fOwnColour) {
    FillSolid(dc, client, fColour);
  } else {
    textColour = FillParentBackground(dc, client);
  }
  DrawFrame(dc, client, FrameSize());

  const RECT area = CaptionRoom(client);
  const SIZE text = TextExtent(Caption(), CaptionFormat(), area.right - area.left);
  RECT bounds = area;
  bounds.top = std::max<LONG>((client.bottom - text.cy) / 2, 0);
  bounds.bottom = bounds.top + text.cy;
  if (fAlignment == taRightJustify) {
    bounds.left = std::max(area.left, area.right - text.cx);
  } else {
    bounds.right = std::min(area.right, area.left + text.cx);
  }
  DrawCaption(dc, bounds, textColour);
  if (fDrawFocusRect && ::GetFocus() == fHandle && text.cx > 0) {
    RECT focus = bounds;
    ::InflateRect(&focus, 1, 0);
    ::IntersectRect(&focus, &focus, &client);
    ::DrawFocusRect(dc, &focus);
  }
}

void TCheckBoxEx::DrawFrame(HDC dc, const RECT& client, int size) const {
  const int x = fAlignment == taRightJustify ? client.right - size : 0;
  const int y = (client.bottom - size) / 2;
  const int frame = CheckBoxFrame(fState, ::IsWindowEnabled(fHandle) != FALSE, fPressed, fHover);
  HBITMAP strip = Strip(fStyle);
  TMemoryDC source(strip != nullptr ? ::CreateCompatibleDC(dc) : nullptr);
  if (!source) {
    RECT box{x, y, x + size, y + size};
    UINT look = DFCS_BUTTONCHECK | (fState == cbUnchecked ? 0 : DFCS_CHECKED);
    if (frame % 4 == 3) look |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &box, DFC_BUTTON, look);
    return;
  }
  TSelectedObject selected(source.Get(), strip);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc, x, y, size, size, source.Get(), frame * CHECK_FRAME_SIZE, 0,
               CHECK_FRAME_SIZE, CHECK_FRAME_SIZE, blend);
}

void TCheckBoxEx::DrawCaption(HDC dc, RECT bounds, COLORREF colour) const {
  const std::string caption = Caption();
  const int length = static_cast<int>(caption.size());
  TSelectedObject font(dc, Font());
  ::SetBkMode(dc, TRANSPARENT);
  if (!::IsWindowEnabled(fHandle)) {
    if (!VisualStylesActive()) {
      RECT shadow = bounds;
      ::OffsetRect(&shadow, 1, 1);
      ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
      ::DrawTextA(dc, caption.c_str(), length, &shadow, CaptionFormat());
    }
    colour = ::GetSysColor(COLOR_GRAYTEXT);
  }
  ::SetTextColor(dc, colour);
  ::DrawTextA(dc, caption.c_str(), length, &bounds, CaptionFormat());
}

}  // namespace qlm
