// The default page's panels on the real main window: the start-up status
// from the settings' dates, the Recycle Bin of the prefix's own user, and
// the update entry with what the update window leaves behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "startup/uMiscLoad.h"
#include "ui/controls/uGroupBoxEx.h"
#include "ui/controls/uImageEx.h"
#include "ui/controls/uPainting.h"
#include "ui/uCaptionKeys.h"
#include "ui/uClock.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "tests/support/uTestSupport.h"
#include "tests/ui/uUiTestSupport.h"
#include "update/uUpdateBinArgs.h"

using namespace qlm;

namespace {

class TFakeUpdater final : public IUpdaterWindow {
 public:
  void Prepare(const std::string& listName, const std::string& downloadFolder,
               const std::string& appFolder) override {
    ListName = listName;
    DownloadFolder = downloadFolder;
    AppFolder = appFolder;
  }
  void ShowModal() override { ++Shown; }
  bool CatalogueRead() const override { return Read; }
  bool LaunchUpdateBin() const override { return Launch; }
  void UpdateLabels(const std::function<std::string(const std::string&)>&) override {}

  std::string ListName, DownloadFolder, AppFolder;
  int Shown = 0;
  bool Read = false;
  bool Launch = false;
};

// Each test opens the window once its settings are written.
class StatusPanels : public TMainWindowTest {
 protected:
  void SetUp() override { DeleteSettings(); }

  static void WriteDates(double operTime, double updateTime) {
    TConfig config(SETTINGS_FILE);
    config.Load();
    config.Options.OperTime = operTime;
    config.Options.UpdateTime = updateTime;
    config.Save();
  }
  std::string HintText() const {
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = fForm->Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(C("imgRBin"));
    tool.lpszText = text;
    ::SendMessageA(fForm->Hints(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
  }
  bool MenuEnabled(HMENU menu, int id) const {
    return (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) == 0;
  }
  void Command(int id) { ::SendMessageA(fForm->Handle(), WM_COMMAND, id, 0); }
};

TEST_F(StatusPanels, StartupPanelTellsWhatIsDue) {
  const double now = Now();
  struct Case {
    const char* Name;
    double OperTime, UpdateTime;
    const char* Key;  // none: the panel is hidden
    bool ScanNow;
    unsigned Band;
  } cases[] = {
      {"no last operation, no update check", 0, 0, KEY_STARTUP_STATUS_FIRST_SCAN, true, 0xFDBB00},
      {"a scan 9 days ago", now - 9, now, KEY_STARTUP_STATUS_SCAN_NEEDED, true, 0xFDBB00},
      {"a scan 8 days ago, an update check 16 days ago", now - 8, now - 16,
       KEY_STARTUP_STATUS_CHECK_UPDATE, false, 0x4B80BF},
      {"a scan 8 days ago, an update check today", now - 8, now, nullptr, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Close();
    WriteDates(c.OperTime, c.UpdateTime);
    Open();
    HWND panel = C("gbStartupStatus");
    ASSERT_EQ(::IsWindowVisible(panel) != FALSE, c.Key != nullptr);
    if (c.Key == nullptr) continue;
    const std::string expected = c.Key == std::string(KEY_STARTUP_STATUS_SCAN_NEEDED)
                                     ? ScanNeededText(Text(c.Key), 9)
                                     : Text(c.Key);
    EXPECT_EQ(WindowText(C("lbStartupStatus")), expected);
    EXPECT_EQ(::IsWindowVisible(C("btnScanNow")) != FALSE, c.ScanNow);
    EXPECT_EQ(::IsWindowVisible(C("btnCheckUpdate")) != FALSE, !c.ScanNow);
    EXPECT_EQ(TGroupBoxEx::From(panel)->CaptionColor(), RgbColour(c.Band));
    EXPECT_EQ(TImageEx::From(C("imgStartupStatus"))->ImageIndex(), 0);
    // A change of language re-words the panel.
    const int other = (fForm->LangIndex() + 1) % fForm->Language().Count();
    ::SendMessageA(C("cbxLanguage"), CB_SETCURSEL, other, 0);
    fForm->cbxLanguageSelect();
    const std::string reworded = fForm->Language().GetString(other, c.Key);
    EXPECT_EQ(WindowText(C("lbStartupStatus")),
              c.Key == std::string(KEY_STARTUP_STATUS_SCAN_NEEDED) ? ScanNeededText(reworded, 9)
                                                                   : reworded);
    EXPECT_TRUE(::IsWindowVisible(panel));
  }
  // A scan started from the panel hides it.
  Close();
  WriteDates(0, 0);
  Open();
  TTempFolder empty;
  TOptions& options = fForm->Config().Options;
  options.Core = TCoreOptions{};
  options.Core.System.SelFolders = true;
  options.Core.System.AddFolders = empty.Path();
  ::SendMessageA(C("btnScanNow"), BM_CLICK, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(C("gbStartupStatus")));
  ASSERT_TRUE(PumpUntil([this] { return !fForm->OperationRunning(); }, 30000));
}

TEST_F(StatusPanels, RecycleBinPictureHintAndMenuFollowTheBin) {
  ASSERT_TRUE(Misc->EmptyRecycleBin(FALSE, FALSE, TRUE));
  Open();
  EXPECT_EQ(TImageEx::From(C("imgRBin"))->ImageIndex(), 0);
  EXPECT_EQ(HintText(), Text(KEY_RBIN_HINT_EMPTY));
  const int other = (fForm->LangIndex() + 1) % fForm->Language().Count();
  ::SendMessageA(C("cbxLanguage"), CB_SETCURSEL, other, 0);
  fForm->cbxLanguageSelect();
  EXPECT_EQ(HintText(), Text(KEY_RBIN_HINT_EMPTY)) << "the hint follows the language";
  EXPECT_FALSE(MenuEnabled(fForm->RecycleBinMenu(), ID_pmEmptyRB));

  // The keyboard reaches the picture and opens its menu with Enter.
  HWND bin = C("imgRBin");
  EXPECT_TRUE(::GetWindowLongA(bin, GWL_STYLE) & WS_TABSTOP);
  ::SetFocus(bin);
  static bool menuShown = false;
  menuShown = false;
  // Any other menu window of the desktop, hidden or of another process,
  // says nothing of this one: only a visible one of this thread counts.
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
          char className[16] = {};
          ::GetClassNameA(window, className, sizeof className);
          if (lstrcmpA(className, "#32768") == 0 && ::IsWindowVisible(window)) menuShown = true;
          return TRUE;
        },
        0);
    ::EndMenu();
  });
  ::SendMessageA(bin, WM_KEYDOWN, VK_RETURN, 0);
  ::KillTimer(nullptr, timer);
  EXPECT_TRUE(menuShown);

