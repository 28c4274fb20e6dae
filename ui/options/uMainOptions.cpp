// The main options page: language, scan behaviour, trace log and Recycle
// Bin; filled from the options record and written back.
#include <windows.h>

#include <string>

#include "base/uText.h"
#include "startup/uTrace.h"
#include "ui/controls/uCheckBoxEx.h"
#include "ui/uMain.h"

namespace qlm {

namespace {
struct TMainFlag {
  const char* Control;
  bool TOptions::*Field;
};
constexpr TMainFlag kMainFlags[] = {
    {"cbScanLowPriority", &TOptions::ScanLowPriority}, {"cbSelFoundObjs", &TOptions::SelFoundObjs},
    {"cbRemObjsInEnd", &TOptions::RemObjsScanEnd},     {"cbHidePath", &TOptions::HidePath},
    {"cbObjsInRB", &TOptions::MoveRemInRB},            {"cbAskConfirm", &TOptions::AskConfirm},
    {"cbShowProgress", &TOptions::ShowProgress},       {"cbPlaySound", &TOptions::PlaySound},
    {"cbEmptyRBin", &TOptions::EmptyRBin},             {"cbDelSaveLog", &TOptions::DelSaveLog}};

int Selected(HWND list) { return static_cast<int>(::SendMessageA(list, CB_GETCURSEL, 0, 0)); }

void Select(HWND list, int index) {
  ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
}  // namespace

void TFormMain::SetMainOptions() {
  Log(LVL_DEBUG, "Setting options...");
  ShowLastOperation();
  TOptions& options = FConfig->Options;
  // The window speaks the stored language again: a page that shows one
  // language in its list and another in its captions would save the wrong one.
  const int stored = FLanguage->IndexOfFile(options.Main.LngFile);
  Select(Control("cbxLanguage"), stored);
  if (stored >= 0 && stored != FLangIndex) {
    FLangIndex = stored;
    UpdateLabels();
    RetextStatusPanels();
  }
  for (const TMainFlag& flag : kMainFlags) {
    if (auto* box = TCheckBoxEx::From(Control(flag.Control))) box->SetChecked(options.*flag.Field);
  }
  if (options.LogLevel < 0) options.LogLevel = 0;
  Select(Control("cbxLogLevel"), options.LogLevel);
  ::SetWindowTextA(Control("eRetention"), std::to_string(options.MaxRetention).c_str());
  ShowRetentionError(false);
  ApplyTraceOptions();
  SetSaveEnabled("bbmoSave", false);
}

// The retention is checked before anything is written: a text that is no
// number leaves the settings and the file as they were.
bool TFormMain::SaveMainOptions() {
  const std::optional<int> retention = ParseDecimal(ControlText(Control("eRetention")));
  if (!retention) {
    ShowRetentionError(true);
    return false;
  }
  TOptions& options = FConfig->Options;
  for (const TMainFlag& flag : kMainFlags) {
    if (const auto* box = TCheckBoxEx::From(Control(flag.Control))) {
      options.*flag.Field = box->Checked();
    }
  }
  // A list left without a selection keeps the level the settings hold.
  if (const int level = Selected(Control("cbxLogLevel")); level >= 0) options.LogLevel = level;
  options.MaxRetention = *retention;
  if (const int language = Selected(Control("cbxLanguage")); language >= 0) {
    FLangIndex = language;
    options.Main.LngFile = FLanguage->GetFile(language);
  }
  Select(Control("cbxLogLevel"), options.LogLevel);
  ApplyTraceOptions();
  if (!SaveSettings()) return false;
  SetSaveEnabled("bbmoSave", false);
  return true;
}

void TFormMain::ApplyTraceOptions() {
  if (Trace == nullptr) return;
  Trace->SetLevel(FConfig->Options.LogLevel);
  Trace->SetRetention(FConfig->Options.MaxRetention);
}

// The error stands beside the edit, which takes the focus with its text
// selected for typing over.
void TFormMain::ShowRetentionError(bool shown) {
  ::ShowWindow(Control("lbRetentionError"), shown ? SW_SHOWNA : SW_HIDE);
  if (!shown) return;
  ::MessageBeep(MB_ICONWARNING);
  HWND edit = Control("eRetention");
  ::SetFocus(edit);
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
}

void TFormMain::bbmoSaveClick() {
  if (SaveMainOptions()) BringToFront("pSettings");
}

void TFormMain::bbmoCancelClick() {
  BringToFront("pSettings");
  SetMainOptions();
}

void TFormMain::MainOptionEdited() { SetSaveEnabled("bbmoSave", true); }

// The error goes as soon as the text is a number again.
void TFormMain::eRetentionChange() {
  MainOptionEdited();
  if (ParseDecimal(ControlText(Control("eRetention")))) ShowRetentionError(false);
}

}  // namespace qlm
