// The scan options page: filled from the options record and written back,
// the enabling rules, the presets, Save and Cancel.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <span>

#include "base/uStringList.h"
#include "base/uText.h"
#include "startup/uTrace.h"
#include "ui/controls/uCheckBoxEx.h"
#include "ui/options/uEnablingRules.h"
#include "ui/uControlIds.h"
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

bool Checked(HWND box) {
  const auto* check = TCheckBoxEx::From(box);
  return check != nullptr && check->Checked();
}

void SetBox(HWND window, bool checked) {
  if (auto* box = TCheckBoxEx::From(window)) box->SetChecked(checked);
}

struct TSpinRange {
  const char* Control;
  int Low;
  int High;
  int& (*Field)(TCoreOptions&);
};

constexpr TSpinRange kSpinRanges[] = {
    {"sewuDays", 7, 60, [](TCoreOptions& o) -> int& { return o.WinUpdatesDays; }},
    {"sepfDays", 7, 60, [](TCoreOptions& o) -> int& { return o.PrefetchDays; }},
    {"seDays", 0, 30, [](TCoreOptions& o) -> int& { return o.System.DaysOlder; }}};

void SetSpin(HWND edit, int value) {
  ::SendMessageA(SpinButtonOf(edit), UDM_SETPOS32, 0, value);
}

// A spin box's value as the page holds it: a typed or pasted text outside
// the range, or no number at all, is taken as the nearest allowed value and
// shown as such.
int SpinValue(HWND edit, const TSpinRange& range) {
  const int value =
      std::clamp(ParseDecimal(ControlText(edit)).value_or(range.Low), range.Low, range.High);
  SetSpin(edit, value);
  return value;
}

TStringList ListItems(HWND list) {
  TStringList items;
  const auto count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const auto length = ::SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length < 0) continue;
    std::string item(static_cast<std::size_t>(length) + 1, '\0');
    const auto read = ::SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(std::max<LRESULT>(read, 0)));
    items.Items.push_back(std::move(item));
  }
  return items;
}

// The presets in list order; their names are the same in every language.
struct TPreset {
  const char* Name;
  void (TConfig::*Apply)();
};
constexpr TPreset kPresets[] = {{"Default scan", &TConfig::ApplyDefaultScan},
                                {"Fast scan", &TConfig::ApplyFastScan},
                                {"Full scan", &TConfig::ApplyFullScan},
                                {"Internet scan", &TConfig::ApplyInternetScan}};
}  // namespace

void TFormMain::InitScanOptionsPage() {
  for (const TSpinRange& range : kSpinRanges) {
    ::SendMessageA(SpinButtonOf(Control(range.Control)), UDM_SETRANGE32, range.Low, range.High);
  }
  HWND presets = Control("cbxConfigSelect");
  for (const TPreset& preset : kPresets) {
    ::SendMessageA(presets, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset.Name));
  }
  WatchFolderList();
}

void TFormMain::EnableControl(std::string_view name, bool enabled) {
  HWND control = Control(name);
  ::EnableWindow(control, enabled ? TRUE : FALSE);
  if (HWND arrows = SpinButtonOf(control)) ::EnableWindow(arrows, enabled ? TRUE : FALSE);
}

// The change of a box's mark, by the user or by the program: its enabling
// rules run, so they also hold while the page is filled.
void TFormMain::ScanOptionChange(int id) {
  const TControlSpec* spec = fControls.SpecOf(id);
  if (spec == nullptr) return;
  const auto checked = [this](std::string_view box) { return Checked(Control(box)); };
  for (const TEnablingRule& rule : RulesOf(spec->Name)) {
    const bool enabled = RuleEnables(rule, checked);
    for (const char* target : rule.Targets) {
      if (target != nullptr) EnableControl(target, enabled);
    }
  }
  // These four changes only tell that there is something to save.
  constexpr int kSaveOnly[] = {ID_cbCookiesIndexDat, ID_cbHistory, ID_cbAddressBarUrls,
                               ID_cbIEIndexDat};
  if (std::find(std::begin(kSaveOnly), std::end(kSaveOnly), id) != std::end(kSaveOnly)) {
    CoreOptionEdited();
  }
}

void TFormMain::CoreOptionEdited() { SetSaveEnabled("bbcoSave", true); }

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
  if (main.LegacyCategoriesOff) EnableControl("sewuDays", false);
  for (const TFlagBinding& flag : kOutlookFlags) {
    SetBox(Control(flag.Control), main.OutlookAvailable && flag.Field(core));
    ::EnableWindow(Control(flag.Control), main.OutlookAvailable ? TRUE : FALSE);
  }
  for (const TSpinRange& range : kSpinRanges) {
    SetSpin(Control(range.Control), range.Field(core));
  }
  ::SetWindowTextA(Control("eAddExts"), core.System.AddExts.c_str());
  HWND folders = Control("lbxFolders");
  ::SendMessageA(folders, LB_RESETCONTENT, 0, 0);
  for (const std::string& folder : SplitDelimited(core.System.AddFolders, '|').Items) {
    ::SendMessageA(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  }
  // The applications' marks are saved with this page: they show what is
  // stored, as the rest of the page does.
  ShowAppMarks();
  SetSaveEnabled("bbcoSave", false);
}

bool TFormMain::SaveCoreOptions() {
  TCoreOptions& core = FConfig->Options.Core;
  for (std::span<const TFlagBinding> flags : {std::span<const TFlagBinding>(kScanFlags),
                                              std::span<const TFlagBinding>(kLegacyFlags),
                                              std::span<const TFlagBinding>(kOutlookFlags)}) {
    for (const TFlagBinding& flag : flags) flag.Field(core) = Checked(Control(flag.Control));
  }
  core.Cookies.DefsFile = ControlText(Control("leCookiesDef"));
  for (const TSpinRange& range : kSpinRanges) {
    range.Field(core) = SpinValue(Control(range.Control), range);
  }
  core.System.AddExts = ControlText(Control("eAddExts"));
  core.System.AddFolders = DelimitedText(ListItems(Control("lbxFolders")));
  SaveAppMarks();
  if (!SaveSettings()) return false;
  SetSaveEnabled("bbcoSave", false);
  return true;
}

void TFormMain::bbcoSaveClick() {
  if (SaveCoreOptions()) BringToFront("pSettings");
}

void TFormMain::bbcoCancelClick() {
  BringToFront("pSettings");
  SetCoreOptions();
}

// A preset is in the settings at once and used by the next scan; only
// Save stores it.
void TFormMain::cbxConfigSelectSelect() {
  const auto index =
      static_cast<int>(::SendMessageA(Control("cbxConfigSelect"), CB_GETCURSEL, 0, 0));
  if (index < 0 || index >= static_cast<int>(std::size(kPresets))) return;
  (FConfig.get()->*kPresets[index].Apply)();
  SetCoreOptions();
  CoreOptionEdited();
}

}  // namespace qlm