  TTempFolder folder;
  for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
    WriteFileBytes(folder.Path() + name, std::string(700, 'r'));
    ASSERT_TRUE(Misc->RecycleFile((folder.Path() + name).c_str()));
  }
  std::int64_t count = 0;
  std::int64_t size = 0;
  ASSERT_TRUE(Misc->RecycleBinTotals(&count, &size));
  ASSERT_EQ(count, 3);
  EXPECT_EQ(TImageEx::From(C("imgRBin"))->ImageIndex(), 0) << "shown as it was until refreshed";
  Command(ID_pmUpdateRB);
  EXPECT_EQ(TImageEx::From(C("imgRBin"))->ImageIndex(), 1);
  char sizeText[64] = {};
  int length = 0;
  ASSERT_TRUE(Misc->SizeToText(sizeText, sizeof sizeText, &length, size));
  EXPECT_EQ(HintText(), Text(KEY_RBIN_HINT_OBJECTS) + ": 3\r\n" + Text(KEY_RBIN_HINT_SIZE) +
                            ": " + std::string(sizeText, length));
  EXPECT_TRUE(MenuEnabled(fForm->RecycleBinMenu(), ID_pmEmptyRB));

  // Emptied without the shell's question, as the settings ask.
  fForm->Config().Options.AskConfirm = false;
  fForm->Config().Options.ShowProgress = false;
  Command(ID_pmEmptyRB);
  ASSERT_TRUE(Misc->RecycleBinTotals(&count, &size));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(TImageEx::From(C("imgRBin"))->ImageIndex(), 0);

  // Closing empties the bin only when the option is on.
  for (const bool emptyOnExit : {false, true}) {
    WriteFileBytes(folder.Path() + "late.txt", "r");
    ASSERT_TRUE(Misc->RecycleFile((folder.Path() + "late.txt").c_str()));
    if (fForm == nullptr) Open();
    TOptions& options = fForm->Config().Options;
    options.AskConfirm = false;
    options.ShowProgress = false;
    options.EmptyRBin = emptyOnExit;
    ::SendMessageA(fForm->Handle(), WM_CLOSE, 0, 0);
    Close();
    ASSERT_TRUE(Misc->RecycleBinTotals(&count, &size));
    EXPECT_EQ(count, emptyOnExit ? 0 : 1) << emptyOnExit;
  }
}

