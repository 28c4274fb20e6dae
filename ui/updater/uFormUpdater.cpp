// The update window: its making, captions and showing, and the check of the
// update site. The installation is in uUpdaterInstall.cpp.
#include "ui/updater/uFormUpdater.h"

#include <commctrl.h>

#include <stdexcept>

#include "startup/uLocaleText.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"
#include "ui/pages/uPageLayouts.h"
#include "ui/uCaptionKeys.h"
#include "ui/uControlIds.h"
#include "ui/uListColumns.h"
#include "ui/uModalLoop.h"
#include "update/uCatalogue.h"
#include "update/uDownloader.h"
#include "update/uFileTable.h"
#include "update/uUpdateSignature.h"
#include "update/uUpdateSite.h"
#include "update/uVersionStamp.h"

namespace qlm {

namespace {
constexpr DWORD kUpdaterStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kUpdaterExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Name, version, date and size; sizes line up on their units.
constexpr TListColumn kColumns[] = {
    {160, LVCFMT_LEFT}, {90, LVCFMT_LEFT}, {120, LVCFMT_LEFT}, {100, LVCFMT_RIGHT}};
constexpr int kLineImageSize = 16;
}  // namespace

TFormUpdater::TFormUpdater(HINSTANCE instance, const TDpiScale& scale, const TUiFonts& fonts)
    : TWindow(instance), fScale(scale), fFonts(fonts) {}

bool TFormUpdater::Create(HWND owner) {
  if (!RegisterWindowClass(UPDATER_CLASS, ::GetSysColorBrush(COLOR_BTNFACE), nullptr)) {
    return false;
  }
  if (!CreateCentred(UPDATER_CLASS, "", kUpdaterStyle, fScale.Px(UPDATER_CLIENT_WIDTH),
                     fScale.Px(UPDATER_CLIENT_HEIGHT), kUpdaterExStyle, owner)) {
    return false;
  }
  ::SendMessageA(fHandle, WM_SETFONT, reinterpret_cast<WPARAM>(fFonts.Normal), FALSE);
  if (!fControls.Build(fInstance, fHandle, UpdaterLayout(), fScale, fFonts)) return false;
  FormCreate();
  return true;
}

void TFormUpdater::FormCreate() {
  fShownOnce = false;
  fCatalogueRead = false;
  fLaunchUpdateBin = false;
  fInstall = {};
  HWND list = Control("lvUpdates");
  // Ticks are the only thing a user changes in the list: no renaming, no
  // sorting by the header, but grid lines between the cells.
  ::SetWindowLongPtrA(list, GWL_STYLE,
                      ::GetWindowLongPtrA(list, GWL_STYLE) | LVS_NOSORTHEADER | LVS_SINGLESEL);
  ListView_SetExtendedListViewStyleEx(list, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
  AddListColumns(list, kColumns, fScale);
  LoadLineImages();
  Enable("btnUpdate", false);
  Enable("btnSelAll", false);
}

void TFormUpdater::LoadLineImages() {
  const TBitmap strip(static_cast<HBITMAP>(::LoadImageA(
      fInstance, UPDATE_IMAGES_PICTURE, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  fLineImages.Reset(ImageList_Create(kLineImageSize, kLineImageSize, ILC_COLOR32, 8, 0));
  if (!strip || !fLineImages || ImageList_Add(fLineImages.Get(), strip.Get(), nullptr) < 0) {
    Log(LVL_ERROR, "The update window's line images cannot be loaded");
    return;
  }
  ListView_SetImageList(Control("lvUpdates"), fLineImages.Get(), LVSIL_SMALL);
}

void TFormUpdater::UpdateLabels(const std::function<std::string(const std::string&)>& textOf) {
  ::SetWindowTextA(fHandle, textOf(KEY_UPDATER_CAPTION).c_str());
  fControls.ApplyCaptions(textOf);
  CaptionListColumns(Control("lvUpdates"), UPDATER_COLUMN_KEYS, textOf);
  fTexts.DownloadFileText = textOf(KEY_UPDATER_DOWNLOAD_FILE);
  fTexts.ErrorListText = textOf(KEY_UPDATER_ERROR_LIST);
  fTexts.CheckSiteUpdatesText = textOf(KEY_UPDATER_CHECK_SITE_UPDATES);
  fTexts.NoUpdatesText = textOf(KEY_UPDATER_NO_UPDATES);
  fTexts.ErrorUpdatingText = textOf(KEY_UPDATER_ERROR_UPDATING);
  fTexts.AppUpdatedText = textOf(KEY_UPDATER_APP_UPDATED);
  fTexts.RestartNeededText = textOf(KEY_UPDATER_RESTART_NEEDED);
}

void TFormUpdater::Prepare(const std::string& listName, const std::string& downloadFolder,
                           const std::string& appFolder) {
  fListName = listName;
  fDownloadFolder = downloadFolder;
  fAppFolder = appFolder;
}

void TFormUpdater::ShowModal() {
  if (fHandle == nullptr || fModal) return;
  fModal = true;
  fCloseWanted = false;
  // The check starts before the window shows: Check is greyed from the
  // first paint.
  FormShow();
  RunModal(fHandle, ::GetWindow(fHandle, GW_OWNER), Control("lvUpdates"),
           [this] { return fModal; });
  fModal = false;
}

void TFormUpdater::FormShow() {
  if (fShownOnce) return;
  fShownOnce = true;
  btnCheckClick();
}

void TFormUpdater::SetStatus(const std::string& text) {
  ::SetWindowTextA(Control("lbDownload"), text.c_str());
}

void TFormUpdater::Enable(std::string_view control, bool enabled) {
  ::EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

void TFormUpdater::btnCheckClick() {
  if (Busy()) return;
  fInstall.NeedRestart = false;
  fLaunchUpdateBin = false;
  try {
    Enable("btnCheck", false);
    ClearCatalogue();
    Enable("btnUpdate", false);
    CheckForUpdates();
  } catch (const std::exception& e) {
    Enable("btnCheck", true);
    ShowError(e.what());
  }
}

void TFormUpdater::ShowError(const std::string& text) {
  Log(LVL_ERROR, text);
  ::MessageBoxA(fHandle, text.c_str(), ControlText(fHandle).c_str(), MB_OK | MB_ICONERROR);
}

void TFormUpdater::CheckForUpdates() {
  DeleteSignedFile(fDownloadFolder + fListName);
  StartDownload(true, 0);
}

void TFormUpdater::StartDownload(bool isList, std::int64_t fileId) {
  const std::string shown = isList ? fListName : FileInfo(fileId).FileName;
  const std::string downloadName = isList ? fListName : FileInfo(fileId).ArchiveName;
  fDownloadingList = isList;
  SetStatus(fTexts.DownloadFileText + " " + shown + "...");
  if (!TDownloader::Start(fHandle, downloadName, UpdateBaseAddress(), fDownloadFolder, isList)) {
    throw std::runtime_error("The download of " + downloadName + " cannot be started.");
  }
  fDownloading = true;
}

void TFormUpdater::WMDownloaded(WPARAM succeeded) {
  if (!fDownloading) return;
  fDownloading = false;
  SetStatus("");
  if (fDownloadingList) {
    ListDownloaded(succeeded == 1);
  } else {
    FileDownloaded(succeeded == 1);
  }
}

void TFormUpdater::ListDownloaded(bool succeeded) {
  if (succeeded) {
    ReadCatalogue();
  } else {
    SetStatus(fTexts.ErrorListText);
  }
  Enable("btnCheck", true);
}

void TFormUpdater::ReadCatalogue() {
  TCatalogue catalogue = qlm::ReadCatalogue(fDownloadFolder + fListName, fAppFolder);
  for (TUpdateRecordEx& entry : catalogue.Entries) AddCatalogueItem(std::move(entry));
  switch (catalogue.Outcome) {
    case TCatalogueOutcome::NotValid:
      SetStatus(fTexts.CheckSiteUpdatesText);
      break;
    case TCatalogueOutcome::Failed:
      ShowError(catalogue.Error);
      break;
    case TCatalogueOutcome::NoUpdates:
      fCatalogueRead = true;
      SetStatus(fTexts.NoUpdatesText);
      break;
    case TCatalogueOutcome::Offered:
      fCatalogueRead = true;
      Enable("btnUpdate", true);
      Enable("btnSelAll", true);
      // The first line's notes show at once.
      ListView_SetItemState(Control("lvUpdates"), 0, LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
      break;
  }
}

void TFormUpdater::AddCatalogueItem(TUpdateRecordEx entry) {
  HWND list = Control("lvUpdates");
  const int line = static_cast<int>(fEntries.size());
  std::string name = FileInfo(entry.FileId).FileName;
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = line;
  item.pszText = name.data();
  item.iImage = I_IMAGENONE;
  if (ListView_InsertItem(list, &item) != line) {
    Log(LVL_ERROR, "The update list cannot show " + name);
    return;
  }
  const std::string cells[] = {FormatStamp(entry.Stamp), FileTimeToText(entry.Date),
                               MiscSizeText(entry.Size)};
  for (int column = 1; column <= 3; ++column) {
    ListView_SetItemText(list, line, column, const_cast<char*>(cells[column - 1].c_str()));
  }
  fEntries.push_back(std::move(entry));
}

void TFormUpdater::lvUpdatesSelectItem(int line) {
  HWND notes = Control("lbChanges");
  ::SendMessageA(notes, LB_RESETCONTENT, 0, 0);
  if (line < 0 || line >= static_cast<int>(fEntries.size())) return;
  for (const std::string& note : SplitChangeNotes(fEntries[line].Changes)) {
    ::SendMessageA(notes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(note.c_str()));
  }
}

void TFormUpdater::btnSelAllClick() {
  HWND list = Control("lvUpdates");
  for (int line = 0; line < static_cast<int>(fEntries.size()); ++line) {
    ListView_SetCheckState(list, line, TRUE);
  }
}

void TFormUpdater::btnCloseClick() {
  if (fInstalling) return;
  ClearCatalogue();
  CloseWindow();
}

void TFormUpdater::ClearCatalogue() {
  ListView_DeleteAllItems(Control("lvUpdates"));
  ::SendMessageA(Control("lbChanges"), LB_RESETCONTENT, 0, 0);
  fEntries.clear();
  fCurrentLine = -1;
}

void TFormUpdater::CloseWindow() {
  fModal = false;
  ::ShowWindow(fHandle, SW_HIDE);
}

// The window's close box, Esc and Alt+F4. A running installation is not cut
// short: its current step ends first, and the window closes after it.
void TFormUpdater::FormCloseQuery() {
  if (fInstalling) {
    fCloseWanted = true;
    return;
  }
  CloseWindow();
}

void TFormUpdater::Command(int id, WORD code) {
  if (id == IDCANCEL) {
    FormCloseQuery();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case ID_btnCheck:
      btnCheckClick();
      break;
    case ID_btnSelAll:
      btnSelAllClick();
      break;
    case ID_btnUpdate:
      btnUpdateClick();
      break;
    case ID_btnClose:
      btnCloseClick();
      break;
    default:
      break;
  }
}

void TFormUpdater::Notify(const NMHDR& header) {
  if (header.idFrom != ID_lvUpdates || header.code != LVN_ITEMCHANGED) return;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
      !(change.uOldState & LVIS_SELECTED)) {
    lvUpdatesSelectItem(change.iItem);
  }
}

LRESULT TFormUpdater::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      Notify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_UPDATE_DOWNLOADED:
      WMDownloaded(wParam);
      return 0;
    case WM_CLOSE:
      FormCloseQuery();
      return 0;
    case WM_CTLCOLORSTATIC:
      return FaceColouredStatic(wParam);
    default:
      return DefaultHandler(message, wParam, lParam);
  }
}

}  // namespace qlm
