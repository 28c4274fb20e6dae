// The main options page: every control saved into quillmere.xml, the
// language and the trace log at once, a retention that is no number, Enter
// and Cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "tests/ui/uOptionsPagesTest.h"

using namespace qlm;

namespace {

TEST_F(OptionsPages, MainPageSavesEveryControlAndTheLanguage) {
  struct TFlag {
    const char* box;
    bool TOptions::*field;
  } flags[] = {{"cbScanLowPriority", &TOptions::ScanLowPriority},
               {"cbSelFoundObjs", &TOptions::SelFoundObjs},
               {"cbObjsInRB", &TOptions::MoveRemInRB},
               {"cbHidePath", &TOptions::HidePath},
               {"cbAskConfirm", &TOptions::AskConfirm},
               {"cbShowProgress", &TOptions::ShowProgress},
               {"cbPlaySound", &TOptions::PlaySound},
               {"cbEmptyRBin", &TOptions::EmptyRBin},
               {"cbDelSaveLog", &TOptions::DelSaveLog}};
  fForm->bbMainOptionsClick();
  EXPECT_FALSE(Enabled("cbRemObjsInEnd"));
  const TOptions before = fForm->Config().Options;
  // The box that saves saved lists' purge enables Save on its own.
  Click("cbDelSaveLog");
  EXPECT_TRUE(Enabled("bbmoSave"));
  for (const TFlag& flag : flags) {
    if (std::string(flag.box) != "cbDelSaveLog") Click(flag.box);
  }
  Choose("cbxLogLevel", 3);
  Type("eRetention", " 5 ");
  // The trace log takes the level and the retention at once.
  TTempFolder traces;
  TTrace trace(traces.Path() + "quillmere.exe", LVL_DEBUG, true, "traces", "", 0);
  Trace = &trace;
  const int language = (fForm->LangIndex() + 1) % fForm->Language().Count();
  Choose("cbxLanguage", language);
  EXPECT_EQ(fForm->LangIndex(), language) << "the language applies at once";
  Click("bbmoSave");
  EXPECT_EQ(PageName(), "pSettings");
  const TOptions stored = Stored();
  for (const TFlag& flag : flags) {
    EXPECT_EQ(stored.*flag.field, !(before.*flag.field)) << flag.box;
    EXPECT_EQ(fForm->Config().Options.*flag.field, stored.*flag.field) << flag.box;
  }
  EXPECT_EQ(stored.RemObjsScanEnd, before.RemObjsScanEnd);
  EXPECT_EQ(stored.LogLevel, 3);
  EXPECT_EQ(stored.MaxRetention, 5);
  EXPECT_EQ(stored.Main.LngFile, fForm->Language().GetFile(language));
  EXPECT_FALSE(Enabled("bbmoSave"));
  EXPECT_EQ(trace.GetLevel(), 3);
  EXPECT_EQ(trace.Retention(), 5);
  Trace = nullptr;
}

// A retention that is no decimal number stops the save before anything is
// written: the error stands beside the edit and goes once the text is a
// number.
TEST_F(OptionsPages, RetentionThatIsNoNumberChangesNothing) {
  fForm->bbMainOptionsClick();
  const std::string fileBefore = ReadFileBytes(SettingsPath());
  const TOptions before = fForm->Config().Options;
  for (const char* text : {"abc", "", "1.5", "0x10", "99999999999", "5 files"}) {
    SCOPED_TRACE(text);
    Click("cbHidePath");
    Choose("cbxLogLevel", 2);
    Type("eRetention", text);
    Click("bbmoSave");
    EXPECT_TRUE(::IsWindowVisible(C("lbRetentionError")));
    EXPECT_EQ(::GetFocus(), C("eRetention"));
    EXPECT_EQ(PageName(), "pMainOptions");
    EXPECT_TRUE(Enabled("bbmoSave"));
    EXPECT_EQ(fForm->Config().Options.HidePath, before.HidePath);
    EXPECT_EQ(fForm->Config().Options.LogLevel, before.LogLevel);
    EXPECT_EQ(ReadFileBytes(SettingsPath()), fileBefore);
  }
  Type("eRetention", "7");
  EXPECT_FALSE(::IsWindowVisible(C("lbRetentionError")));
  Click("bbmoSave");
  EXPECT_EQ(Stored().MaxRetention, 7);
  EXPECT_EQ(Stored().LogLevel, 2);
}

// A page with something to save shows Save as its default button, and
// Enter presses it.
TEST_F(OptionsPages, EnterSavesAPageWithEdits) {
  const auto isDefault = [this](const char* button) {
    return (::GetWindowLongA(C(button), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
  };
  fForm->bbMainOptionsClick();
  EXPECT_FALSE(isDefault("bbmoSave"));
  ::SetFocus(C("eRetention"));
  Type("eRetention", "3");
  EXPECT_TRUE(isDefault("bbmoSave"));
  MSG enter{C("eRetention"), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(fForm->PreTranslateMessage(enter));
  PumpMessages();
  EXPECT_EQ(PageName(), "pSettings");
  EXPECT_EQ(Stored().MaxRetention, 3);
  EXPECT_FALSE(isDefault("bbmoSave"));
}

TEST_F(OptionsPages, LevelListWithoutSelectionSavesTheHeldLevel) {
  fForm->Config().Options.LogLevel = 4;
  fForm->SetMainOptions();
  fForm->bbMainOptionsClick();
  ::SendMessageA(C("cbxLogLevel"), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  Click("cbHidePath");
  Click("bbmoSave");
  EXPECT_EQ(Stored().LogLevel, 4);
  EXPECT_EQ(::SendMessageA(C("cbxLogLevel"), CB_GETCURSEL, 0, 0), 4);
}

TEST_F(OptionsPages, CancelShowsTheStoredOptionsAndLanguageAgain) {
  fForm->bbMainOptionsClick();
  const int stored = fForm->LangIndex();
  const bool hidePath = fForm->Config().Options.HidePath;
  Click("cbHidePath");
  Choose("cbxLanguage", (stored + 1) % fForm->Language().Count());
  Click("bbmoCancel");
  EXPECT_EQ(PageName(), "pSettings");
  EXPECT_EQ(Checked("cbHidePath"), hidePath);
  EXPECT_EQ(::SendMessageA(C("cbxLanguage"), CB_GETCURSEL, 0, 0), stored);
  EXPECT_EQ(fForm->LangIndex(), stored) << "the captions speak the stored language";
  EXPECT_EQ(WindowText(C("bbmoSave")), Text(KEY_SAVE));
  EXPECT_FALSE(Enabled("bbmoSave"));
}

}  // namespace
