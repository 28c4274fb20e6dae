// The report of what a scan found: the tree's columns and texts, the marks
// that the clean obeys, sorting, the tree's menu with its open-folder and
// save-list actions, the purge of old saved lists and the wait message.
#include <windows.h>

#include <commdlg.h>

#include <string>

#include "base/uAtomicReplace.h"
#include "base/uDirEnum.h"
#include "base/uFileSystem.h"
#include "base/uPathText.h"
#include "base/uText.h"
#include "engine/uCustomDefine.h"
#include "startup/uTrace.h"
#include "ui/report/uSavedLists.h"
#include "ui/uCaptionKeys.h"
#include "ui/uClock.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"

namespace qlm {

namespace {
// The design's widths; the Name column gives way where the tree is
// narrower, so that no horizontal scroll bar shows at the start.
constexpr int kNameWidth = 455;
constexpr int kNumberWidth = 100;

}  // namespace

TReportTree* TFormMain::ReportTree() const { return TReportTree::From(Control("vtReport")); }

void TFormMain::CreateReportColumns() {
  TReportTree* tree = ReportTree();
  if (tree == nullptr) return;
  RECT client{};
  ::GetClientRect(Control("vtReport"), &client);
  const int numbers = fScale.Px(kNumberWidth);
  const int room = client.right - ::GetSystemMetrics(SM_CXVSCROLL) - 2 * numbers;
  tree->AddColumn(std::min(fScale.Px(kNameWidth), room), false);
  tree->AddColumn(numbers, true);
  tree->AddColumn(numbers, true);
  tree->SetModel(&FReport);
}

void TFormMain::FillReport() {
  std::vector<std::string> customNames;
  if (const TCustomDefineList* defines = FConfig->Options.Core.CustomDefines) {
    for (const auto& define : defines->Items) customNames.push_back(define->Display);
  }
  const TOptions& options = FConfig->Options;
  FReport.Fill(FoundList.Window(), customNames,
               {options.SelFoundObjs, options.HidePath, options.Core.ShowFiles});
  if (TReportTree* tree = ReportTree()) tree->Reset();
}

void TFormMain::ForgetReport() {
  FReport.Clear();
  if (TReportTree* tree = ReportTree()) tree->Reset();
}

LRESULT TFormMain::ReportNotify(NMHDR& header) {
  switch (header.code) {
    case RTN_GETTEXT: {
      auto& request = reinterpret_cast<TReportTextRequest&>(header);
      vtReportGetText(request.Row, request.Column, *request.Text);
      return 1;
    }
    case RTN_CHECKING: {
      const auto& notice = reinterpret_cast<const TReportCheckNotice&>(header);
      vtReportChecking(notice.Row, notice.Checked);
      return 1;
    }
    case RTN_HEADERCLICK:
      vtReportHeaderClick(reinterpret_cast<const TReportHeaderNotice&>(header).Column);
      return 1;
    case RTN_GETHINT:
      vtReportGetHint(*reinterpret_cast<TReportTextRequest&>(header).Text);
      return 1;
    default:
      return 0;
  }
}

void TFormMain::vtReportGetText(TReportRow row, int column, std::string& text) {
  switch (column) {
    case REPORT_COLUMN_NAME:
      text = FReport.NameText(row);
      break;
    case REPORT_COLUMN_COUNT: {
      const std::int64_t count = FReport.Count(row);
      text = count == -1 ? std::string() : std::to_string(count);
      break;
    }
    case REPORT_COLUMN_SIZE:
      text = FormatSize(FReport.Size(row));
      break;
    default:
      text.clear();
      break;
  }
}

void TFormMain::vtReportChecking(TReportRow row, bool checked) {
  FReport.SetMark(row, checked);
  // The cache row without object rows stands for every cache record.
  if (row.IsGroup() && FReport.Groups()[row.Group].SumsOnly) {
    SelectCategoryObjects(OBJTYPE_IE_CACHE, checked);
  }
}

void TFormMain::SelectCategoryObjects(int category, bool state) {
  for (const auto& record : FoundList.Window()) {
    if (record && record->Category == category) record->Selected = state;
  }
}

void TFormMain::vtReportHeaderClick(int column) { FReport.HeaderClick(column); }

void TFormMain::vtReportGetHint(std::string& text) { Log(LVL_DEBUG, "Hint: " + text); }

void TFormMain::vtReportContextPopup(TReportRow underMouse) {
  const bool open = underMouse.Valid() && !underMouse.IsGroup() && ReportTree() != nullptr &&
                    underMouse == ReportTree()->Selection();
  ::EnableMenuItem(ReportMenu(), ID_pmOpenFolder, MF_BYCOMMAND | (open ? MF_ENABLED : MF_GRAYED));
}

void TFormMain::ShowReportMenu(LPARAM position) {
  TReportTree* tree = ReportTree();
  if (tree == nullptr) return;
  POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  TReportRow underMouse;
  if (position == -1) {
    // From the keyboard: the menu opens at the selected row, which counts
    // as the row under the mouse.
    RECT row = tree->RowRect(tree->Selection());
    if (::IsRectEmpty(&row)) ::GetClientRect(tree->Handle(), &row);
    at = {row.left + fScale.Px(24), row.bottom};
    ::ClientToScreen(tree->Handle(), &at);
    underMouse = tree->Selection();
  } else {
    POINT client = at;
    ::ScreenToClient(tree->Handle(), &client);
    underMouse = tree->HitTest(client).Row;
  }
  vtReportContextPopup(underMouse);
  ::TrackPopupMenu(ReportMenu(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, fHandle, nullptr);
}

void TFormMain::ShowWaitMessage(int kind) {
  FMessageForm->ShowOver(fHandle, Text(kind == 0 ? KEY_MESSAGE_SAVE_LIST : KEY_MESSAGE_OPEN_FOLDER));
}

void TFormMain::HideWaitMessage() { FMessageForm->Hide(); }

void TFormMain::pmOpenFolderClick() {
  ShowWaitMessage(1);
  const TReportTree* tree = ReportTree();
  const std::string folder = tree != nullptr ? FolderOf(FReport.Path(tree->Selection())) : "";
  // A path without a folder (or a row without a record) opens nothing
  // rather than the shell's default place.
  if (!folder.empty() && !fShell.Explore(fHandle, folder)) {
    Log(LVL_DEBUG, "The folder cannot be opened: " + folder);
  }
  HideWaitMessage();
}

TSaveDialogSetup TFormMain::PrepareSaveDialog() {
  TSaveDialogSetup setup;
  setup.FileName = SavedListName(Now());
  setup.InitialFolder = FAppFolder + SAVES_FOLDER;
  if (!IsExistingFolder(setup.InitialFolder) && !ForceFolders(setup.InitialFolder)) {
    Log(LVL_WARNING, "The folder cannot be made: " + setup.InitialFolder);
  }
  return setup;
}

void TFormMain::pmSaveListClick() {
  Log(LVL_DEBUG, "Save objects list...");
  const TSaveDialogSetup setup = PrepareSaveDialog();
  char fileName[MAX_PATH * 4] = {};
  setup.FileName.copy(fileName, sizeof fileName - 1);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = fHandle;
  dialog.lpstrFile = fileName;
  dialog.nMaxFile = sizeof fileName;
  dialog.lpstrInitialDir = setup.InitialFolder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT |
                 OFN_PATHMUSTEXIST;
  if (!fShell.SaveDialog(dialog)) return;
  SaveObjectsList(fileName);
}

bool TFormMain::SaveObjectsList(const std::string& fileName) {
  ShowWaitMessage(0);
  const bool written = WriteFileAtomically(fileName, FReport.SavedListText());
  HideWaitMessage();
  if (!written) {
    std::string message = Text(KEY_MESSAGE_SAVE_LIST_ERROR);
    FillPlaceholder(message, "%s", fileName);
    ShowError(message);
  }
  return written;
}

void TFormMain::PurgeSavedLists() {
  const int keep = FConfig->Options.MaxRetention;
  if (keep == 0) return;
  const std::string folder = FAppFolder + SAVES_FOLDER;
  std::vector<std::string> names;
  TDirEnum entries(folder, std::string(SAVED_LIST_PREFIX) + "*" + SAVED_LIST_EXTENSION);
  TDirEntry entry;
  while (entries.Next(entry)) {
    if (entry.IsPlainFile() && entry.NameReadable() && IsSavedListName(entry.Name)) {
      names.push_back(entry.Name);
    }
  }
  for (const std::string& name : NamesToPurge(std::move(names), keep)) {
    ::DeleteFileA((folder + name).c_str());
  }
}

void TFormMain::SetShellDialogs(TShellDialogs shell) { fShell = std::move(shell); }

}  // namespace qlm
