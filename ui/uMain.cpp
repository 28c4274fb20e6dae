#include "ui/uMain.h"

#include <commctrl.h>

#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "base/uExecutable.h"
#include "base/uPathText.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"
#include "startup/uTrace.h"
#include "ui/controls/uCustomControls.h"
#include "ui/controls/uImageEx.h"
#include "ui/controls/uPainting.h"
#include "ui/pages/uPageLayouts.h"
#include "ui/report/uReportTree.h"
#include "ui/uCaptionKeys.h"
#include "ui/uBarButton.h"
#include "ui/uControlIds.h"
#include "ui/uListColumns.h"
#include "ui/uPanel.h"
#include "ui/uPictureNames.h"
#include "ui/updater/uFormUpdater.h"

namespace qlm {

namespace {
// Fixed single border with the system menu and the minimise box only.
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                             WS_CLIPCHILDREN;
constexpr int kScrollLine = 20;

// The controls hidden until an operation or a page shows them; the start-up
// panel only appears when the start-up status has something to say.
constexpr const char* kHiddenAtStart[] = {"gbStartupStatus", "gbFinalStatus", "vtReport",
                                          "bbClean",         "bbFinish",      "btnCheckUpdate",
                                          "lbxDefExts",      "mbMain",        "bbStop"};
// The controls that an edit or a choice enables later; cbRemObjsInEnd stays
// disabled.
constexpr const char* kDisabledAtStart[] = {"bbcoSave", "bbmoSave", "bbAdd", "bbRemove",
                                            "cbRemObjsInEnd", "btnCheckUpdate"};

std::string FileVersionOf(const std::string& file) {
  if (Misc == nullptr || Misc->FileVersionText == nullptr) return {};
  char buffer[64] = {};
  const int length = Misc->FileVersionText(file.c_str(), buffer, sizeof buffer);
  return length > 0 && length < static_cast<int>(sizeof buffer) ? std::string(buffer, length)
                                                                 : std::string();
}

bool MiscAnswer(MiscActionFn slot) { return slot != nullptr && slot() != 0; }

}  // namespace

TFormMain::TFormMain(HINSTANCE instance)
    : TWindow(instance),
      fScale(ScreenScale()),
      fFontSet(fScale),
      fBackground(::CreateSolidBrush(MAIN_BACKGROUND)) {}

TFormMain::~TFormMain() { ReleaseAll(); }

bool TFormMain::Create() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS |
                                                     ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  if (!fBackground || !fFontSet.Valid() || !::InitCommonControlsEx(&controls) ||
      !RegisterCustomControls(fInstance) || !TReportTree::Register(fInstance) ||
      !TPanel::Register(fInstance) ||
      !TBarButton::Register(fInstance)) {
    return false;
  }
  HICON icon = ::LoadIconA(fInstance, PROGRAM_ICON);
  if (icon == nullptr) icon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  if (!RegisterWindowClass(MAIN_WINDOW_CLASS, static_cast<HBRUSH>(fBackground.Get()), icon) ||
      !CreateCentred(MAIN_WINDOW_CLASS, APPLICATION_TITLE, kMainStyle,
                     fScale.Px(MAIN_CLIENT_WIDTH), fScale.Px(MAIN_CLIENT_HEIGHT),
                     WS_EX_CONTROLPARENT)) {
    return false;
  }
  ::ShowWindow(fHandle, SW_SHOWNORMAL);
  ::UpdateWindow(fHandle);
  return true;
}

