// The caption pass: every text of the main window, the About window and the
// wait message window from the current language.
#include <windows.h>

#include <commctrl.h>

#include "startup/uTrace.h"
#include "ui/uCaptionKeys.h"
#include "ui/uListColumns.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"

#include "ui/controls/uCheckBoxEx.h"

namespace qlm {

namespace {
struct TMenuCaption {
  int Id;
  const char* Key;
};
constexpr TMenuCaption kMenuCaptions[] = {
    {ID_pmHelp, "pmHelp"},         {ID_pmUpdates, "pmUpdates"},   {ID_pmAbout, "pmAbout"},
    {ID_pmExit, "pmExit"},         {ID_pmOpenRB, "pmOpenRB"},     {ID_pmUpdateRB, "pmUpdateRB"},
    {ID_pmEmptyRB, "pmEmptyRB"},   {ID_pmOpenFolder, "pmOpenFolder"},
    {ID_pmSaveList, "pmSaveList"}};

// Gaps after a label's text, in design pixels: 5 after a label, 21 after a
// check box's caption (room for its box).
constexpr int kLabelGap = 5;
constexpr int kCheckBoxGap = 21;

struct TSpinRow {
  const char* Label;
  const char* Spin;
  const char* Unit;
  int Gap;
};
constexpr TSpinRow kSpinRows[] = {{"lbDaysOlder", "seDays", "lbDays", kLabelGap},
                                  {"cbPrefetch", "sepfDays", "lbpfDays", kCheckBoxGap},
                                  {"lbwuDaysOlder", "sewuDays", "lbwuDays", kLabelGap}};

// The position of a window in its parent's client area.
RECT PlaceOf(HWND window) {
  RECT place{};
  ::GetWindowRect(window, &place);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

void MoveBy(HWND window, int dx) {
  const RECT place = PlaceOf(window);
  ::SetWindowPos(window, nullptr, place.left + dx, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TextWidth(HWND window, HFONT font) {
  char text[512] = {};
  const int length = ::GetWindowTextA(window, text, sizeof text);
  TWindowDC dc(window);
  if (dc.Get() == nullptr) return 0;
  TSelectedObject selected(dc.Get(), font);
  RECT extent{0, 0, 0, 0};
  ::DrawTextA(dc.Get(), text, length, &extent, DT_CALCRECT | DT_SINGLELINE);
  return extent.right;
}
}  // namespace

void TFormMain::UpdateLabels() {
  Log(LVL_DEBUG, "Updating labels...");
  std::string version = "v";
  version += FLanguage->GetVersion(FLangIndex);
  ::SetWindowTextA(Control("lbLngFileVersion"), version.c_str());
  FillLogLevels();
  const auto textOf = [this](const std::string& key) { return Text(key); };
  fControls.ApplyCaptions(textOf);
  PlaceSpinRows();
  CaptionMenus();
  CaptionColumns();
  ::SetWindowTextA(Control("gbCurrStatus"),
                   Text(FError     ? KEY_END_STATUS_ERROR
                        : FAborted ? KEY_END_STATUS_ABORT
                                   : KEY_END_STATUS_OK)
                       .c_str());
  FAboutBox->UpdateLabels(textOf);
  FMessageForm->UpdateLabels(textOf);
  if (FormUpdater) FormUpdater->UpdateLabels(textOf);
  fUpdateProgramTexts = {Text(KEY_UPDATER_CAPTION), Text(KEY_UPDATE_CLOSE),
                         Text(KEY_UPDATE_UPDATE), Text(KEY_UPDATE_RESTART)};
}

// The level shown stays chosen through a change of language: a list left
// without a selection would show no level and could save none.
void TFormMain::FillLogLevels() {
  HWND list = Control("cbxLogLevel");
  const LRESULT shown = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const char* key : LOG_LEVEL_KEYS) {
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(key).c_str()));
  }
  if (shown != CB_ERR) ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
}

void TFormMain::PlaceSpinRows() {
  for (const TSpinRow& row : kSpinRows) {
    HWND label = Control(row.Label);
    HWND edit = Control(row.Spin);
    HWND arrows = SpinButtonOf(edit);
    HWND unit = Control(row.Unit);
    // The spin box is its edit and, at the edit's right, its arrows.
    const RECT editPlace = PlaceOf(edit);
    const int spinWidth = PlaceOf(arrows).right - editPlace.left;
    const RECT labelPlace = PlaceOf(label);
    const int textWidth = TextWidth(label, fFontSet.Fonts().Normal);
    const TSpinRowPlacement placed = PlaceSpinRow(labelPlace.left, textWidth, fScale.Px(row.Gap),
                                                  spinWidth, fScale.Px(kLabelGap));
    // A label grows with its text, so no translation is cut; a check box
    // sizes itself.
    if (TCheckBoxEx::From(label) == nullptr) {
      ::SetWindowPos(label, nullptr, 0, 0, textWidth, labelPlace.bottom - labelPlace.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int dx = placed.SpinLeft - editPlace.left;
    MoveBy(edit, dx);
    MoveBy(arrows, dx);
    MoveBy(unit, placed.UnitLeft - PlaceOf(unit).left);
  }
}

void TFormMain::CaptionMenus() {
  for (const TMenuCaption& caption : kMenuCaptions) {
    const std::string text = Text(caption.Key);
    for (HMENU menu : {HelpMenu(), RecycleBinMenu(), ReportMenu()}) {
      MENUITEMINFOA item{};
      item.cbSize = sizeof item;
      item.fMask = MIIM_STRING;
      item.dwTypeData = const_cast<char*>(text.c_str());
      ::SetMenuItemInfoA(menu, caption.Id, FALSE, &item);
    }
  }
}

void TFormMain::CaptionColumns() {
  if (TReportTree* tree = ReportTree()) {
    for (int column = 0; column < REPORT_COLUMNS; ++column) {
      tree->SetColumnText(column, Text(REPORT_COLUMN_KEYS[column]));
    }
  }
  CaptionListColumns(Control("lvApps"), APPS_COLUMN_KEYS,
                     [this](const std::string& key) { return Text(key); });
}

}  // namespace qlm
