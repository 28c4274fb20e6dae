// The common ground of the program's own controls: each window owns one C++
// object, made at WM_NCCREATE and deleted at WM_NCDESTROY, that answers its
// messages. Painting goes through a memory bitmap, so a control never
// flickers however often it changes; WM_PRINTCLIENT paints the same way.
#pragma once

#include <windows.h>

#include <new>
#include <string>

namespace qlm {

class TControlWindow {
 public:
  TControlWindow(const TControlWindow&) = delete;
  TControlWindow& operator=(const TControlWindow&) = delete;
  virtual ~TControlWindow() = default;

  HWND Handle() const { return fHandle; }
  // Whether the whole caption shows in the room the control gives it, so a
  // long translation that would be cut off can be found.
  bool CaptionFits() const;

  // The window procedure of a class whose windows each own a T.
  template <typename T>
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Registers the class once per process; false when Windows refuses it.
  static bool RegisterControlClass(HINSTANCE instance, const char* className, WNDPROC procedure,
                                   UINT extraStyle = 0);

 protected:
  explicit TControlWindow(HWND window) : fHandle(window) {}

  // The object of a window of the class, nullptr for any other window.
  template <typename T>
  static T* FromWindow(HWND window, const char* className);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void Paint(HDC dc, const RECT& client) = 0;
  // Where the caption is drawn within the client area, and how.
  virtual RECT CaptionRoom(const RECT& client) const { return client; }
  virtual UINT CaptionFormat() const { return DT_SINGLELINE; }
  // Called after the caption or the font changed.
  virtual void TextChanged() { Repaint(); }

  std::string Caption() const;
  // The font given with WM_SETFONT, else the system's dialog font.
  HFONT Font() const;
  void Repaint() const;
  // Asks for WM_MOUSELEAVE once the mouse leaves; false when Windows refuses.
  bool TrackMouseLeave() const;
  // WM_COMMAND to the parent, as the system's controls send it.
  void Notify(WORD code) const;
  // Fills with the brush the parent gives its static children (aligned
  // with the parent's client area) and returns the text colour it chose.
  COLORREF FillParentBackground(HDC dc, const RECT& area) const;
  // The colour of that brush; the button face colour when it is no solid one.
  COLORREF ParentColour() const;
  // Width and height of a text in the control's font.
  SIZE TextExtent(const std::string& text, UINT format, int wrapWidth) const;

  HWND fHandle;

 private:
  static LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintBuffered(HDC target);

  HFONT fFont = nullptr;
};

// The system's visual styles are on (uxtheme is asked when it is there).
bool VisualStylesActive();
// The screen's dots per inch.
int ScreenDpi();

template <typename T>
LRESULT CALLBACK TControlWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_NCCREATE) {
    TControlWindow* control = new (std::nothrow) T(window);
    if (control == nullptr) return FALSE;
    ::SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(control));
  }
  return Dispatch(window, message, wParam, lParam);
}

template <typename T>
T* TControlWindow::FromWindow(HWND window, const char* className) {
  char name[64] = {};
  if (window == nullptr || ::GetClassNameA(window, name, sizeof name) == 0) return nullptr;
  if (::lstrcmpiA(name, className) != 0) return nullptr;
  return static_cast<T*>(reinterpret_cast<TControlWindow*>(::GetWindowLongPtrA(window, 0)));
}

}  // namespace qlm
