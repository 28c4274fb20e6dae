// The options pages' commands, and the question asked before a page with
// unsaved edits is left.
#include <windows.h>

#include "ui/controls/uLabelEx.h"
#include "ui/uCaptionKeys.h"
#include "ui/uCommandRoute.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"

namespace qlm {

namespace {
using F = TFormMain;

// A user's click on any scan option, a typed day count, extension list or
// cookie definitions file is something to save; so is a click on any main
// option, the "delete saved lists" box included, which could not be saved
// on its own otherwise.
constexpr TCommandRoute kRoutes[] = {
    {ID_cbxConfigSelect, CBN_SELCHANGE, &F::cbxConfigSelectSelect},
    {ID_bbAdd, BN_CLICKED, &F::bbAddClick},
    {ID_bbRemove, BN_CLICKED, &F::bbRemoveClick},
    {ID_lbxFolders, LBN_SELCHANGE, &F::lbxFoldersChange},
    {ID_lbShow, LXN_CLICK, &F::lbShowClick},
    {ID_bbcoSave, BN_CLICKED, &F::bbcoSaveClick},
    {ID_bbcoCancel, BN_CLICKED, &F::bbcoCancelClick},
    {ID_cbTrackCookies, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbEraseAll, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbCookiesIndexDat, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbFireFoxCookies, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbFlockCookies, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbUseDef, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbCache, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbForceDel, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbShowFiles, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbIEIndexDat, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbIEUpdates, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbAddressBarUrls, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbHistory, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbOleDeleted, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbWinRecents, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbOffRecents, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbTemp, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbMRUHistory, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbOlDeleted, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbOlJunk, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbDBcache, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbFireFoxCache, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbFlockCache, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbWinUpdates, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbwuOptionalUpdates, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbwuOrphanUpdates, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbWinTemp, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbPrefetch, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbFixedDrives, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbAddFolders, BN_CLICKED, &F::CoreOptionEdited},
    {ID_cbDefExts, BN_CLICKED, &F::CoreOptionEdited},
    {ID_sewuDays, EN_CHANGE, &F::CoreOptionEdited},
    {ID_sepfDays, EN_CHANGE, &F::CoreOptionEdited},
    {ID_seDays, EN_CHANGE, &F::CoreOptionEdited},
    {ID_eAddExts, EN_CHANGE, &F::CoreOptionEdited},
    {ID_leCookiesDef, EN_CHANGE, &F::CoreOptionEdited},
    {ID_cbxLanguage, CBN_SELCHANGE, &F::cbxLanguageSelect},
    {ID_cbxLogLevel, CBN_SELCHANGE, &F::MainOptionEdited},
    {ID_eRetention, EN_CHANGE, &F::eRetentionChange},
    {ID_cbScanLowPriority, BN_CLICKED, &F::MainOptionEdited},
    {ID_cbSelFoundObjs, BN_CLICKED, &F::MainOptionEdited},
    {ID_cbRemObjsInEnd, BN_CLICKED, &F::MainOptionEdited},
    {ID_cbObjsInRB, BN_CLICKED, &F::MainOptionEdited},
    {ID_cbHidePath, BN_CLICKED, &F::MainOptionEdited},
    {ID_cbAskConfirm, BN_CLICKED, &F::MainOptionEdited},
    {ID_cbShowProgress, BN_CLICKED, &F::MainOptionEdited},
    {ID_cbPlaySound, BN_CLICKED, &F::MainOptionEdited},
    {ID_cbEmptyRBin, BN_CLICKED, &F::MainOptionEdited},
    {ID_cbDelSaveLog, BN_CLICKED, &F::MainOptionEdited},
    {ID_bbmoSave, BN_CLICKED, &F::bbmoSaveClick},
    {ID_bbmoCancel, BN_CLICKED, &F::bbmoCancelClick},
};
}  // namespace

std::span<const TCommandRoute> OptionsRoutes() { return kRoutes; }

void TFormMain::SetSaveEnabled(std::string_view button, bool enabled) {
  HWND save = Control(button);
  ::EnableWindow(save, enabled ? TRUE : FALSE);
  ::SendMessageA(save, BM_SETSTYLE, enabled ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// The Save button that holds the edits of the page in front: the scan
// options' for the applications page too; none for the other pages.
HWND TFormMain::PageSaveButton() const {
  HWND page = ActivePage();
  switch (page != nullptr ? ::GetDlgCtrlID(page) : 0) {
    case ID_pScanOptions:
    case ID_pAppsOptions:
      return Control("bbcoSave");
    case ID_pMainOptions:
      return Control("bbmoSave");
    default:
      return nullptr;
  }
}

// Asked by the dialog manager for Enter and for the looks of the buttons:
// only a Save button on the page in front, with something to save.
int TFormMain::DefaultButtonId() const {
  HWND save = PageSaveButton();
  const bool onPage = save != nullptr && ::IsChild(ActivePage(), save);
  return onPage && ::IsWindowEnabled(save) ? ::GetDlgCtrlID(save) : 0;
}

bool TFormMain::ConfirmLeavingOptions() {
  HWND save = PageSaveButton();
  if (save == nullptr || !::IsWindowEnabled(save)) return true;
  const bool scanPage = save == Control("bbcoSave");
  switch (::MessageBoxA(fHandle, Text(KEY_UNSAVED_OPTIONS).c_str(), APPLICATION_TITLE,
                        MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return scanPage ? SaveCoreOptions() : SaveMainOptions();
    case IDNO:
      if (scanPage) {
        SetCoreOptions();
      } else {
        SetMainOptions();
      }
      return true;
    default:
      return false;
  }
}

}  // namespace qlm
