// The main options page filled from the options record.
#include <windows.h>

#include <string>

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
    {"cbEmptyRBin", &TOptions::EmptyRBin}};
}  // namespace

void TFormMain::SetMainOptions() {
  Log(LVL_DEBUG, "Setting options...");
  TOptions& options = FConfig->Options;
  ::SendMessageA(Control("cbxLanguage"), CB_SETCURSEL,
                 static_cast<WPARAM>(FLanguage->IndexOfFile(options.Main.LngFile)), 0);
  for (const TMainFlag& flag : kMainFlags) {
    if (auto* box = TCheckBoxEx::From(Control(flag.Control))) box->SetChecked(options.*flag.Field);
  }
  if (options.LogLevel < 0) options.LogLevel = 0;
  ::SendMessageA(Control("cbxLogLevel"), CB_SETCURSEL, static_cast<WPARAM>(options.LogLevel), 0);
  ::SetWindowTextA(Control("eRetention"), std::to_string(options.MaxRetention).c_str());
  if (auto* box = TCheckBoxEx::From(Control("cbDelSaveLog"))) box->SetChecked(options.DelSaveLog);
  if (Trace != nullptr) {
    Trace->SetLevel(options.LogLevel);
    Trace->SetRetention(options.MaxRetention);
  }
  ::EnableWindow(Control("bbmoSave"), FALSE);
  ShowLastOperation();
}

}  // namespace qlm
