#include "updatebin/uFormUpdateBin.h"

#include <algorithm>

#include "base/uHandles.h"
#include "startup/uProcess.h"
#include "updatebin/uPendingFiles.h"

namespace qlm::updatebin {

namespace {

constexpr int CLIENT_WIDTH = 400;
constexpr int CLIENT_HEIGHT = 170;
constexpr int BUTTON_WIDTH = 110;
constexpr int BUTTON_HEIGHT = 25;
constexpr int BUTTON_PADDING = 24;  // around a button's text
constexpr int MARGIN = 12;
constexpr UINT_PTR ID_WAIT_TIMER = 1;
constexpr UINT WAIT_INTERVAL_MS = 200;

// The widest of the texts in the font, in pixels.
int WidestText(HFONT font, std::initializer_list<const std::string*> texts) {
  TWindowDC dc(nullptr);
  if (dc.Get() == nullptr) return 0;
  TSelectedObject selected(dc.Get(), font);
  int widest = 0;
  for (const std::string* text : texts) {
    SIZE extent{};
    if (::GetTextExtentPoint32A(dc.Get(), text->c_str(), static_cast<int>(text->size()),
                                &extent)) {
      widest = std::max(widest, static_cast<int>(extent.cx));
    }
  }
  return widest;
}

}  // namespace

TFormUpdateBin::TFormUpdateBin(HINSTANCE instance, TUpdateBinArgs args, std::string programFolder)
    : TWindow(instance), fArgs(std::move(args)), fProgramFolder(std::move(programFolder)) {}

bool TFormUpdateBin::Create() {
  if (!RegisterWindowClass(UPDATE_BIN_CLASS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                           ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)))) {
    return false;
  }
  // The labels come from the program's language: the buttons, and the
  // window with them, grow to hold the longest one.
  fFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  fButtonWidth = std::max(
      BUTTON_WIDTH,
      WidestText(fFont, {&fArgs.CloseText, &fArgs.UpdateText, &fArgs.RestartText}) +
          BUTTON_PADDING);
  fClientWidth = std::max(CLIENT_WIDTH, 3 * fButtonWidth + 4 * MARGIN);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  if (!CreateCentred(UPDATE_BIN_CLASS, fArgs.Caption, style, fClientWidth, CLIENT_HEIGHT)) {
    return false;
  }
  CreateControls();
  ::ShowWindow(fHandle, SW_SHOWNORMAL);
  ::UpdateWindow(fHandle);
  return true;
}

HWND TFormUpdateBin::AddControl(const char* className, const std::string& text, DWORD style,
                                int x, int y, int width, int height, int id) {
  HWND control = ::CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x,
                                   y, width, height, fHandle,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), fInstance,
                                   nullptr);
  if (control != nullptr && fFont != nullptr) {
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fFont), FALSE);
  }
  return control;
}

void TFormUpdateBin::CreateControls() {
  fReport = AddControl("STATIC",
                       "The new program files are ready. Press \"" + fArgs.UpdateText +
                           "\" to install them once the program has ended.",
                       SS_LEFT | SS_NOPREFIX, MARGIN, MARGIN, fClientWidth - 2 * MARGIN,
                       CLIENT_HEIGHT - 60, ID_UPDATE_BIN_REPORT);
  const int y = CLIENT_HEIGHT - BUTTON_HEIGHT - MARGIN;
  const int gap = (fClientWidth - 2 * MARGIN - 3 * fButtonWidth) / 2;
  AddControl("BUTTON", fArgs.CloseText, BS_PUSHBUTTON | WS_TABSTOP, MARGIN, y, fButtonWidth,
             BUTTON_HEIGHT, ID_UPDATE_BIN_CLOSE);
  fBtnUpdate = AddControl("BUTTON", fArgs.UpdateText, BS_DEFPUSHBUTTON | WS_TABSTOP,
                          MARGIN + fButtonWidth + gap, y, fButtonWidth, BUTTON_HEIGHT,
                          ID_UPDATE_BIN_UPDATE);
  AddControl("BUTTON", fArgs.RestartText, BS_PUSHBUTTON | WS_TABSTOP,
             MARGIN + 2 * (fButtonWidth + gap), y, fButtonWidth, BUTTON_HEIGHT,
             ID_UPDATE_BIN_RESTART);
}

void TFormUpdateBin::SetReport(const std::string& text) {
  ::SetWindowTextA(fReport, text.c_str());
}

void TFormUpdateBin::btnUpdateClick() {
  ::EnableWindow(fBtnUpdate, FALSE);
  fWaiting = true;
  SetReport("Waiting for the program to end...");
  if (!::SetTimer(fHandle, ID_WAIT_TIMER, WAIT_INTERVAL_MS, nullptr)) {
    fWaiting = false;
    ::EnableWindow(fBtnUpdate, TRUE);
    SetReport("The wait for the program could not be started.");
    return;
  }
  CheckProgramEnded();
}

void TFormUpdateBin::CheckProgramEnded() {
  const HWND mainWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(fArgs.MainWindow));
  if (!fWaiting || ::IsWindow(mainWindow)) return;
  fWaiting = false;
  ::KillTimer(fHandle, ID_WAIT_TIMER);
  const std::vector<TPendingResult> results = InstallPendingFiles(fProgramFolder);
  std::string report = results.empty() ? "No program file was waiting." : "";
  bool failed = false;
  for (const TPendingResult& result : results) {
    report += PendingResultText(result) + "\r\n";
    failed = failed || result.Outcome != TPendingOutcome::Installed;
  }
  SetReport(report);
  // What failed may be tried again, e.g. after closing what held the file.
  if (failed) ::EnableWindow(fBtnUpdate, TRUE);
}

void TFormUpdateBin::btnRestartClick() {
  RunProgram("\"" + fProgramFolder + "quillmere.exe\"", "", false);
  ::DestroyWindow(fHandle);
}

LRESULT TFormUpdateBin::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
          case ID_UPDATE_BIN_CLOSE:
            ::DestroyWindow(fHandle);
            return 0;
          case ID_UPDATE_BIN_UPDATE:
            btnUpdateClick();
            return 0;
          case ID_UPDATE_BIN_RESTART:
            btnRestartClick();
            return 0;
        }
      }
      break;
    case WM_TIMER:
      if (wParam == ID_WAIT_TIMER) {
        CheckProgramEnded();
        return 0;
      }
      break;
    case WM_DESTROY:
      ::KillTimer(fHandle, ID_WAIT_TIMER);
      ::PostQuitMessage(0);
      return 0;
  }
  return DefaultHandler(message, wParam, lParam);
}

}  // namespace qlm::updatebin
