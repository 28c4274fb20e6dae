// The main window TFormMain: the frame of the program with its top bar, six
// pages, help menu, About window and wait message window. Creating it loads
// the settings, the languages and the pictures; closing it releases them in
// reverse and ends the message loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/uHandles.h"
#include "engine/uCoreThread.h"
#include "engine/uCustomDefine.h"
#include "settings/uConfig.h"
#include "startup/uLanguage.h"
#include "startup/uResources.h"
#include "ui/report/uReportModel.h"
#include "ui/report/uReportTree.h"
#include "ui/uAboutBox.h"
#include "ui/uControlSet.h"
#include "ui/uFonts.h"
#include "ui/uFormMessage.h"
#include "ui/uStatusRules.h"
#include "ui/uUiHandles.h"
#include "ui/uShellDialogs.h"
#include "ui/uUpdaterWindow.h"
#include "ui/uWindow.h"
#include "update/uUpdateList.h"

namespace qlm {

inline constexpr int MAIN_CLIENT_WIDTH = 697;
inline constexpr int MAIN_CLIENT_HEIGHT = 514;
inline constexpr COLORREF MAIN_BACKGROUND = RGB(0xD1, 0xD1, 0xD1);
inline constexpr char APPLICATION_TITLE[] = "Quillmere Pro";
inline constexpr char MAIN_WINDOW_CLASS[] = "TFormMain";
inline constexpr char UPDATE_FOLDER[] = "updates\\";
inline constexpr char UPDATE_PROGRAM[] = "update.bin";
inline constexpr char PROGRAM_FILE_NAME[] = "quillmere.exe";

// The window's copy of the settings' last operation, without the update time.
struct TLastOperation {
  TDateTime OperTime = 0;
  std::int64_t ObjsFound = 0;
  std::int64_t SizeFound = 0;
  std::int64_t ObjsRem = 0;
  std::int64_t SizeRem = 0;
};

// The save dialog's proposal for a saved list.
struct TSaveDialogSetup {
  std::string FileName;
  std::string InitialFolder;
};

class TFormMain final : public TWindow {
 public:
  explicit TFormMain(HINSTANCE instance);
  ~TFormMain() override;

  // Creates the window, which runs FormCreate, and shows it; false when
  // Windows refuses it.
  bool Create();
  // The keyboard's way through the window before a message is dispatched:
  // Tab, mnemonics and the wheel over the options pages. True when the
  // message was handled.
  bool PreTranslateMessage(MSG& message);

  // Published handlers.
  void FormCreate();
  void FormClose();
  bool FormMouseWheel(bool shift, int wheelDelta, POINT mouse);
  void bbHomeClick();
  void bbSettingsClick();
  void bbNextClick();
  void bbScanOptionsClick();
  void bbMainOptionsClick();
  void bbAppsOptionsClick();
  void bbaoCloseClick();
  void bbHelpClick();
  void pmAboutClick();
  void pmExitClick();
  // The options pages.
  void cbxLanguageSelect();
  void cbxConfigSelectSelect();
  void bbAddClick();
  void bbRemoveClick();
  // A click at that point of the folder list's client area.
  void lbxFoldersClick(POINT point);
  void lbxFoldersChange();
  void lbShowClick();
  void bbcoSaveClick();
  void bbcoCancelClick();
  void eRetentionChange();
  void bbmoSaveClick();
  void bbmoCancelClick();
  void lvAppsChange(const NMLISTVIEW& change);
  // Every click of a scan option, the day counts, the extra extensions and
  // the applications' marks only enable bbcoSave; every edit of the main
  // options only enables bbmoSave.
  void CoreOptionEdited();
  void MainOptionEdited();
  void bbHomeMouseEnter();
  void bbHomeMouseLeave();
  void bbScanMouseEnter();
  void bbScanMouseLeave();
  void bbSettingsMouseEnter();
  void bbSettingsMouseLeave();
  void bbHelpMouseEnter();
  void bbHelpMouseLeave();
  void bbScanOptionsMouseEnter();
  void bbScanOptionsMouseLeave();
  void bbMainOptionsMouseEnter();
  void bbMainOptionsMouseLeave();
  void bbAppsOptionsMouseEnter();
  void bbAppsOptionsMouseLeave();
  // The operation controller.
  void bbScanClick();
  void btnScanNowClick();
  void bbCleanClick();
  void bbStopClick();
  void bbFinishClick();
  void tScanTimer();
  void WMScanEnd(std::unique_ptr<TUpdateItem> item);
  void WMCleanEnd(std::unique_ptr<TUpdateItem> item);
  void WMUpdateCurrPath(std::unique_ptr<TUpdateItem> item);
  void WMUpdateScan(std::unique_ptr<TUpdateItem> item);
  void WMUpdateClean(std::unique_ptr<TUpdateItem> item);
  // The status panels, the Recycle Bin and the update entry.
  void btnCheckUpdateClick();
  void pmUpdatesClick();
  void pmOpenRBClick();
  void pmUpdateRBClick();
  void pmEmptyRBClick();
  // The report.
  void FillReport();
  void vtReportGetText(TReportRow row, int column, std::string& text);
  void vtReportChecking(TReportRow row, bool checked);
  void vtReportHeaderClick(int column);
  void vtReportGetHint(std::string& text);
  void vtReportContextPopup(TReportRow underMouse);
  void pmOpenFolderClick();
  void pmSaveListClick();
  TSaveDialogSetup PrepareSaveDialog();
  // Writes the saved list; an error is shown when it cannot be written.
  bool SaveObjectsList(const std::string& fileName);
  void PurgeSavedLists();

