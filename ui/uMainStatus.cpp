// The default page's panels: the start-up status, the last scan with the
// definition versions, the Recycle Bin picture with its hint and menu; the
// emptying of the bin at exit, the update entry and the error box.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "base/uFileSystem.h"
#include "startup/uMiscLoad.h"
#include "startup/uProcess.h"
#include "startup/uTrace.h"
#include "ui/controls/uImageEx.h"
#include "ui/uCaptionKeys.h"
#include "ui/uClock.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "update/uUpdateBinArgs.h"

namespace qlm {

namespace {
// The objects and bytes in the Recycle Bins; false when they cannot be told.
bool BinTotals(std::int64_t& count, std::int64_t& size) {
  count = 0;
  size = 0;
  return Misc != nullptr && Misc->RecycleBinTotals != nullptr &&
         Misc->RecycleBinTotals(&count, &size);
}

// The Recycle Bin picture as a tool of the window's hints.
TOOLINFOA BinTool(HWND window, HWND picture, UINT flags, const char* text) {
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | flags;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(picture);
  tool.lpszText = const_cast<char*>(text);
  return tool;
}
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
  if (kind == TStartupKind::None) {
    Show("gbStartupStatus", false);
    return;
  }
  const TStartupLook look = StartupLook(kind);
  ColourGroupBox("gbStartupStatus", look.Border, look.Band);
  Show("btnScanNow", look.ScanNow);
  Show("btnCheckUpdate", !look.ScanNow);
  const std::string text = kind == TStartupKind::ScanNeeded
                               ? ScanNeededText(Text(look.Key), main.DaysSinceScan)
                               : Text(look.Key);
  ::SetWindowTextA(Control("lbStartupStatus"), text.c_str());
  Show("gbStartupStatus", true);
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
  // A bin that cannot be read is shown empty: it cannot be emptied from
  // here either.
  if (!BinTotals(count, size)) Log(LVL_DEBUG, "RecycleBinTotals failed");
  const bool full = count > 0;
  if (auto* image = TImageEx::From(Control("imgRBin"))) image->SetImageIndex(full ? 1 : 0);
  ::EnableMenuItem(RecycleBinMenu(), ID_pmEmptyRB, MF_BYCOMMAND | (full ? MF_ENABLED : MF_GRAYED));
  const std::string hint = full ? RecycleBinHint(Text(KEY_RBIN_HINT_OBJECTS), count,
                                                 Text(KEY_RBIN_HINT_SIZE), FormatSize(size))
                                : Text(KEY_RBIN_HINT_EMPTY);
  // The hint window keeps its own copy of the text.
  TOOLINFOA tool = BinTool(fHandle, Control("imgRBin"), 0, hint.c_str());
  ::SendMessageA(fHints, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The hint window of the Recycle Bin picture; its text may hold two lines.
bool TFormMain::CreateHints() {
  fHints = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, fHandle,
                             nullptr, fInstance, nullptr);
  if (fHints == nullptr) return false;
  ::SendMessageA(fHints, TTM_SETMAXTIPWIDTH, 0, fScale.Px(400));
  TOOLINFOA tool = BinTool(fHandle, Control("imgRBin"), TTF_SUBCLASS, "");
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
  if (!BinTotals(count, size) || count <= 0) return;
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
  // The update may replace the script: nothing holds its applications
  // while the window is open.
  ClearCustomDefines();
  FormUpdater->ShowModal();
  if (FormUpdater->CatalogueRead()) {
    FConfig->Options.UpdateTime = Now();
    SaveSettings();
    if (FFromCheckUpdate) Show("gbStartupStatus", false);
  }
  if (FormUpdater->LaunchUpdateBin()) {
    LaunchUpdateProgram();
    return;
  }
  // New definition files and a new script take effect at once.
  LoadCustomDefines();
  RegisterCustomDefines();
  ShowDefineVersions();
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
  // Quoted, so that a folder with blanks cannot start another program on
  // the way to this one; update.bin reads a quoted path as well.
  if (!RunProgram("\"" + program + "\"", FormatUpdateBinArgs(args), false)) {
    ShowError("Cannot start " + program + ". The update is not complete.");
  }
}

}  // namespace qlm
