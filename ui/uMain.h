// The main window TFormMain: the frame of the program with its top bar, six
// pages, help menu, About window and wait message window. Creating it loads
// the settings, the languages and the pictures; closing it releases them in
// reverse and ends the message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/uHandles.h"
#include "settings/uConfig.h"
#include "startup/uLanguage.h"
#include "startup/uResources.h"
#include "ui/uAboutBox.h"
#include "ui/uControlSet.h"
#include "ui/uFonts.h"
#include "ui/uFormMessage.h"
#include "ui/uUiHandles.h"
#include "ui/uWindow.h"

namespace qlm {

inline constexpr int MAIN_CLIENT_WIDTH = 697;
inline constexpr int MAIN_CLIENT_HEIGHT = 514;
inline constexpr COLORREF MAIN_BACKGROUND = RGB(0xD1, 0xD1, 0xD1);
inline constexpr char APPLICATION_TITLE[] = "Quillmere Pro";
inline constexpr char MAIN_WINDOW_CLASS[] = "TFormMain";

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
  void cbxLanguageSelect();
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

  // The window's state, as tests and the other windows see it.
  HWND Control(std::string_view name) const { return fControls.Get(name); }
  const TControlSet& Controls() const { return fControls; }
  HWND ActivePage() const;
  HMENU HelpMenu() const { return fHelpMenu.Get(); }
  HMENU RecycleBinMenu() const { return fRecycleBinMenu.Get(); }
  HMENU ReportMenu() const { return fReportMenu.Get(); }
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
  // The end of the last operation, which the running page's caption tells.
  void SetOperationOutcome(bool error, bool aborted);

  // The caption pass and the filling of the options pages; the language
  // change and the reload rule run them again.
  void UpdateLabels();
  void SetCoreOptions();
  void SetMainOptions();

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Command(int id, WORD code);
  bool CreateFrame();
  bool CreateMenus();
  void CreateColumns();
  void InitScanOptionsPage();
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
  bool FError = false;
  bool FAborted = false;
  bool fReleased = false;
  std::vector<std::string> fUpdateProgramTexts;
};

}  // namespace qlm
