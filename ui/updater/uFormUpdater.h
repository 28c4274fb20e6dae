// The update window TFormUpdater: it fetches the update list, shows the
// program files that are newer than the installed ones with their version,
// date, size and change notes, and installs the lines the user ticks. Every
// download runs on a TDownloader thread that reports with message 1031;
// unpacking and copying run here, between repaints of the line images.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/uControlSet.h"
#include "ui/uDpi.h"
#include "ui/uUiHandles.h"
#include "ui/uUpdaterWindow.h"
#include "ui/uWindow.h"
#include "update/uInstall.h"
#include "update/uUpdateList.h"

namespace qlm {

inline constexpr char UPDATER_CLASS[] = "TFormUpdater";
inline constexpr int UPDATER_CLIENT_WIDTH = 505;
inline constexpr int UPDATER_CLIENT_HEIGHT = 233;
// The strip of the eight line images in the program's resources.
inline constexpr char UPDATE_IMAGES_PICTURE[] = "UPDATEIMAGES";

// The texts that the language gives the window besides its captions.
struct TUpdaterTexts {
  std::string DownloadFileText;
  std::string ErrorListText;
  std::string CheckSiteUpdatesText;
  std::string NoUpdatesText;
  std::string ErrorUpdatingText;
  std::string AppUpdatedText;
  std::string RestartNeededText;
};

class TFormUpdater final : public TWindow, public IUpdaterWindow {
 public:
  TFormUpdater(HINSTANCE instance, const TDpiScale& scale, const TUiFonts& fonts);

  // Makes the hidden window owned by `owner` and runs FormCreate; false
  // when Windows refuses it.
  bool Create(HWND owner);

  // What the main window asks of it.
  void Prepare(const std::string& listName, const std::string& downloadFolder,
               const std::string& appFolder) override;
  void ShowModal() override;
  bool CatalogueRead() const override { return fCatalogueRead; }
  bool LaunchUpdateBin() const override { return fLaunchUpdateBin; }
  void UpdateLabels(const std::function<std::string(const std::string&)>& textOf) override;

  HWND Control(std::string_view name) const { return fControls.Get(name); }
  const TControlSet& Controls() const { return fControls; }
  bool Modal() const { return fModal; }
  // A check or an installation is under way.
  bool Busy() const { return fDownloading || fInstalling; }
  const TUpdaterTexts& Texts() const { return fTexts; }
  // The entry behind a line of lvUpdates.
  const TUpdateRecordEx& Entry(int line) const { return fEntries.at(line); }

  // Published handlers.
  void FormCreate();
  void FormShow();
  void btnCheckClick();
  void btnSelAllClick();
  void btnCloseClick();
  void btnUpdateClick();
  void lvUpdatesSelectItem(int line);
  void WMDownloaded(WPARAM succeeded);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Command(int id, WORD code);
  void Notify(const NMHDR& header);
  void FormCloseQuery();
  void CloseWindow();
  void LoadLineImages();
  void SetStatus(const std::string& text);
  void ShowError(const std::string& text);
  void Enable(std::string_view control, bool enabled);

  // The check (uFormUpdater.cpp).
  void CheckForUpdates();
  void StartDownload(bool isList, std::int64_t fileId);
  void ListDownloaded(bool succeeded);
  void ReadCatalogue();
  void AddCatalogueItem(TUpdateRecordEx entry);
  void ClearCatalogue();

  // The installation (uUpdaterInstall.cpp).
  void FileDownloaded(bool succeeded);
  void StartFirstDownload();
  bool StartNextDownload();
  void StartDownloadFrom(int line);
  void InstallSelected();
  void ShowUnpackProgress();
  void FinishInstallation();
  void EndInstallation();
  bool Ticked(int line) const;
  void SetLineImage(int line, int image);

  TDpiScale fScale;
  const TUiFonts& fFonts;
  TControlSet fControls;
  TImageList fLineImages;
  TUpdaterTexts fTexts;
  std::string fListName;
  std::string fDownloadFolder;
  std::string fAppFolder;
  std::vector<TUpdateRecordEx> fEntries;  // one per line of lvUpdates
  bool fModal = false;
  bool fDownloading = false;     // a TDownloader runs
  bool fDownloadingList = false;  // ... and it fetches the list
  bool fInstalling = false;      // from the press of Update to the final status
  bool fCloseWanted = false;     // the user closed the window during an installation
  int fCurrentLine = -1;
  int fAnimationFrame = UPDATE_IMAGE_UNPACK_FIRST;
  bool fShownOnce = false;
  bool fCatalogueRead = false;
  bool fLaunchUpdateBin = false;
  TInstallState fInstall;  // NeedRestart and InstallFailed
};

}  // namespace qlm