bool TFormMain::CreateFrame() {
  ::SendMessageA(fHandle, WM_SETFONT, reinterpret_cast<WPARAM>(fFontSet.Fonts().Normal), FALSE);
  if (!fControls.Build(fInstance, fHandle, FrameLayout(), fScale, fFontSet.Fonts())) return false;
  for (const TPageSpec& page : MainPages()) {
    HWND panel = ::CreateWindowExA(
        WS_EX_CONTROLPARENT, PANEL_CLASS, page.Name, WS_CHILD | WS_CLIPCHILDREN,
        fScale.Px(PAGE_LEFT), fScale.Px(PAGE_TOP), fScale.Px(PAGE_WIDTH),
        fScale.Px(PAGE_HEIGHT), fHandle, reinterpret_cast<HMENU>(static_cast<INT_PTR>(page.Id)),
        fInstance, nullptr);
    TPanel* pagePanel = TPanel::From(panel);
    if (pagePanel == nullptr) return false;
    pagePanel->SetColor(RgbColour(page.Background));
    if (!fControls.Build(fInstance, panel, page.Layout, fScale, fFontSet.Fonts())) return false;
    for (const TControlSpec& spec : page.Layout) {
      if (spec.Kind != TControlKind::ScrollArea) continue;
      TPanel* area = TPanel::From(Control(spec.Name));
      if (area == nullptr) return false;
      area->SetColor(pagePanel->Color());
      area->SetScrollRange(fScale.Px(page.ScrollRange), fScale.Px(kScrollLine));
    }
  }
  for (const char* name : kHiddenAtStart) ::ShowWindow(Control(name), SW_HIDE);
  for (const char* name : kDisabledAtStart) ::EnableWindow(Control(name), FALSE);
  CreateColumns();
  InitScanOptionsPage();
  return CreateMenus() && CreateHints();
}

void TFormMain::CreateColumns() {
  // Widths in design pixels; captions come with the caption pass.
  constexpr TListColumn kAppsColumns[] = {{400, LVCFMT_LEFT}, {70, LVCFMT_RIGHT}};
  AddListColumns(Control("lvApps"), kAppsColumns, fScale);
  CreateReportColumns();
}

bool TFormMain::CreateMenus() {
  fHelpMenu.Reset(::CreatePopupMenu());
  fRecycleBinMenu.Reset(::CreatePopupMenu());
  fReportMenu.Reset(::CreatePopupMenu());
  if (!fHelpMenu || !fRecycleBinMenu || !fReportMenu) return false;
  HMENU help = fHelpMenu.Get();
  return ::AppendMenuA(help, MF_STRING | MF_GRAYED, ID_pmHelp, "pmHelp") &&
         ::AppendMenuA(help, MF_SEPARATOR, 0, nullptr) &&
         ::AppendMenuA(help, MF_STRING | MF_GRAYED, ID_pmUpdates, "pmUpdates") &&
         ::AppendMenuA(help, MF_STRING, ID_pmAbout, "pmAbout") &&
         ::AppendMenuA(help, MF_SEPARATOR, 0, nullptr) &&
         ::AppendMenuA(help, MF_STRING, ID_pmExit, "pmExit") &&
         ::AppendMenuA(fRecycleBinMenu.Get(), MF_STRING, ID_pmOpenRB, "pmOpenRB") &&
         ::AppendMenuA(fRecycleBinMenu.Get(), MF_STRING, ID_pmUpdateRB, "pmUpdateRB") &&
         ::AppendMenuA(fRecycleBinMenu.Get(), MF_STRING, ID_pmEmptyRB, "pmEmptyRB") &&
         ::AppendMenuA(fReportMenu.Get(), MF_STRING, ID_pmOpenFolder, "pmOpenFolder") &&
         ::AppendMenuA(fReportMenu.Get(), MF_SEPARATOR, 0, nullptr) &&
         ::AppendMenuA(fReportMenu.Get(), MF_STRING, ID_pmSaveList, "pmSaveList");
}

void TFormMain::FormCreate() {
  if (!CreateFrame()) throw std::runtime_error("the main window's controls cannot be made");
  SetDefaultInits();
  LoadLanguages();
  UpdateLanguages();
  UpdateLabels();
  SetDefaultInterface();
  SetMainOptions();
  SetCoreOptions();
  LoadCustomDefines();
  RegisterCustomDefines();
  if (FConfig->Options.DelSaveLog) PurgeSavedLists();
}

