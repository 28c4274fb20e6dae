// The scan options page filled from the options record.
#include <windows.h>

#include <commctrl.h>

#include "base/uStringList.h"
#include "startup/uTrace.h"
#include "ui/controls/uCheckBoxEx.h"
#include "ui/uMain.h"

namespace qlm {

namespace {
using TFlagField = bool& (*)(TCoreOptions&);
struct TFlagBinding {
  const char* Control;
  TFlagField Field;
};

// The boxes that always show their field, in the order of the page.
constexpr TFlagBinding kScanFlags[] = {
    {"cbTrackCookies", [](TCoreOptions& o) -> bool& { return o.Cookies.Enabled; }},
    {"cbEraseAll", [](TCoreOptions& o) -> bool& { return o.Cookies.EraseAll; }},
    {"cbCookiesIndexDat", [](TCoreOptions& o) -> bool& { return o.Cookies.IndexDat; }},
    {"cbUseDef", [](TCoreOptions& o) -> bool& { return o.Cookies.UseDefault; }},
    {"cbTemp", [](TCoreOptions& o) -> bool& { return o.Temp; }},
    {"cbMRUHistory", [](TCoreOptions& o) -> bool& { return o.Mru; }},
    {"cbCache", [](TCoreOptions& o) -> bool& { return o.IeCache; }},
    {"cbForceDel", [](TCoreOptions& o) -> bool& { return o.ForceDel; }},
    {"cbShowFiles", [](TCoreOptions& o) -> bool& { return o.ShowFiles; }},
    {"cbIEIndexDat", [](TCoreOptions& o) -> bool& { return o.IeIndexDat; }},
    {"cbWinRecents", [](TCoreOptions& o) -> bool& { return o.RecentsWindows; }},
    {"cbOffRecents", [](TCoreOptions& o) -> bool& { return o.RecentsOffice; }},
    {"cbDBcache", [](TCoreOptions& o) -> bool& { return o.DbCache; }},
    {"cbWinTemp", [](TCoreOptions& o) -> bool& { return o.WinTemp; }},
    {"cbPrefetch", [](TCoreOptions& o) -> bool& { return o.Prefetch; }},
    {"cbFixedDrives", [](TCoreOptions& o) -> bool& { return o.System.FixedDrives; }},
    {"cbAddFolders", [](TCoreOptions& o) -> bool& { return o.System.SelFolders; }},
    {"cbDefExts", [](TCoreOptions& o) -> bool& { return o.System.UseDefExts; }},
    {"cbFireFoxCache", [](TCoreOptions& o) -> bool& { return o.FirefoxCache; }},
    {"cbFireFoxCookies", [](TCoreOptions& o) -> bool& { return o.FirefoxCookies; }},
    {"cbFlockCache", [](TCoreOptions& o) -> bool& { return o.FlockCache; }},
    {"cbFlockCookies", [](TCoreOptions& o) -> bool& { return o.FlockCookies; }},
    {"cbHistory", [](TCoreOptions& o) -> bool& { return o.IeHistory; }},
    {"cbAddressBarUrls", [](TCoreOptions& o) -> bool& { return o.AddrBarUrls; }},
};

// The categories that Windows versions without them switch off.
constexpr TFlagBinding kLegacyFlags[] = {
    {"cbIEUpdates", [](TCoreOptions& o) -> bool& { return o.IeUpdates; }},
    {"cbOleDeleted", [](TCoreOptions& o) -> bool& { return o.OeDeleted; }},
    {"cbWinUpdates", [](TCoreOptions& o) -> bool& { return o.WinUpdates; }},
    {"cbwuOptionalUpdates", [](TCoreOptions& o) -> bool& { return o.WinUpdatesOptional; }},
    {"cbwuOrphanUpdates", [](TCoreOptions& o) -> bool& { return o.WinUpdatesOrphan; }},
};

// The categories that need Outlook.
constexpr TFlagBinding kOutlookFlags[] = {
    {"cbOlDeleted", [](TCoreOptions& o) -> bool& { return o.OlDeleted; }},
    {"cbOlJunk", [](TCoreOptions& o) -> bool& { return o.OlJunk; }},
};

void SetBox(HWND window, bool checked) {
  if (auto* box = TCheckBoxEx::From(window)) box->SetChecked(checked);
}

struct TSpinRange {
  const char* Control;
  int Low;
  int High;
};
constexpr TSpinRange kSpinRanges[] = {{"sewuDays", 7, 60}, {"sepfDays", 7, 60}, {"seDays", 0, 30}};

void SetSpin(HWND edit, int value) {
  ::SendMessageA(SpinButtonOf(edit), UDM_SETPOS32, 0, value);
}
}  // namespace

void TFormMain::InitScanOptionsPage() {
  for (const TSpinRange& range : kSpinRanges) {
    ::SendMessageA(SpinButtonOf(Control(range.Control)), UDM_SETRANGE32, range.Low, range.High);
  }
}

void TFormMain::SetCoreOptions() {
  Log(LVL_DEBUG, "Setting core options...");
  TCoreOptions& core = FConfig->Options.Core;
  const TMainOptions& main = FConfig->Options.Main;
  for (const TFlagBinding& flag : kScanFlags) SetBox(Control(flag.Control), flag.Field(core));
  ::SetWindowTextA(Control("leCookiesDef"), core.Cookies.DefsFile.c_str());
  for (const TFlagBinding& flag : kLegacyFlags) {
    SetBox(Control(flag.Control), !main.LegacyCategoriesOff && flag.Field(core));
    if (main.LegacyCategoriesOff) ::EnableWindow(Control(flag.Control), FALSE);
  }
  if (main.LegacyCategoriesOff) ::EnableWindow(Control("sewuDays"), FALSE);
  for (const TFlagBinding& flag : kOutlookFlags) {
    SetBox(Control(flag.Control), main.OutlookAvailable && flag.Field(core));
    ::EnableWindow(Control(flag.Control), main.OutlookAvailable ? TRUE : FALSE);
  }
  SetSpin(Control("sewuDays"), core.WinUpdatesDays);
  SetSpin(Control("sepfDays"), core.PrefetchDays);
  SetSpin(Control("seDays"), core.System.DaysOlder);
  ::SetWindowTextA(Control("eAddExts"), core.System.AddExts.c_str());
  HWND folders = Control("lbxFolders");
  ::SendMessageA(folders, LB_RESETCONTENT, 0, 0);
  for (const std::string& folder : SplitDelimited(core.System.AddFolders, '|').Items) {
    ::SendMessageA(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  }
  ::EnableWindow(Control("bbcoSave"), FALSE);
}

}  // namespace qlm
