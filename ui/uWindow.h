// A window class as a C++ class: one static window procedure finds the object
// (stored at WM_NCCREATE) and hands every message to HandleMessage, behind
// the guard of uWindowGuard.h.
#pragma once

#include <windows.h>

#include <string>

namespace qlm {

// The whole text of a control.
std::string ControlText(HWND control);

// The answer to WM_CTLCOLORSTATIC of a window on the dialog face: its
// labels draw their text on the face itself.
LRESULT FaceColouredStatic(WPARAM dc);

class TWindow {
 public:
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
  virtual ~TWindow();

  HWND Handle() const { return fHandle; }

 protected:
  explicit TWindow(HINSTANCE instance) : fInstance(instance) {}

  // Registers the class once per process; false when Windows refuses it.
  bool RegisterWindowClass(const char* className, HBRUSH background, HICON icon);
  // Creates the window with a client area of the given size, centred on the
  // screen's work area.
  bool CreateCentred(const char* className, const std::string& title, DWORD style,
                     int clientWidth, int clientHeight, DWORD exStyle = 0, HWND owner = nullptr);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE fInstance;
  HWND fHandle = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace qlm