void TFormMain::SetDefaultInits() {
  Log(LVL_DEBUG, "Set default inits...");
  FConfig = std::make_unique<TConfig>(SETTINGS_FILE);
  FConfig->Load();
  FAppFolder = FConfig->Options.Main.AppFolder;
  TMainOptions& main = FConfig->Options.Main;
  if (Misc != nullptr) {
    main.CapabilityFlag1 = MiscAnswer(Misc->CapabilityFlag1);
    main.OutlookAvailable = MiscAnswer(Misc->OutlookAvailable);
    main.LegacyCategoriesOff = MiscAnswer(Misc->LegacyCategoriesOff);
  }
  ClearFoundList();
  CreateCoreThread();
  FAboutBox = std::make_unique<TAboutBox>(fInstance, fScale, fFontSet.Fonts());
  if (!FAboutBox->Create()) throw std::runtime_error("the About window cannot be made");
  FAboutBox->SetVersions(FileVersionOf(ExecutablePath()), FileVersionOf(FAppFolder + "misc.dll"));
  FMessageForm = std::make_unique<TFormMessage>(fInstance, fScale, fFontSet.Fonts());
  if (!FMessageForm->Create(fHandle)) {
    throw std::runtime_error("the wait message window cannot be made");
  }
  auto updater = std::make_unique<TFormUpdater>(fInstance, fScale, fFontSet.Fonts());
  if (!updater->Create(fHandle)) throw std::runtime_error("the update window cannot be made");
  SetUpdaterWindow(std::move(updater));
  UpdateStartupFlags();
  FResHandler = std::make_unique<TResHandler>(FAppFolder + RES_LIBRARY_FILE);
}

void TFormMain::ShowPicture(std::string_view control, const char* resourceName) {
  if (auto* image = TImageEx::From(Control(control))) {
    image->SetPicture(FResHandler->GetBitmap(resourceName));
  }
}

