// The operation controller: a scan and a clean on the engine's worker, the
// running page's live figures, the end of an operation with its current
// status, the report or the final status, and the last-operation summary.
#include <windows.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "engine/uProgressQueue.h"
#include "settings/XMLFile.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"
#include "ui/controls/uGroupBoxEx.h"
#include "ui/controls/uImageEx.h"
#include "ui/controls/uMarqueeBar.h"
#include "ui/controls/uPainting.h"
#include "ui/uCaptionKeys.h"
#include "ui/uClock.h"
#include "ui/uElevation.h"
#include "ui/uMain.h"

namespace qlm {

namespace {

// The top bar's three buttons that an operation disables.
constexpr const char* kLockedDuringOperation[] = {"bbHome", "bbSettings", "bbScan"};
}  // namespace

void TFormMain::Show(std::string_view name, bool visible) {
  ::ShowWindow(Control(name), visible ? SW_SHOW : SW_HIDE);
}

void TFormMain::ColourGroupBox(std::string_view name, unsigned border, unsigned band) {
  if (TGroupBoxEx* group = TGroupBoxEx::From(Control(name))) {
    group->SetBorderColor(RgbColour(border));
    group->SetCaptionColor(RgbColour(band));
  }
}

void TFormMain::CreateCoreThread() {
  Log(LVL_DEBUG, "Creating core thread...");
  CoreThread = std::make_unique<TCoreThread>();
  if (CoreThread->Handle() == nullptr) throw std::runtime_error("the core thread cannot be made");
  TCoreInit init;
  init.Trace = Trace;
  init.Window = fHandle;
  CoreThread->SetInit(init);
}

void TFormMain::FreeCoreThread() { qlm::FreeCoreThread(CoreThread); }

// Steps 1 and 2 of both operations: the running page in front with the
// Stop button, the activity bar, and the buttons that must wait.
void TFormMain::BeginOperation(TStatusKind kind) {
  // The worker is about to take the list: the report lets go of its records.
  ForgetReport();
  SetCurrStatus(kind);
  Show("bbStop", true);
  Show("bbNext", false);
  Show("mbMain", true);
  BringToFront("pRunning");
  if (kind == TStatusKind::skScanRun) Show("gbStartupStatus", false);
  for (const char* name : kLockedDuringOperation) ::EnableWindow(Control(name), FALSE);
  ::SetFocus(Control("bbStop"));
  fOperationRunning = true;
}

void TFormMain::bbScanClick() {
  if (!ConfirmLeavingOptions() || !OfferElevation()) return;
  BeginOperation(TStatusKind::skScanRun);
  StartScan();
}

void TFormMain::btnScanNowClick() { bbScanClick(); }

// A ticked category that only an administrator can clean fully, in a
// process without those rights: the user may start the program again with
// them (Yes), scan with the rights at hand (No) or not scan (Cancel). True
// when the scan goes on.
bool TFormMain::OfferElevation() {
  const TOptions& options = FConfig->Options;
  if (options.Main.CapabilityFlag1 || !NeedsAdministrator(options.Core)) return true;
  switch (::MessageBoxA(fHandle, Text(KEY_NEEDS_ADMIN).c_str(), APPLICATION_TITLE,
                        MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDNO:
      return true;
    case IDYES:
      RestartElevated();
      return false;
    default:
      return false;
  }
}

// The program of the program folder starts again elevated and waits for
// this instance, which closes as the user would close it (the settings are
// saved on the way); a refused consent prompt leaves everything as it was.
void TFormMain::RestartElevated() {
  const std::string program = FAppFolder + PROGRAM_FILE_NAME;
  std::string error;
  switch (StartElevated(fHandle, program, error)) {
    case TElevatedStart::Started:
      Log(LVL_NOTICE, "Started again with administrator rights: " + program);
      ::PostMessageA(fHandle, WM_CLOSE, 0, 0);
      break;
    case TElevatedStart::Declined:
      Log(LVL_NOTICE, "Administrator rights were not granted");
      break;
    case TElevatedStart::Failed:
      ShowError("Cannot start " + program + " with administrator rights (" + error + ").");
      break;
  }
}

void TFormMain::bbCleanClick() {
  BeginOperation(TStatusKind::skCleanRun);
  StartClean();
}

// The worker gets a fresh copy of the settings for each operation, and
// starts it.
void TFormMain::RunWorker(int opType) {
  TCoreInit init;
  CoreThread->GetInit(init);
  init.Options = FConfig->Options;
  CoreThread->SetInit(init);
  CoreThread->SetOpType(opType);
  CoreThread->Resume();
  CoreThread->Start();
}

// The activity bar moves and the clock runs from now.
void TFormMain::StartClock() {
  if (auto* bar = TMarqueeBar::From(Control("mbMain"))) bar->SetActive(true);
  FStartTime = Now();
  ::SetWindowTextA(Control("vScanStartTime"), ClockText(FStartTime).c_str());
  ::SetTimer(fHandle, tScan, tScanInterval, nullptr);
}

void TFormMain::StartScan() {
  Log(LVL_DEBUG, "Starting OPTYPE_SCAN...");
  fTotObjs = 0;
  fTotSize = 0;
  FAborted = FError = FFreeSpace = FNoFound = FMajorObjs = false;
  Log(LVL_DEBUG, "Clearing existing list...");
  ClearFoundList();
  StartClock();
  ShowRunningFigures();
  UpdateElapsedTime();
  FLast.OperTime = FStartTime;
  Log(LVL_DEBUG, "Resume thread...");
  RunWorker(OPTYPE_SCAN);
}

void TFormMain::StartClean() {
  Log(LVL_DEBUG, "Starting OPTYPE_CLEAN...");
  FAborted = FError = FFreeSpace = FNoFound = FMajorObjs = false;
  // The figures stay: a clean counts down from what is left.
  RunWorker(OPTYPE_CLEAN);
  StartClock();
}

void TFormMain::bbStopClick() {
  if (CoreThread) CoreThread->Stop();
}

// The clock, and what the queue still holds: the engine wakes the window at
// most every few milliseconds, so a message posted just after a wake-up may
// wait for the next one or for this.
void TFormMain::tScanTimer() {
  UpdateElapsedTime();
  DeliverQueuedProgress();
}

void TFormMain::UpdateElapsedTime() {
  ::SetWindowTextA(Control("vScanElapsedTime"), ElapsedText(Now() - FStartTime).c_str());
}

void TFormMain::ShowRunningFigures() {
  ::SetWindowTextA(Control("vScanObjFound"), std::to_string(fTotObjs).c_str());
  ::SetWindowTextA(Control("vSCanObjSize"), FormatSize(fTotSize).c_str());
}

// Every queued message in turn, each logged as it comes; the labels are
// set once afterwards, as setting them per message would cost the window
// more than the engine takes to find the objects.
void TFormMain::DeliverQueuedProgress() {
  const bool outer = std::exchange(fDeliveringProgress, true);
  DeliverProgress(fHandle);
  fDeliveringProgress = outer;
  ShowProgress();
}

void TFormMain::ShowProgress() {
  if (!std::exchange(fProgressUnseen, false)) return;
  ::SetWindowTextA(Control("vScanCurrFolder"), fCurrFolder.c_str());
  ShowRunningFigures();
}

void TFormMain::HandleProgress(UINT message, WPARAM wParam) {
  // A message that the queue did not deliver carries nothing of ours: its
  // parameter is not a payload and is left alone.
  if (!fDeliveringProgress) return;
  std::unique_ptr<TUpdateItem> item(reinterpret_cast<TUpdateItem*>(wParam));
  if (fReleased) return;
  switch (message) {
    case WM_CORE_SCAN_END:
      WMScanEnd(std::move(item));
      break;
    case WM_CORE_CLEAN_END:
      WMCleanEnd(std::move(item));
      break;
    case WM_CORE_CURR_PATH:
      WMUpdateCurrPath(std::move(item));
      break;
    case WM_CORE_UPDATE_SCAN:
      WMUpdateScan(std::move(item));
      break;
    case WM_CORE_UPDATE_CLEAN:
      WMUpdateClean(std::move(item));
      break;
    default:
      break;
  }
}

void TFormMain::WMUpdateCurrPath(std::unique_ptr<TUpdateItem> item) {
  if (!item) return;
  const std::string text = std::move(item->Text);
  item.reset();
  Log(LVL_TRASH, "Update CurrPath " + text);
  fCurrFolder = text;
  fProgressUnseen = true;
}

void TFormMain::WMUpdateScan(std::unique_ptr<TUpdateItem> item) {
  CountProgress(std::move(item), "Update Scan count +", ", size +", 1);
}

void TFormMain::WMUpdateClean(std::unique_ptr<TUpdateItem> item) {
  CountProgress(std::move(item), "Update Clean count -", ", size -", -1);
}

// A scan adds what it found to the running figures, a clean takes away
// what it removed.
void TFormMain::CountProgress(std::unique_ptr<TUpdateItem> item, const char* countText,
                              const char* sizeText, int sign) {
  if (!item) return;
  const std::int64_t count = item->Count;
  const std::int64_t size = item->Size;
  item.reset();
  Log(LVL_DEBUG, countText + std::to_string(count) + sizeText + std::to_string(size));
  fTotObjs += sign * count;
  fTotSize += sign * size;
  fProgressUnseen = true;
}

// What both end messages do to the running page: the bar stops, the timer
// ends, the buttons come back.
void TFormMain::EndOperation() {
  ShowProgress();
  fCurrFolder.clear();
  if (auto* bar = TMarqueeBar::From(Control("mbMain"))) bar->SetActive(false);
  Show("mbMain", false);
  ::KillTimer(fHandle, tScan);
  ::SetWindowTextA(Control("vScanCurrFolder"), "");
  for (const char* name : kLockedDuringOperation) ::EnableWindow(Control(name), TRUE);
  fOperationRunning = false;
}

// The report with its two buttons, or the final status in its place.
void TFormMain::ShowEndPanel(bool report) {
  Show("gbFinalStatus", !report);
  for (const char* name : {"vtReport", "bbClean", "bbFinish"}) Show(name, report);
  if (!report) {
    SetFinalStatus();
    ShowFinalValues();
  }
}

// The Next button back in the Stop button's place, keeping the keyboard's
// focus there.
void TFormMain::ShowNextButton() {
  const bool hadFocus = ::GetFocus() == Control("bbStop");
  Show("bbNext", true);
  Show("bbStop", false);
  if (hadFocus) ::SetFocus(Control("bbNext"));
}

// The end message's two flags.
void TFormMain::ReadEnd(const TUpdateItem* item) {
  if (item == nullptr) return;
  FAborted = item->Stopped;
  FError = item->Failed;
}

void TFormMain::WMScanEnd(std::unique_ptr<TUpdateItem> item) {
  Log(LVL_DEBUG, "Scan end...");
  ReadEnd(item.get());
  item.reset();
  SetCurrStatus(EndStatusKind(FError, FAborted));
  FLast.ObjsFound = fTotObjs;
  FLast.SizeFound = fTotSize;
  FLast.ObjsRem = 0;
  FLast.SizeRem = 0;
  if (fTotObjs <= 0 || FError) {
    FNoFound = true;
    ShowEndPanel(false);
  } else {
    Log(LVL_NOTICE, "fTotObjs > 0");
    FillReport();
    ShowEndPanel(true);
  }
  EndOperation();
  ShowNextButton();
}

void TFormMain::WMCleanEnd(std::unique_ptr<TUpdateItem> item) {
  Log(LVL_DEBUG, "Clean end...");
  ReadEnd(item.get());
  item.reset();
  EndOperation();
  FLast.ObjsRem = FLast.ObjsFound - fTotObjs;
  FLast.SizeRem = FLast.SizeFound - fTotSize;
  SetCurrStatus(EndStatusKind(FError, FAborted));
  if (IsFoundListEmpty()) {
    ShowEndPanel(false);
  } else {
    Log(LVL_NOTICE, "List count > 0");
    FillReport();
    ShowEndPanel(true);
  }
  UpdateRecycleBinStatus();
  TOptions& options = FConfig->Options;
  options.OperTime = FLast.OperTime;
  options.ObjsFound = FLast.ObjsFound;
  options.SizeFound = FLast.SizeFound;
  options.ObjsRem = FLast.ObjsRem;
  options.SizeRem = FLast.SizeRem;
  SaveSettings();
  ShowLastOperation();
  ShowNextButton();
}

void TFormMain::bbFinishClick() {
  TOutcomeMarks marks = Outcome();
  MarkRemovedShare(RemovedPercent(FLast.SizeFound, FLast.SizeRem), marks);
  FFreeSpace = marks.FreeSpace;
  FMajorObjs = marks.MajorObjs;
  ShowEndPanel(false);
}

void TFormMain::SetCurrStatus(TStatusKind kind) {
  const TStatusLook look = CurrStatusLook(kind);
  ColourGroupBox("gbCurrStatus", look.Border, look.Band);
  ::SetWindowTextA(Control("gbCurrStatus"), Text(look.Key).c_str());
}

void TFormMain::SetFinalStatus() {
  const TFinalLook look = FinalStatusLook(Outcome());
  ::SetWindowTextA(Control("lbFinalStatus"), Text(look.Key).c_str());
  if (auto* image = TImageEx::From(Control("imgEndStatus"))) image->SetImageIndex(look.Image);
  ColourGroupBox("gbFinalStatus", look.Border, look.Band);
}

void TFormMain::ShowFinalValues() {
  ::SetWindowTextA(Control("lbObjsFoundVal"), std::to_string(FLast.ObjsFound).c_str());
  ::SetWindowTextA(Control("lbObjsFoundSizeVal"), FormatSize(FLast.SizeFound).c_str());
  ::SetWindowTextA(Control("lbObjsRemVal"), std::to_string(FLast.ObjsRem).c_str());
  ::SetWindowTextA(Control("lbObjsRemSizeVal"), FormatSize(FLast.SizeRem).c_str());
}

void TFormMain::ClearFoundList() { FoundList.Window().clear(); }

bool TFormMain::IsFoundListEmpty() {
  for (const auto& record : FoundList.Window()) {
    if (record) return false;
  }
  return true;
}

// The list is the process's own; at exit it is emptied, unless a worker
// that would not end still holds it.
void TFormMain::FreeFoundList() {
  ForgetReport();
  if (FoundList.Holder() != TListSide::Window) return;
  ClearFoundList();
  FoundList.Window().shrink_to_fit();
}

bool TFormMain::SaveSettings() {
  try {
    FConfig->Save();
    return true;
  } catch (const EXMLFileError& e) {
    ShowError(e.what());
    return false;
  }
}

std::string TFormMain::FormatSize(std::int64_t size) const { return MiscSizeText(size); }

}  // namespace qlm