  // The window's state, as tests and the other windows see it.
  HWND Control(std::string_view name) const { return fControls.Get(name); }
  const TControlSet& Controls() const { return fControls; }
  HWND ActivePage() const;
  HMENU HelpMenu() const { return fHelpMenu.Get(); }
  HMENU RecycleBinMenu() const { return fRecycleBinMenu.Get(); }
  HMENU ReportMenu() const { return fReportMenu.Get(); }
  TReportModel& Report() { return FReport; }
  TReportTree* ReportTree() const;
  void SetShellDialogs(TShellDialogs shell);
  TConfig& Config() { return *FConfig; }
  TLanguage& Language() { return *FLanguage; }
  int LangIndex() const { return FLangIndex; }
  bool MainOptsVisited() const { return FMainOptsVisited; }
  bool ScanOptsLast() const { return FScanOptsLast; }
  TAboutBox& AboutBox() { return *FAboutBox; }
  TFormMessage& MessageForm() { return *FMessageForm; }
  const TDpiScale& Scale() const { return fScale; }
  // The update window's title and the texts of "Update.Close",
  // "Update.Update" and "Update.Restart", for the update program.
  const std::vector<std::string>& UpdateProgramTexts() const { return fUpdateProgramTexts; }
  // True from the start of an operation to its end message.
  bool OperationRunning() const { return fOperationRunning; }
  std::int64_t TotObjs() const { return fTotObjs; }
  std::int64_t TotSize() const { return fTotSize; }
  const TLastOperation& Last() const { return FLast; }
  TOutcomeMarks Outcome() const { return {FError, FFreeSpace, FAborted, FNoFound, FMajorObjs}; }
  TCoreThread* Worker() { return CoreThread.get(); }
  HWND Hints() const { return fHints; }
  // The update window; the update entry stays greyed without one.
  void SetUpdaterWindow(std::unique_ptr<IUpdaterWindow> window);
  IUpdaterWindow* UpdaterWindow() const { return FormUpdater.get(); }

  // The caption pass and the filling of the options pages; the language
  // change and the reload rule run them again.
  void UpdateLabels();
  void SetCoreOptions();
  void SetMainOptions();
  // The applications list: loaded and registered at start-up and after the
  // update window, cleared at exit.
  void LoadCustomDefines();
  void RegisterCustomDefines();
  void ClearCustomDefines();
  const TCustomDefineList& AppDefines() const { return fAppDefines; }
  // Asked before the user leaves an options page whose edits are not saved:
  // Yes saves them, No shows the stored options again, Cancel stays. False
  // when the user stays.
  bool ConfirmLeavingOptions();
  bool OfferElevation();
  void RestartElevated();

