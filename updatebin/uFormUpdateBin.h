// The one window of update.bin: the update window's caption, a report and
// the buttons Close, Update and Restart.
#pragma once

#include <windows.h>

#include <string>

#include "ui/uWindow.h"
#include "update/uUpdateBinArgs.h"

namespace qlm::updatebin {

inline constexpr char UPDATE_BIN_CLASS[] = "TFormUpdateBin";
// The report and the buttons Close, Update and Restart.
inline constexpr int ID_UPDATE_BIN_REPORT = 100;
inline constexpr int ID_UPDATE_BIN_CLOSE = 101;
inline constexpr int ID_UPDATE_BIN_UPDATE = 102;
inline constexpr int ID_UPDATE_BIN_RESTART = 103;

class TFormUpdateBin final : public TWindow {
 public:
  TFormUpdateBin(HINSTANCE instance, TUpdateBinArgs args, std::string programFolder);
  bool Create();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND AddControl(const char* className, const std::string& text, DWORD style, int x, int y,
                  int width, int height, int id);
  void CreateControls();
  void btnUpdateClick();
  void btnRestartClick();
  // Once the program has ended, installs the waiting files and reports.
  void CheckProgramEnded();
  void SetReport(const std::string& text);

  TUpdateBinArgs fArgs;
  std::string fProgramFolder;
  HWND fReport = nullptr;
  HWND fBtnUpdate = nullptr;
  HFONT fFont = nullptr;
  int fButtonWidth = 0;
  int fClientWidth = 0;
  bool fWaiting = false;
};

}  // namespace qlm::updatebin
