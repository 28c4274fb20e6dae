// Runs quillmere.exe itself from a program folder of its own.
#include <gtest/gtest.h>

#include "app/uStartup.h"
#include "tests/support/uInstalledProgram.h"
#include "tests/support/uTestSupport.h"
#include "ui/uMain.h"

using namespace qlm;

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 15000;

BOOL CALLBACK CollectStaticText(HWND child, LPARAM data) {
  char className[64];
  ::GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) {
    reinterpret_cast<std::vector<std::string>*>(data)->push_back(WindowText(child));
  }
  return TRUE;
}

std::vector<std::string> StaticTexts(HWND dialog) {
  std::vector<std::string> texts;
  ::EnumChildWindows(dialog, &CollectStaticText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

void CloseMainWindow(TProgramRun& run, HWND window) {
  ASSERT_TRUE(::PostMessageA(window, WM_CLOSE, 0, 0));
  EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 0);
}

}  // namespace

TEST(StartupEndToEnd, RunsOnceWritesItsTraceAndStartsAgain) {
  TInstalledProgram program(ProgramFolder());
  std::string traceFile;
  {
    TProgramRun first(program.Executable());
    ASSERT_TRUE(first.Started());
    HWND window = first.WaitForWindow(APPLICATION_TITLE, kWindowTimeoutMs);
    ASSERT_NE(window, nullptr);

    char className[64];
    ::GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, MAIN_WINDOW_CLASS);
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, MAIN_CLIENT_WIDTH);
    EXPECT_EQ(client.bottom, MAIN_CLIENT_HEIGHT);
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    const auto traces = ListFiles(program.Traces(), "*.txt");
    ASSERT_EQ(traces.size(), 1u);
    traceFile = program.Traces() + traces[0];

    TProgramRun second(program.Executable());
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(kExitTimeoutMs), 0);
    EXPECT_TRUE(VisibleWindowsOf(second.ProcessId()).empty());
    EXPECT_EQ(ListFiles(program.Traces(), "*.txt").size(), 1u) << "no trace of the second start";

    CloseMainWindow(first, window);
  }

  const auto lines = SplitLines(ReadFileBytes(traceFile));
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], std::string(80, '\xBB'));
  EXPECT_EQ(lines[1], "quillmere.exe, v1.0.0.0");
  EXPECT_EQ(lines[2], "LOG Level: 7 [LVL_TRASH]");
  EXPECT_NE(lines[5].find("] Set default inits..."), std::string::npos);
  EXPECT_EQ(lines[lines.size() - 3], "");
  EXPECT_EQ(lines[lines.size() - 2].rfind("LOG End: ", 0), 0u);
  EXPECT_EQ(lines.back(), std::string(80, '\xBB'));

  TProgramRun next(program.Executable());
  HWND window = next.WaitForWindow(APPLICATION_TITLE, kWindowTimeoutMs);
  ASSERT_NE(window, nullptr) << "the mutex is gone after a normal exit";
  CloseMainWindow(next, window);
}

TEST(StartupEndToEnd, BrokenServicesLibraryShowsItsFatalMessage) {
  struct Case {
    const char* name;
    std::string miscFolder;
    // A working misc.dll planted in the folder the program starts in.
    bool planted;
    const char* message;
  } cases[] = {
      {"missing misc.dll", "", false, MISC_LOAD_FAILED},
      {"missing misc.dll, a planted one in the current folder", "", true, MISC_LOAD_FAILED},
      {"wrong version word", FixtureFolder("qlm_fixture_misc_badversion"), false,
       MISC_INVALID_INTERFACE},
      {"no GetIMisc export", FixtureFolder("qlm_fixture_misc_noexport"), false,
       MISC_INVALID_INTERFACE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TInstalledProgram program(c.miscFolder);
    TTempFolder current;
    if (c.planted) {
      ASSERT_TRUE(::CopyFileA((ProgramFolder() + "misc.dll").c_str(),
                              (current.Path() + "misc.dll").c_str(), FALSE));
    }
    TProgramRun run(program.Executable(), "", current.Path());
    ASSERT_TRUE(run.Started());
    HWND box = run.WaitForWindow(FATAL_ERROR_CAPTION, kWindowTimeoutMs);
    ASSERT_NE(box, nullptr);
    const auto texts = StaticTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), c.message), texts.end());
    EXPECT_EQ(VisibleWindowsOf(run.ProcessId()).size(), 1u) << "the message box only";

    ASSERT_TRUE(::PostMessageA(box, WM_COMMAND, IDOK, 0));
    EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 0);
    EXPECT_FALSE(IsExistingFolder(program.Traces()));
  }
}