void TFormMain::SetDefaultInterface() {
  Log(LVL_DEBUG, "Set default interface...");
  BringToFront("pDefault");
  ShowPicture("iLogo", RES_MAIN_LOGO.Name);
  FAboutBox->SetPictures(FResHandler->GetBitmap(RES_MAIN_ICON.Name),
                         FResHandler->GetBitmap(RES_MAIN_LOGO.Name),
                         FResHandler->GetBitmap(RES_INFO_SMALL.Name),
                         FResHandler->GetBitmap(RES_GLOBE_SMALL.Name));
  LoadRecycleBinImages();
  LoadEndStatusImages();
  ShowPicture("imgMainOptions", RES_MAIN_OPTIONS.Name);
  ShowPicture("iMainOptions", RES_MAIN_OPTIONS.Name);
  ShowPicture("imgScanOptions", RES_SCAN_OPTIONS.Name);
  ShowPicture("iScanOptions", RES_SCAN_OPTIONS.Name);
  ShowPicture("imgAppsOptions", RES_APPS_OPTIONS.Name);
  ShowPicture("iAppsOptions", RES_APPS_OPTIONS.Name);
  for (int index = 0; index < 4; ++index) {
    fBarPictures[index].Reset(static_cast<HBITMAP>(::LoadImageA(
        fInstance, BUTTON_STRIPS[index].Name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  const char* bar[] = {"bbHome", "bbScan", "bbSettings", "bbHelp"};
  for (int index = 0; index < 4; ++index) {
    if (auto* button = TBarButton::From(Control(bar[index]))) {
      button->SetPictures(fBarPictures[index].Get());
    }
  }
  SetStartupStatus();
}

namespace {
// An image list of equal pictures from the resource library.
void FillImageList(TImageList& list, TResHandler& resources,
                   std::initializer_list<TPictureName> pictures) {
  const TPictureName& first = *pictures.begin();
  list.Reset(ImageList_Create(first.Width, first.Height, ILC_COLOR32, 0,
                              static_cast<int>(pictures.size())));
  if (!list) return;
  for (const TPictureName& picture : pictures) {
    HBITMAP bitmap = resources.GetBitmap(picture.Name);
    if (bitmap == nullptr || ImageList_Add(list.Get(), bitmap, nullptr) < 0) {
      Log(LVL_TRASH, std::string("Picture not in the image list: ") + picture.Name);
    }
  }
}
}  // namespace

void TFormMain::LoadRecycleBinImages() {
  FillImageList(fRBinImages, *FResHandler, {RES_RBIN_EMPTY, RES_RBIN_FULL});
  if (auto* image = TImageEx::From(Control("imgRBin"))) {
    image->SetImages(fRBinImages.Get());
    image->SetImageIndex(0);
  }
  UpdateRecycleBinStatus();
}

void TFormMain::LoadEndStatusImages() {
  FillImageList(fEndStatusImages, *FResHandler, {RES_END_STATUS_OK, RES_END_STATUS_WARNING, RES_END_STATUS_ERROR});
  for (const char* name : {"imgStartupStatus", "imgEndStatus"}) {
    if (auto* image = TImageEx::From(Control(name))) {
      image->SetImages(fEndStatusImages.Get());
      image->SetImageIndex(0);
    }
  }
}

void TFormMain::ShowError(const std::string& message) {
  const std::string caption = FLanguage != nullptr && FLanguage->HasAnyLanguage()
                                  ? Text(KEY_CAP_ERROR)
                                  : std::string(LNG_LOAD_ERROR_CAPTION);
  Log(LVL_ERROR, message);
  ::MessageBoxA(fHandle, message.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

void TFormMain::LoadLanguages() {
  FLanguage = qlm::LoadLanguages(FAppFolder, FAppFolder + LNG_LIBRARY_FILE);
  if (FLanguage->Count() > 0) return;
  ShowError(LNG_LOAD_ERROR_TEXT);
  // Nothing can be shown without a language: the process ends here, as
  // start-up would after a fatal error.
  ::ExitProcess(1);
}

void TFormMain::UpdateLanguages() {
  const TLanguageChoice choice = qlm::UpdateLanguages(*FLanguage, FConfig->Options.Main.LngFile);
  HWND list = Control("cbxLanguage");
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& name : choice.Names) {
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  FLangIndex = choice.Index;
}

void TFormMain::UnloadLanguages() {
  Log(LVL_DEBUG, "Unloading languages...");
  qlm::UnloadLanguages(FLanguage);
}

std::string TFormMain::Text(const std::string& key) {
  return FLanguage != nullptr && FLanguage->Count() > 0 ? FLanguage->GetString(FLangIndex, key)
                                                        : std::string(LNG_NULL_TEXT);
}

void TFormMain::FormClose() {
  if (!ConfirmLeavingOptions()) return;
  EmptyRecycleBinOnExit();
  ReleaseAll();
  ::DestroyWindow(fHandle);
}

void TFormMain::ReleaseAll() {
  if (fReleased) return;
  fReleased = true;
  FreeCoreThread();
  // The worker has ended: what it queued for the window is freed unread.
  if (fHandle != nullptr) DiscardProgress(fHandle);
  if (FLanguage != nullptr) UnloadLanguages();
  FAboutBox.reset();
  FormUpdater.reset();
  FResHandler.reset();
  FreeFoundList();
  ClearCustomDefines();
  FConfig.reset();
}

HWND TFormMain::ActivePage() const {
  for (const TPageSpec& page : MainPages()) {
    HWND panel = ::GetDlgItem(fHandle, page.Id);
    if (::IsWindowVisible(panel)) return panel;
  }
  return nullptr;
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->idFrom == ID_vtReport) return ReportNotify(*header);
      if (header->idFrom == ID_lvApps && header->code == LVN_ITEMCHANGED) {
        lvAppsChange(*reinterpret_cast<NMLISTVIEW*>(lParam));
        return 0;
      }
      return DefaultHandler(message, wParam, lParam);
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == Control("bbHelp")) {
        bbHelpClick();
        return 0;
      }
      if (reinterpret_cast<HWND>(wParam) == Control("imgRBin")) {
        ShowRecycleBinMenu(lParam);
        return 0;
      }
      if (reinterpret_cast<HWND>(wParam) == Control("vtReport")) {
        ShowReportMenu(lParam);
        return 0;
      }
      return DefaultHandler(message, wParam, lParam);
    case WM_CORE_PROGRESS:
      DeliverQueuedProgress();
      return 0;
    case WM_CORE_SCAN_END:
    case WM_CORE_CLEAN_END:
    case WM_CORE_CURR_PATH:
    case WM_CORE_UPDATE_SCAN:
    case WM_CORE_UPDATE_CLEAN:
      HandleProgress(message, wParam);
      return 0;
    case WM_TIMER:
      if (wParam == tScan) tScanTimer();
      return 0;
    case DM_GETDEFID: {
      const int id = DefaultButtonId();
      return id != 0 ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      ::SetBkColor(reinterpret_cast<HDC>(wParam), MAIN_BACKGROUND);
      return reinterpret_cast<LRESULT>(fBackground.Get());
    case WM_CLOSE:
      FormClose();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultHandler(message, wParam, lParam);
  }
}

}  // namespace qlm
