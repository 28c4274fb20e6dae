// The default page's panels: the start-up status, the last scan with the
// definition versions, the Recycle Bin picture with its hint and menu; the
// emptying of the bin at exit, the update entry and the error box.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "base/uFileSystem.h"
#include "base/uHandles.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"
#include "ui/controls/uImageEx.h"
#include "ui/uCaptionKeys.h"
#include "ui/uClock.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "update/uUpdateBinArgs.h"

namespace qlm {

namespace {
// Creation flags of update.bin: a new process group at normal priority.
constexpr DWORD kUpdateProgramFlags = CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS;
}  // namespace

void TFormMain::UpdateStartupFlags() {
  const TOptions& options = FConfig->Options;
  const TStartupMarks marks = StartupMarks(options.OperTime, options.UpdateTime, Now());
  TMainOptions& main = FConfig->Options.Main;
  main.DaysSinceScan = marks.DaysSinceScan;
  main.ScanOverdue = marks.ScanOverdue;
  main.NeverScanned = marks.NeverScanned;
  main.UpdateOverdue = marks.UpdateOverdue;
}

void TFormMain::SetStartupStatus() {
  const TMainOptions& main = FConfig->Options.Main;
  const TStartupKind kind =
      StartupKind({main.DaysSinceScan, main.ScanOverdue, main.NeverScanned, main.UpdateOverdue});
  HWND panel = Control("gbStartupStatus");
  if (kind == TStartupKind::None) {
    ::ShowWindow(panel, SW_HIDE);
    return;
  }
  const TStartupLook look = StartupLook(kind);
  ColourGroupBox("gbStartupStatus", look.Border, look.Band);
  ::ShowWindow(Control("btnScanNow"), look.ScanNow ? SW_SHOW : SW_HIDE);
  ::ShowWindow(Control("btnCheckUpdate"), look.ScanNow ? SW_HIDE : SW_SHOW);
  const std::string text = kind == TStartupKind::ScanNeeded
                               ? ScanNeededText(Text(look.Key), main.DaysSinceScan)
                               : Text(look.Key);
  ::SetWindowTextA(Control("lbStartupStatus"), text.c_str());
  ::ShowWindow(panel, SW_SHOW);
}

// A change of language re-words what the panels already tell; it shows
// nothing that was hidden.
void TFormMain::RetextStatusPanels() {
  const auto shown = [this](const char* name) {
    return (::GetWindowLongA(Control(name), GWL_STYLE) & WS_VISIBLE) != 0;
  };
  if (shown("gbStartupStatus")) SetStartupStatus();
  if (shown("gbFinalStatus")) SetFinalStatus();
  UpdateRecycleBinStatus();
}

void TFormMain::ShowLastOperation() {
  const TOptions& options = FConfig->Options;
  ::SetWindowTextA(Control("lbLastScanVal"), LastScanText(options.OperTime).c_str());
  ::SetWindowTextA(Control("lbLastObjsFoundVal"), std::to_string(options.ObjsFound).c_str());
  ::SetWindowTextA(Control("lbLastObjsRemVal"), std::to_string(options.ObjsRem).c_str());
  ::SetWindowTextA(Control("lbLastObjsRemSizeVal"), FormatSize(options.SizeRem).c_str());
}

void TFormMain::UpdateRecycleBinStatus() {
  Log(LVL_DEBUG, "Update Recycle Bin Status...");
  std::int64_t count = 0;
  std::int64_t size = 0;
  if (Misc == nullptr || Misc->RecycleBinTotals == nullptr ||
      !Misc->RecycleBinTotals(&count, &size)) {
    // Shown as empty: the bin cannot be emptied from here either.
    Log(LVL_DEBUG, "RecycleBinTotals failed");
    count = 0;
  }
  const bool full = count > 0;
  if (auto* image = TImageEx::From(Control("imgRBin"))) image->SetImageIndex(full ? 1 : 0);
  ::EnableMenuItem(RecycleBinMenu(), ID_pmEmptyRB, MF_BYCOMMAND | (full ? MF_ENABLED : MF_GRAYED));
  fRecycleBinHint = full ? RecycleBinHint(Text(KEY_RBIN_HINT_OBJECTS), count,
                                          Text(KEY_RBIN_HINT_SIZE), FormatSize(size))
                         : Text(KEY_RBIN_HINT_EMPTY);
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = fHandle;
  tool.uId = reinterpret_cast<UINT_PTR>(Control("imgRBin"));
  tool.lpszText = const_cast<char*>(fRecycleBinHint.c_str());
  ::SendMessageA(fHints, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The hint window of the Recycle Bin picture; its text may hold two lines.
bool TFormMain::CreateHints() {
  fHints = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, fHandle,
                             nullptr, fInstance, nullptr);
  if (fHints == nullptr) return false;
  ::SendMessageA(fHints, TTM_SETMAXTIPWIDTH, 0, fScale.Px(400));
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = fHandle;
  tool.uId = reinterpret_cast<UINT_PTR>(Control("imgRBin"));
  tool.lpszText = const_cast<char*>("");
  return ::SendMessageA(fHints, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

// At the mouse, or below the picture when the keyboard asked for the menu.
void TFormMain::ShowRecycleBinMenu(LPARAM position) {
  POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (position == -1) {
    RECT picture{};
    ::GetWindowRect(Control("imgRBin"), &picture);
    at = {picture.left, picture.bottom};
  }
  ::TrackPopupMenu(RecycleBinMenu(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, fHandle,
                   nullptr);
}

void TFormMain::pmOpenRBClick() {
  if (Misc == nullptr || Misc->OpenRecycleBin == nullptr || !Misc->OpenRecycleBin()) {
    Log(LVL_DEBUG, "OpenRecycleBin failed");
  }
}

void TFormMain::pmUpdateRBClick() { UpdateRecycleBinStatus(); }

namespace {
// The shell's confirmation, its progress window and its sound, as the
// settings ask for them.
void EmptyBin(const TOptions& options) {
  if (Misc == nullptr || Misc->EmptyRecycleBin == nullptr) return;
  Misc->EmptyRecycleBin(options.AskConfirm, options.ShowProgress, !options.PlaySound);
}
}  // namespace

void TFormMain::pmEmptyRBClick() {
  EmptyBin(FConfig->Options);
  UpdateRecycleBinStatus();
}

void TFormMain::EmptyRecycleBinOnExit() {
  if (!FConfig || !FConfig->Options.EmptyRBin) return;
  std::int64_t count = 0;
  std::int64_t size = 0;
  if (Misc == nullptr || Misc->RecycleBinTotals == nullptr ||
      !Misc->RecycleBinTotals(&count, &size) || count <= 0) {
    return;
  }
  Log(LVL_DEBUG, "Empty Recycle Bin...");
  EmptyBin(FConfig->Options);
}

void TFormMain::SetUpdaterWindow(std::unique_ptr<IUpdaterWindow> window) {
  FormUpdater = std::move(window);
  const bool available = FormUpdater != nullptr;
  ::EnableMenuItem(HelpMenu(), ID_pmUpdates, MF_BYCOMMAND | (available ? MF_ENABLED : MF_GRAYED));
  ::EnableWindow(Control("btnCheckUpdate"), available);
}

void TFormMain::PrepareUpdater() {
  const std::string downloads = FAppFolder + UPDATE_FOLDER;
  if (!ForceFolders(downloads)) Log(LVL_ERROR, "Cannot create the folder " + downloads);
  FormUpdater->Prepare(UPDATE_LIST_NAME, downloads, FAppFolder);
}

void TFormMain::btnCheckUpdateClick() {
  FFromCheckUpdate = true;
  pmUpdatesClick();
}

void TFormMain::pmUpdatesClick() {
  if (!FormUpdater) return;
  PrepareUpdater();
  FormUpdater->ShowModal();
  if (FormUpdater->CatalogueRead()) {
    FConfig->Options.UpdateTime = Now();
    SaveSettings();
    if (FFromCheckUpdate) ::ShowWindow(Control("gbStartupStatus"), SW_HIDE);
  }
  if (FormUpdater->LaunchUpdateBin()) LaunchUpdateProgram();
}

// update.bin finishes the installation of the files that the running
// program holds open; it is started and left to run.
void TFormMain::LaunchUpdateProgram() {
  TUpdateBinArgs args;
  if (fUpdateProgramTexts.size() == 4) {
    args.Caption = fUpdateProgramTexts[0];
    args.CloseText = fUpdateProgramTexts[1] + "...";
    args.UpdateText = fUpdateProgramTexts[2] + "...";
    args.RestartText = fUpdateProgramTexts[3] + "...";
  }
  args.MainWindow = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(fHandle));
  const std::string program = FAppFolder + UPDATE_PROGRAM;
  std::string commandLine = program + " " + FormatUpdateBinArgs(args);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        kUpdateProgramFlags, nullptr, FAppFolder.c_str(), &startup, &process)) {
    ShowError("Cannot start " + program + " (error " + std::to_string(::GetLastError()) +
              "). The update is not complete.");
    return;
  }
  THandle thread(process.hThread);
  THandle started(process.hProcess);
}

}  // namespace qlm