TEST_F(StatusPanels, UpdateEntryStoresTheCheckAndStartsUpdateBin) {
  WriteDates(Now() - 1, 0);
  const std::string downloads = ExecutableFolder() + "updates\\";
  ::RemoveDirectoryA(downloads.c_str());
  Open();
  EXPECT_TRUE(MenuEnabled(fForm->HelpMenu(), ID_pmUpdates))
      << "the update window is made with the main window";
  auto owned = std::make_unique<TFakeUpdater>();
  TFakeUpdater& updater = *owned;
  updater.Read = true;
  fForm->SetUpdaterWindow(std::move(owned));
  EXPECT_TRUE(MenuEnabled(fForm->HelpMenu(), ID_pmUpdates));
  ASSERT_TRUE(::IsWindowVisible(C("btnCheckUpdate")));

  const double before = Now();
  ::SendMessageA(C("btnCheckUpdate"), BM_CLICK, 0, 0);
  EXPECT_EQ(updater.Shown, 1);
  EXPECT_EQ(updater.ListName, "_qlmwul_dat.zip");
  EXPECT_EQ(updater.DownloadFolder, downloads);
  EXPECT_EQ(updater.AppFolder, ExecutableFolder());
  EXPECT_TRUE(IsExistingFolder(downloads));
  EXPECT_FALSE(::IsWindowVisible(C("gbStartupStatus")));
  TConfig saved(SETTINGS_FILE);
  saved.Load();
  EXPECT_GE(saved.Options.UpdateTime, before - 1.0 / 86400);

  // Files wait for update.bin: it is started with the captured texts and
  // the window's handle.
  const std::string record = ExecutableFolder() + "update_args.txt";
  ::DeleteFileA(record.c_str());
  updater.Launch = true;
  Command(ID_pmUpdates);
  ASSERT_TRUE(PumpUntil([&] { return IsExistingFile(record); }, 15000));
  TUpdateBinArgs args;
  ASSERT_TRUE(ParseUpdateBinArgs(ReadFileBytes(record), args)) << ReadFileBytes(record);
  const auto& texts = fForm->UpdateProgramTexts();
  EXPECT_EQ(args.Caption, texts[0]);
  EXPECT_EQ(args.CloseText, texts[1] + "...");
  EXPECT_EQ(args.UpdateText, texts[2] + "...");
  EXPECT_EQ(args.RestartText, texts[3] + "...");
  EXPECT_EQ(args.MainWindow, static_cast<std::uint32_t>(
                                 reinterpret_cast<UINT_PTR>(fForm->Handle())));
  ::DeleteFileA(record.c_str());

  // Without update.bin the user learns that the update is not complete,
  // in the error box of the current language.
  const std::string program = ExecutableFolder() + "update.bin";
  ASSERT_TRUE(::MoveFileA(program.c_str(), (program + ".away").c_str()));
  TMessageBoxAnswer answer(Text(KEY_CAP_ERROR));
  Command(ID_pmUpdates);
  const std::string boxText = answer.Text();
  ASSERT_TRUE(::MoveFileA((program + ".away").c_str(), program.c_str()));
  EXPECT_NE(boxText.find(program), std::string::npos) << boxText;
  EXPECT_FALSE(IsExistingFile(record));
}

}  // namespace
