// The applications page: the applications of the custom define script with
// their marks, saved with the scan options; and the versions of the
// definition files on the default page.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "base/uText.h"
#include "engine/uCategories.h"
#include "engine/uDefineFiles.h"
#include "startup/uTrace.h"
#include "ui/uCaptionKeys.h"
#include "ui/uMain.h"

namespace qlm {

namespace {
TCustomDefine* DefineOf(HWND list, int index) {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!ListView_GetItem(list, &item)) return nullptr;
  return reinterpret_cast<TCustomDefine*>(item.lParam);
}

int ItemCount(HWND list) { return ListView_GetItemCount(list); }

std::string VersionText(const std::string& version) { return ": v" + version; }
}  // namespace

void TFormMain::LoadCustomDefines() {
  // The items point into the list they replace.
  HWND list = Control("lvApps");
  ListView_DeleteAllItems(list);
  fAppDefines = qlm::LoadCustomDefines(FAppFolder);
  fSettingAppMarks = true;
  for (std::size_t index = 0; index < fAppDefines.Items.size(); ++index) {
    TCustomDefine& define = *fAppDefines.Items[index];
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    item.pszText = define.Name.data();
    item.lParam = reinterpret_cast<LPARAM>(&define);
    const int row = ListView_InsertItem(list, &item);
    if (row < 0) {
      Log(LVL_ERROR, "Unable to load custom define " + define.Name);
      continue;
    }
    ListView_SetItemText(list, row, 1, define.Version.data());
    ListView_SetCheckState(list, row, define.Selected);
  }
  fSettingAppMarks = false;
  ::SetWindowTextA(Control("lbScriptApps"), VersionText(fAppDefines.Version).c_str());
  SetSaveEnabled("bbcoSave", false);
  ShowDefineVersions();
}

// Custom objects are grouped by the position of their application in the
// list.
void TFormMain::RegisterCustomDefines() {
  HWND list = Control("lvApps");
  for (int index = 0; index < ItemCount(list); ++index) {
    if (TCustomDefine* define = DefineOf(list, index)) define->Category = OBJTYPE_CUSTOM + index;
  }
  FConfig->Options.Core.CustomDefines = &fAppDefines;
}

void TFormMain::ClearCustomDefines() {
  ListView_DeleteAllItems(Control("lvApps"));
  fAppDefines = TCustomDefineList();
  if (FConfig != nullptr) FConfig->Options.Core.CustomDefines = nullptr;
}

void TFormMain::ShowAppMarks() {
  HWND list = Control("lvApps");
  fSettingAppMarks = true;
  for (int index = 0; index < ItemCount(list); ++index) {
    if (const TCustomDefine* define = DefineOf(list, index)) {
      ListView_SetCheckState(list, index, define->Selected);
    }
  }
  fSettingAppMarks = false;
}

// Each mark goes into its section of the script. A script that cannot be
// written keeps its applications as they were, and the list shows them so:
// the next scan obeys what the page shows.
void TFormMain::SaveAppMarks() {
  HWND list = Control("lvApps");
  std::string failedFile;
  for (int index = 0; index < ItemCount(list); ++index) {
    TCustomDefine* define = DefineOf(list, index);
    if (define == nullptr) continue;
    if (!define->SetSelected(ListView_GetCheckState(list, index) != FALSE)) {
      failedFile = define->FileName;
    }
  }
  if (failedFile.empty()) return;
  ShowAppMarks();
  std::string message = Text(KEY_APPS_SAVE_ERROR);
  FillPlaceholder(message, "%s", failedFile);
  ShowError(message);
}

void TFormMain::lvAppsChange(const NMLISTVIEW& change) {
  const bool markChanged = (change.uChanged & LVIF_STATE) != 0 &&
                           ((change.uOldState ^ change.uNewState) & LVIS_STATEIMAGEMASK) != 0;
  if (markChanged && !fSettingAppMarks) CoreOptionEdited();
}

void TFormMain::ShowDefineVersions() {
  struct TDefineLabel {
    const char* Label;
    const char* File;
  };
  constexpr TDefineLabel kLabels[] = {{"lbDefCookies", "cookies.def"},
                                      {"lbDefExtensions", "extensions.def"},
                                      {"lbDefWindows", "windows.def"}};
  for (const TDefineLabel& label : kLabels) {
    ::SetWindowTextA(Control(label.Label),
                     VersionText(GetDefineVersion(FAppFolder, label.File)).c_str());
  }
}

}  // namespace qlm
