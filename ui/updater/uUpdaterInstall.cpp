// The update window's installation: the ticked lines' archives downloaded
// one after the other, then unpacked, checked and put into place in one
// pass, and the restart through update.bin when the program's own files
// changed.
#include "ui/updater/uFormUpdater.h"

#include <commctrl.h>

#include <stdexcept>

#include "startup/uTrace.h"
#include "update/uCompress.h"
#include "update/uDownloader.h"
#include "update/uUpdateSignature.h"

namespace qlm {

bool TFormUpdater::Ticked(int line) const {
  return ListView_GetCheckState(Control("lvUpdates"), line) != FALSE;
}

void TFormUpdater::SetLineImage(int line, int image) {
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = line;
  item.iImage = image;
  ListView_SetItem(Control("lvUpdates"), &item);
}

// Check, Update and Close stay disabled until the final status: a new check
// would empty the list under the installation, and closing waits for the
// step that runs.
void TFormUpdater::btnUpdateClick() {
  if (Busy()) return;
  fInstalling = true;
  Enable("btnUpdate", false);
  Enable("btnCheck", false);
  Enable("btnClose", false);
  StartFirstDownload();
}

void TFormUpdater::StartFirstDownload() {
  fCurrentLine = -1;
  if (!StartNextDownload()) EndInstallation();
}

bool TFormUpdater::StartNextDownload() {
  for (int line = fCurrentLine + 1; line < static_cast<int>(fEntries.size()); ++line) {
    if (Ticked(line)) {
      StartDownloadFrom(line);
      return true;
    }
  }
  return false;
}

void TFormUpdater::StartDownloadFrom(int line) {
  fCurrentLine = line;
  SetLineImage(line, UPDATE_IMAGE_DOWNLOADING);
  try {
    StartDownload(false, fEntries[line].FileId);
  } catch (const std::exception& e) {
    // The line fails like a failed download and the sequence goes on.
    Log(LVL_ERROR, e.what());
    ::PostMessageA(fHandle, WM_UPDATE_DOWNLOADED, 0, 0);
    fDownloading = true;
  }
}

void TFormUpdater::FileDownloaded(bool succeeded) {
  SetLineImage(fCurrentLine, succeeded ? UPDATE_IMAGE_DONE : UPDATE_IMAGE_FAILED);
  if (fCloseWanted) {
    // Closed while downloading: nothing more is fetched or installed; what
    // came stays in the download folder.
    EndInstallation();
    return;
  }
  if (StartNextDownload()) return;
  InstallSelected();
  FinishInstallation();
}

void TFormUpdater::InstallSelected() {
  fInstall = {};
  fAnimationFrame = UPDATE_IMAGE_UNPACK_FIRST;
  TCompression compression;
  compression.SetProgress([this](TCompression&) { ShowUnpackProgress(); });
  for (int line = 0; line < static_cast<int>(fEntries.size()); ++line) {
    if (!Ticked(line)) continue;
    fCurrentLine = line;
    const int image =
        InstallEntry(fEntries[line], fDownloadFolder, fAppFolder, compression, fInstall);
    SetLineImage(line, image);
    fAnimationFrame = UPDATE_IMAGE_UNPACK_FIRST;
  }
  DeleteSignedFile(fDownloadFolder + fListName);
}

void TFormUpdater::ShowUnpackProgress() {
  SetLineImage(fCurrentLine, fAnimationFrame);
  fAnimationFrame =
      fAnimationFrame == UPDATE_IMAGE_UNPACK_LAST ? UPDATE_IMAGE_UNPACK_FIRST : fAnimationFrame + 1;
  // Repaints, and keeps the window answering between the steps.
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (::IsDialogMessageA(fHandle, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void TFormUpdater::FinishInstallation() {
  SetStatus(fInstall.InstallFailed ? fTexts.ErrorUpdatingText : fTexts.AppUpdatedText);
  if (fInstall.NeedRestart) {
    ::MessageBoxA(fHandle, fTexts.RestartNeededText.c_str(), ControlText(fHandle).c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    fLaunchUpdateBin = true;
    fCloseWanted = true;
  }
  EndInstallation();
}

void TFormUpdater::EndInstallation() {
  fInstalling = false;
  Enable("btnUpdate", true);
  Enable("btnCheck", true);
  Enable("btnClose", true);
  if (fCloseWanted) CloseWindow();
}

}  // namespace qlm
