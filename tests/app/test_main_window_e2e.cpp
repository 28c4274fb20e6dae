// A user's way through the real program, driven from this test program
// through window messages only: start, the settings page, an options page,
// the About window, the exit, and the trace it leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "startup/uLanguage.h"
#include "tests/support/uInstalledProgram.h"
#include "tests/support/uTestSupport.h"
#include "tests/support/uWindowDriver.h"
#include "ui/uAboutBox.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "ui/uRestartArgs.h"

using namespace qlm;

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 15000;
constexpr DWORD kSecondCopyMs = 4000;

// The text of a key in a shipped language file.
std::string LanguageText(const std::string& file, const std::string& key) {
  for (const std::string& line : SplitLines(ReadFileBytes(ProgramFolder() + "languages\\" + file))) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string name = line.substr(0, equals);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    if (name != key) continue;
    const auto start = line.find_first_not_of(' ', equals + 1);
    return start == std::string::npos ? std::string() : line.substr(start);
  }
  return "<missing " + key + ">";
}

}  // namespace

TEST(MainWindowJourney, SettingsAnOptionsPageTheAboutWindowAndTheExit) {
  TInstalledProgram program(ProgramFolder());
  TProgramRun run(program.Executable());
  ASSERT_TRUE(run.Started());
  HWND window = run.WaitForWindow(APPLICATION_TITLE, kWindowTimeoutMs);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(::IsWindowVisible(ControlOf(window, ID_pDefault)));
  EXPECT_EQ(TextOf(ControlOf(window, ID_bbHome)), LanguageText("english.lng", "bbHome"));

  ::SendMessageA(ControlOf(window, ID_bbSettings), BM_CLICK, 0, 0);
  EXPECT_TRUE(::IsWindowVisible(ControlOf(window, ID_pSettings)));
  EXPECT_FALSE(::IsWindowVisible(ControlOf(window, ID_pDefault)));
  HWND link = ControlOf(window, ID_bbMainOptions);
  EXPECT_EQ(TextOf(link), LanguageText("english.lng", "bbMainOptions"));

  ClickAt(link);
  EXPECT_TRUE(::IsWindowVisible(ControlOf(window, ID_pMainOptions)));
  EXPECT_EQ(TextOf(ControlOf(window, ID_lbCapOptions)), LanguageText("english.lng", "lbCapOptions"));
  EXPECT_EQ(TextOf(ControlOf(window, ID_bbmoSave)), LanguageText("english.lng", "bbSave"));

  ::PostMessageA(window, WM_COMMAND, ID_pmAbout, 0);
  HWND about = WaitForVisibleClass(ABOUT_BOX_CLASS, kWindowTimeoutMs);
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(window)) << "the About window is modal";
  EXPECT_EQ(TextOf(ControlOf(about, ID_lbAboutVersionValue)), "1.0.0.0");
  ::SendMessageA(ControlOf(about, ID_btnAboutOK), BM_CLICK, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(about));

  ::SendMessageA(ControlOf(window, ID_bbHome), BM_CLICK, 0, 0);
  EXPECT_TRUE(::IsWindowVisible(ControlOf(window, ID_pDefault)));
  ASSERT_TRUE(::PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_EQ(run.WaitForExit(kExitTimeoutMs), 0);

  const auto traces = ListFiles(program.Traces(), "*.txt");
  ASSERT_EQ(traces.size(), 1u);
  const std::string trace = ReadFileBytes(program.Traces() + traces[0]);
  const auto lines = SplitLines(trace);
  for (const char* step : {"] Set default inits...", "] Loading languages...",
                           "] Updating labels...", "] Set default interface...",
                           "] Unloading languages..."}) {
    EXPECT_NE(trace.find(step), std::string::npos) << step;
  }
  EXPECT_LT(trace.find("] Updating labels..."), trace.find("] Set default interface..."));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 2].rfind("LOG End: ", 0), 0u);
  EXPECT_EQ(lines.back(), std::string(80, '\xBB'));
}

TEST(MainWindowJourney, WithoutLanguageFilesTheProgramEndsWithItsErrorBox) {
  struct Case {
    const char* name;
    bool library;
  } cases[] = {{"no language library", false}, {"a language folder without files", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TInstalledProgram program(ProgramFolder(), c.library);
    for (const std::string& file : ListFiles(program.Folder() + "languages\\", "*.lng")) {
      ASSERT_TRUE(::DeleteFileA((program.Folder() + "languages\\" + file).c_str()));
    }
    TProgramRun run(program.Executable());
    ASSERT_TRUE(run.Started());
    HWND box = run.WaitForWindow(LNG_LOAD_ERROR_CAPTION, kWindowTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(VisibleWindowsOf(run.ProcessId()).size(), 1u) << "the error box only";
    ASSERT_TRUE(::PostMessageA(box, WM_COMMAND, IDOK, 0));
    EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 1);
  }
}

// The program started again with administrator rights is given the process
// that asked, which still runs and holds the single-instance name until it
// has closed: the new one waits for it instead of ending as a second copy.
TEST(MainWindowJourney, TheProgramStartedAgainWaitsForTheOneThatAsked) {
  TInstalledProgram program(ProgramFolder());
  TProgramRun first(program.Executable());
  ASSERT_TRUE(first.Started());
  HWND window = first.WaitForWindow(APPLICATION_TITLE, kWindowTimeoutMs);
  ASSERT_NE(window, nullptr);
  TProgramRun again(program.Executable(), FormatRestartArgs(first.ProcessId()));
  ASSERT_TRUE(again.Started());
  // A second copy ends within a second or so; this one waits as long as the
  // first runs (a slower machine could only hide the fault, never fail
  // the right behaviour).
  EXPECT_EQ(again.WaitForExit(kSecondCopyMs), -1) << "ended as a second copy does";
  ASSERT_TRUE(::PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_EQ(first.WaitForExit(kExitTimeoutMs), 0);
  HWND second = again.WaitForWindow(APPLICATION_TITLE, kWindowTimeoutMs);
  ASSERT_NE(second, nullptr) << "the new instance ended instead of waiting";
  ASSERT_TRUE(::PostMessageA(second, WM_CLOSE, 0, 0));
  EXPECT_EQ(again.WaitForExit(kExitTimeoutMs), 0);
}
