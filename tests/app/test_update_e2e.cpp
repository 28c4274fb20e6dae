// A user's update of the real program, driven from this test program through
// window messages only: Help, Updates; the list of newer files; Check, Select
// all, Update; the restart question; update.bin finishing once the program
// has ended; the program coming back in its new version.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>

#include "base/uFileSystem.h"
#include "base/uHandles.h"
#include "tests/support/uInstalledProgram.h"
#include "tests/support/uTestSupport.h"
#include "tests/support/uWindowDriver.h"
#include "tests/update/uUpdateTestSupport.h"
#include "ui/uAboutBox.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "ui/updater/uFormUpdater.h"
#include "updatebin/uFormUpdateBin.h"

using namespace qlm;

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kSiteTimeoutMs = 60000;

// The file version of an executable as "a.b.c.d", empty without one.
std::string FileVersion(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
  std::string block(size, '\0');
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (size == 0 || !::GetFileVersionInfoA(path.c_str(), 0, size, block.data()) ||
      !::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length)) {
    return "";
  }
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionLS));
}

// The update site's address for the programs this test starts.
class TSiteForChildren {
 public:
  explicit TSiteForChildren(const std::string& address) {
    ::SetEnvironmentVariableA("QLM_UPDATE_SITE", address.c_str());
  }
  ~TSiteForChildren() { ::SetEnvironmentVariableA("QLM_UPDATE_SITE", nullptr); }
};

void Press(HWND control) { ::SendMessageA(control, BM_CLICK, 0, 0); }

// A visible top-level window of the class that another process than
// `except` shows.
HWND WindowOfAnotherProcess(const char* className, DWORD except) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window = ::FindWindowExA(nullptr, nullptr, className, nullptr);
             window != nullptr; window = ::FindWindowExA(nullptr, window, className, nullptr)) {
          DWORD process = 0;
          ::GetWindowThreadProcessId(window, &process);
          if (process != except && ::IsWindowVisible(window)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      kWindowTimeoutMs);
  return found;
}

}  // namespace

TEST(UpdateJourney, CheckSelectUpdateAndTheProgramComesBackInItsNewVersion) {
  // An installation whose program and update.bin trust the test site's key,
  // with an older language file than the site's.
  TInstalledProgram program(ProgramFolder());
  for (const char* file : {"quillmere.exe", "update.bin"}) {
    ASSERT_TRUE(::CopyFileA((InstalledWithTestKey() + file).c_str(),
                            (program.Folder() + file).c_str(), FALSE));
  }
  const std::string oldVersion = FileVersion(program.Executable());
  const std::string newProgram = ReadFileBytes(SiteSourceFolder("two") + "quillmere.exe");
  const std::string newLanguage =
      ReadFileBytes(SiteSourceFolder("two") + "languages\\english.lng");
  ASSERT_NE(ReadFileBytes(program.Folder() + "languages\\english.lng"), newLanguage);

  TSiteForChildren site(SiteAddress("two"));
  TProgramRun run(program.Executable());
  HWND window = run.Started() ? run.WaitForWindow(APPLICATION_TITLE, kWindowTimeoutMs) : nullptr;
  ASSERT_NE(window, nullptr);

  // Help, Updates: the first showing checks by itself.
  ASSERT_TRUE(::PostMessageA(window, WM_COMMAND, ID_pmUpdates, 0));
  HWND updater = WindowOfAnotherProcess(UPDATER_CLASS, ::GetCurrentProcessId());
  ASSERT_NE(updater, nullptr);
  HWND list = ControlOf(updater, ID_lvUpdates);
  HWND check = ControlOf(updater, ID_btnCheck);
  const auto listed = [&] {
    return ::IsWindowEnabled(check) && ListView_GetItemCount(list) == 2;
  };
  ASSERT_TRUE(WaitUntil(listed, kSiteTimeoutMs));
  // Check again, as the user does; the same two files come back.
  Press(check);
  ASSERT_TRUE(WaitUntil(listed, kSiteTimeoutMs));
  EXPECT_EQ(TextOf(ControlOf(updater, ID_lbDownload)), "");

  Press(ControlOf(updater, ID_btnSelAll));
  Press(ControlOf(updater, ID_btnUpdate));
  const std::string caption = TextOf(updater);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        question = ::FindWindowA("#32770", caption.c_str());
        return question != nullptr && ::IsWindowVisible(question);
      },
      kSiteTimeoutMs));
  // The language file is in place before the question.
  EXPECT_EQ(ReadFileBytes(program.Folder() + "languages\\english.lng"), newLanguage);
  EXPECT_EQ(FileVersion(program.Executable()), oldVersion);
  ASSERT_TRUE(::PostMessageA(question, WM_COMMAND, IDOK, 0));

  // update.bin comes up; it installs once the program has ended.
  HWND finisher = WindowOfAnotherProcess(updatebin::UPDATE_BIN_CLASS, ::GetCurrentProcessId());
  ASSERT_NE(finisher, nullptr);
  Press(ControlOf(finisher, updatebin::ID_UPDATE_BIN_UPDATE));
  ASSERT_TRUE(::PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_EQ(run.WaitForExit(kWindowTimeoutMs), 0);
  HWND report = ControlOf(finisher, updatebin::ID_UPDATE_BIN_REPORT);
  ASSERT_TRUE(WaitUntil(
      [&] { return TextOf(report).find("quillmere.exe: installed") != std::string::npos; },
      kWindowTimeoutMs))
      << TextOf(report);
  EXPECT_EQ(ReadFileBytes(program.Executable()), newProgram);
  EXPECT_NE(FileVersion(program.Executable()), oldVersion);
  EXPECT_FALSE(IsExistingFile(program.Folder() + "updates\\quillmere.exe"));

  // Restart: the new program shows its new version in the About window.
  Press(ControlOf(finisher, updatebin::ID_UPDATE_BIN_RESTART));
  HWND again = WindowOfAnotherProcess(MAIN_WINDOW_CLASS, ::GetCurrentProcessId());
  ASSERT_NE(again, nullptr);
  DWORD againId = 0;
  ::GetWindowThreadProcessId(again, &againId);
  THandle againProcess(::OpenProcess(SYNCHRONIZE, FALSE, againId));
  ASSERT_TRUE(againProcess.Valid());
  ASSERT_TRUE(::PostMessageA(again, WM_COMMAND, ID_pmAbout, 0));
  HWND about = WindowOfAnotherProcess(ABOUT_BOX_CLASS, ::GetCurrentProcessId());
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(ControlOf(about, ID_lbAboutVersionValue)), FileVersion(program.Executable()));
  Press(ControlOf(about, ID_btnAboutOK));
  ASSERT_TRUE(::PostMessageA(again, WM_CLOSE, 0, 0));
  EXPECT_EQ(::WaitForSingleObject(againProcess.Get(), kWindowTimeoutMs), WAIT_OBJECT_0);
}
