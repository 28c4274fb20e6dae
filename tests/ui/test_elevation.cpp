// Administrator rights: the offer to start again elevated when a ticked
// category needs them and the process lacks them, and the command line by
// which the new instance waits for the old one.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "tests/support/uTestSupport.h"
#include "tests/ui/uUiTestSupport.h"
#include "ui/uCaptionKeys.h"
#include "ui/uElevation.h"
#include "ui/uMain.h"
#include "ui/uRestartArgs.h"

using namespace qlm;

TEST(RestartArgs, OnlyAWholeSwitchAfterTheProgramNamesThePredecessor) {
  const struct {
    const char* Line;
    std::optional<std::uint32_t> Predecessor;
  } cases[] = {
      {"C:\\Programs\\quillmere.exe /after:1234", 1234},
      {"\"C:\\Program Files\\Quillmere Pro\\quillmere.exe\" /after:42", 42},
      {"quillmere.exe  \t/after:4294967295", 4294967295u},
      {"quillmere.exe other /after:7", 7},
      {"\"C:\\x /after:9\\quillmere.exe\"", std::nullopt},  // inside the program's path
      {"C:\\after\\quillmere.exe", std::nullopt},
      {"quillmere.exe", std::nullopt},
      {"quillmere.exe /after:", std::nullopt},
      {"quillmere.exe /after:12x", std::nullopt},
      {"quillmere.exe /after:-1", std::nullopt},
      {"quillmere.exe /after:4294967296", std::nullopt},
      {"quillmere.exe /after:00000000001", std::nullopt},
      {"quillmere.exe x/after:5", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRestartArgs(c.Line), c.Predecessor) << c.Line;
  EXPECT_EQ(ParseRestartArgs("quillmere.exe " + FormatRestartArgs(4000000000u)), 4000000000u);
}

TEST(AdministratorCategories, TheCategoriesInWindowsOwnFoldersNeedAnAdministrator) {
  bool TCoreOptions::*const needing[] = {&TCoreOptions::WinTemp, &TCoreOptions::Prefetch,
                                         &TCoreOptions::WinUpdates, &TCoreOptions::IeUpdates};
  EXPECT_FALSE(NeedsAdministrator(TCoreOptions{}));
  for (bool TCoreOptions::*option : needing) {
    TCoreOptions options;
    options.*option = true;
    EXPECT_TRUE(NeedsAdministrator(options));
  }
  TCoreOptions user;
  user.Temp = user.IeCache = user.Mru = user.RecentsWindows = user.System.FixedDrives = true;
  EXPECT_FALSE(NeedsAdministrator(user));
}

namespace qlm {
namespace {

class Elevation : public TMainWindowTest {
 protected:
  void SetUp() override {
    TMainWindowTest::SetUp();
    ::DeleteFileA(Record().c_str());
    ASSERT_TRUE(::CopyFileA(
        (ExecutableFolder() + "..\\tests\\fixtures\\program_recorder\\quillmere.exe").c_str(),
        Program().c_str(), FALSE));
    // Wine runs every program as an administrator: the window is told
    // otherwise, as the services library would tell it for an ordinary user.
    fForm->Config().Options.Main.CapabilityFlag1 = false;
    fForm->Config().Options.Core = TCoreOptions{};
    fForm->Config().Options.Core.Prefetch = true;
  }
  void TearDown() override {
    if (fForm && fForm->OperationRunning()) {
      EXPECT_TRUE(PumpUntil([this] { return !fForm->OperationRunning(); }, 30000));
    }
    ::DeleteFileA(Record().c_str());
    ::DeleteFileA(Program().c_str());
    TMainWindowTest::TearDown();
  }
  static std::string Program() { return ExecutableFolder() + PROGRAM_FILE_NAME; }
  // What the program of the fixture folder was started with.
  static std::string Record() { return ExecutableFolder() + "quillmere_args.txt"; }
  // Answers the offer and clicks Scan; the text of the box asked.
  std::string ScanAnswering(int answer) {
    TMessageBoxAnswer question(APPLICATION_TITLE, answer);
    fForm->bbScanClick();
    return question.Asked();
  }
};

TEST_F(Elevation, NoScansWithThePresentRightsAndCancelDoesNotScan) {
  EXPECT_EQ(ScanAnswering(IDCANCEL), Text(KEY_NEEDS_ADMIN));
  EXPECT_FALSE(fForm->OperationRunning());
  EXPECT_EQ(ScanAnswering(IDNO), Text(KEY_NEEDS_ADMIN));
  EXPECT_TRUE(fForm->OperationRunning());
  EXPECT_FALSE(IsExistingFile(Record())) << "nothing was started";
}

TEST_F(Elevation, YesStartsTheProgramAgainAfterThisOneAndCloses) {
  EXPECT_EQ(ScanAnswering(IDYES), Text(KEY_NEEDS_ADMIN));
  EXPECT_FALSE(fForm->OperationRunning());
  // The window closes as through its close box: the message waits in the
  // queue (taken here, so that the test's window stays).
  MSG close;
  EXPECT_TRUE(::PeekMessageA(&close, fForm->Handle(), WM_CLOSE, WM_CLOSE, PM_REMOVE));
  ASSERT_TRUE(PumpUntil([] { return IsExistingFile(Record()); }, 15000));
  EXPECT_EQ(ParseRestartArgs(ReadFileBytes(Record())), ::GetCurrentProcessId())
      << ReadFileBytes(Record());
}

TEST_F(Elevation, NoQuestionWithTheRightsOrWithoutSuchACategory) {
  const struct {
    const char* Case;
    bool Administrator;
    bool Prefetch;
  } cases[] = {{"an administrator", true, true}, {"only the user's own junk", false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    fForm->Config().Options.Main.CapabilityFlag1 = c.Administrator;
    fForm->Config().Options.Core.Prefetch = c.Prefetch;
    fForm->Config().Options.Core.Temp = !c.Prefetch;
    EXPECT_EQ(ScanAnswering(IDYES), "");
    EXPECT_TRUE(fForm->OperationRunning());
    ASSERT_TRUE(PumpUntil([this] { return !fForm->OperationRunning(); }, 30000));
  }
  EXPECT_FALSE(IsExistingFile(Record()));
}

}  // namespace
}  // namespace qlm