 private:
  // The running page's clock: its timer id and interval.
  static constexpr UINT_PTR tScan = 1;
  static constexpr UINT tScanInterval = 1000;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Command(int id, WORD code);
  bool CreateFrame();
  bool CreateMenus();
  void CreateColumns();
  void InitScanOptionsPage();
  void ScanOptionChange(int id);
  void WatchFolderList();
  void EnableControl(std::string_view name, bool enabled);
  void ShowAppMarks();
  void SaveAppMarks();
  void ShowDefineVersions();
  // The pages' fields written into the settings and the file; false, with
  // the page kept as it is, when something could not be stored.
  bool SaveCoreOptions();
  bool SaveMainOptions();
  void ShowRetentionError(bool shown);
  // A Save button with something to save is enabled and the page's default
  // button, which Enter presses.
  void SetSaveEnabled(std::string_view button, bool enabled);
  int DefaultButtonId() const;
  HWND PageSaveButton() const;
  void ApplyTraceOptions();
  void SetDefaultInits();
  void SetDefaultInterface();
  void LoadEndStatusImages();
  void LoadRecycleBinImages();
  void LoadLanguages();
  void UpdateLanguages();
  void UnloadLanguages();
  void ReleaseAll();
  void ShowError(const std::string& message);
  std::string Text(const std::string& key);
  std::string FormatSize(std::int64_t size) const;
  void HandleProgress(UINT message, WPARAM wParam);
  // Operation controller.
  void CreateCoreThread();
  void FreeCoreThread();
  void StartScan();
  void StartClean();
  void BeginOperation(TStatusKind kind);
  void EndOperation();
  void ShowEndPanel(bool report);
  void ShowNextButton();
  void SetCurrStatus(TStatusKind kind);
  void ColourGroupBox(std::string_view name, unsigned border, unsigned band);
  void CountProgress(std::unique_ptr<TUpdateItem> item, const char* countText,
                     const char* sizeText, int sign);
  void SetFinalStatus();
  void ShowFinalValues();
  void UpdateElapsedTime();
  void ShowRunningFigures();
  void DeliverQueuedProgress();
  void ShowProgress();
  void RunWorker(int opType);
  void StartClock();
  void ReadEnd(const TUpdateItem* item);
  void Show(std::string_view name, bool visible);
  void ClearFoundList();
  bool IsFoundListEmpty();
  void FreeFoundList();
  // The report.
  void CreateReportColumns();
  // The report holds references to the found records: it lets go of them
  // before the worker takes the list and before the list is freed at exit.
  void ForgetReport();
  LRESULT ReportNotify(NMHDR& header);
  void ShowReportMenu(LPARAM position);
  void SelectCategoryObjects(int category, bool state);
  void ShowWaitMessage(int kind);
  void HideWaitMessage();
  // Status panels and Recycle Bin.
  void UpdateStartupFlags();
  void SetStartupStatus();
  void ShowLastOperation();
  void UpdateRecycleBinStatus();
  void RetextStatusPanels();
  void EmptyRecycleBinOnExit();
  void PrepareUpdater();
  void LaunchUpdateProgram();
  bool CreateHints();
  void ShowRecycleBinMenu(LPARAM position);
  bool SaveSettings();
  void BringToFront(std::string_view page);
  void ReloadRule();
  void ScrollToTop(std::string_view area);
  void SetBarPicture(std::string_view button, int index);
  void SetLinkHover(std::string_view link, bool over);
  void ShowPicture(std::string_view control, const char* resourceName);
  void CaptionMenus();
  void CaptionColumns();
  void FillLogLevels();
  void PlaceSpinRows();
  HWND OwnerControl(HWND window) const;

  TDpiScale fScale;
  TFontSet fFontSet;
  TGdiObject fBackground;
  TControlSet fControls;
  TMenu fHelpMenu;
  TMenu fRecycleBinMenu;
  TMenu fReportMenu;
  TBitmap fBarPictures[4];
  TImageList fRBinImages;
  TImageList fEndStatusImages;

  std::unique_ptr<TConfig> FConfig;
  std::string FAppFolder;
  std::unique_ptr<TLanguage> FLanguage;
  int FLangIndex = 0;
  std::unique_ptr<TResHandler> FResHandler;
  std::unique_ptr<TAboutBox> FAboutBox;
  std::unique_ptr<TFormMessage> FMessageForm;
  bool FMainOptsVisited = false;
  bool FScanOptsLast = false;
  bool fReleased = false;

  // Operation controller.
  std::unique_ptr<TCoreThread> CoreThread;
  std::int64_t fTotObjs = 0;
  std::int64_t fTotSize = 0;
  TDateTime FStartTime = 0;
  bool FAborted = false;
  bool FError = false;
  bool FFreeSpace = false;
  bool FMajorObjs = false;
  bool FNoFound = false;
  TLastOperation FLast;
  bool fOperationRunning = false;
  // Set while the progress queue hands its messages to the window.
  bool fDeliveringProgress = false;
  // The folder the engine is in; shown with the figures once per delivery
  // of the queue, not once per message.
  std::string fCurrFolder;
  bool fProgressUnseen = false;

  // The report.
  TReportModel FReport;
  TShellDialogs fShell = DefaultShellDialogs();

  // The applications of the script, owned here and shared by the settings.
  TCustomDefineList fAppDefines;
  // Set while the program itself sets the applications' marks: only the
  // user's changes are edits.
  bool fSettingAppMarks = false;

  // Status panels and the update entry.
  bool FFromCheckUpdate = false;
  std::unique_ptr<IUpdaterWindow> FormUpdater;
  HWND fHints = nullptr;
  std::vector<std::string> fUpdateProgramTexts;
};

}  // namespace qlm
