#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/uTestSupport.h"
#include "tests/update/uUpdateTestSupport.h"
#include "update/uCompress.h"
#include "updatebin/uPendingFiles.h"
#include "update/uUpdateBinArgs.h"
#include "updatebin/uUpdateBinLock.h"

using namespace qlm;
using namespace qlm::updatebin;

TEST(UpdateBinArgs, CommandLines) {
  const struct {
    const char* Line;
    bool Ok;
    const char* Caption;
    const char* Close;
    std::uint32_t Handle;
  } cases[] = {
      {"C:\\Program Files\\Q\\update.bin \"Update\" \"Close...\" \"Update...\" \"Restart...\" 65552",
       true, "Update", "Close...", 65552},
      {"\"C:\\Q\\update.bin\" \"Mise à jour\" \"Fermer...\" \"Mettre...\" \"Relancer...\" 7", true,
       "Mise à jour", "Fermer...", 7},
      {"update.bin \"\" \"a\" \"b\" \"c\" 12", true, "", "a", 12},
      {"update.bin \"Update\" \"Close...\" \"Update...\" \"Restart...\"", false, "", "", 0},
      {"update.bin \"Update\" \"Close...\" \"Update...\" 65552", false, "", "", 0},
      {"update.bin \"Update\" \"Close...\" \"Update...\" \"Restart...\" 12ab", false, "", "", 0},
      {"update.bin \"Update\" \"Close...\" \"Update...\" \"Restart...\" 99999999999", false, "", "", 0},
      {"update.bin \"Update\"\"Close...\" \"Update...\" \"Restart...\" 5", false, "", "", 0},
      {"update.bin", false, "", "", 0},
  };
  for (const auto& c : cases) {
    TUpdateBinArgs args;
    ASSERT_EQ(ParseUpdateBinArgs(c.Line, args), c.Ok) << c.Line;
    if (!c.Ok) continue;
    EXPECT_EQ(args.Caption, c.Caption) << c.Line;
    EXPECT_EQ(args.CloseText, c.Close) << c.Line;
    EXPECT_EQ(args.MainWindow, c.Handle) << c.Line;
  }
}

namespace {

constexpr char CAPTION[] = "Quillmere Update";

// The button of update.bin's window with this label, pressed as a user would.
// Returns once the window has handled the press, so that whatever the test
// reads next comes after it.
void Press(HWND window, const char* label) {
  HWND button = ::FindWindowExA(window, nullptr, "Button", label);
  ASSERT_NE(button, nullptr) << label;
  DWORD_PTR ignored = 0;
  ASSERT_NE(::SendMessageTimeoutA(window, WM_COMMAND,
                                  MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                                  reinterpret_cast<LPARAM>(button), SMTO_ABORTIFHUNG, 10000,
                                  &ignored),
            0)
      << label;
}

// A program folder with update.bin and old program files, and the
// published executable unpacked in its download folder.
struct TWaitingUpdate {
  TWaitingUpdate() {
    CreateDirectoryA(Downloads().c_str(), nullptr);
    CopyFileA((InstalledWithTestKey() + "update.bin").c_str(),
              (Program.Path() + "update.bin").c_str(), FALSE);
    WriteFileBytes(Program.Path() + "quillmere.exe", "old quillmere.exe");
    CopySigned(SitePublishedFolder(), "quillmere_exe.zip", Downloads());
    TCompression compression;
    compression.UnpackArchive(Downloads() + "quillmere_exe.zip", Downloads(), "quillmere.exe");
  }
  std::string Downloads() const { return Program.Path() + "updates\\"; }
  std::string Arguments(HWND mainWindow) const {
    return std::string("\"") + CAPTION + "\" \"Close...\" \"Update...\" \"Restart...\" " +
           std::to_string(reinterpret_cast<UINT_PTR>(mainWindow));
  }

  TTempFolder Program;
};

std::string ReportOf(HWND window) {
  HWND report = ::FindWindowExA(window, nullptr, "Static", nullptr);
  char text[1024] = {};
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(report, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &length);
  return std::string(text, length);
}

// Waits through the report rather than by reading the program files: a
// reader that holds a file open would itself keep update.bin from replacing it.
std::string WaitForFinalReport(HWND window, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  std::string report = ReportOf(window);
  while (report.rfind("Waiting", 0) == 0 && ::GetTickCount() - start < timeoutMs) {
    ::Sleep(100);
    report = ReportOf(window);
  }
  return report;
}

}  // namespace

// update.bin waits for the main window to go, then installs what checks
// out against its archive and keeps the old file wherever it cannot.
TEST(UpdateBin, InstallsTheWaitingFilesAfterTheProgramEnded) {
  TTempFolder program;
  const std::string downloads = program.Path() + "updates\\";
  ASSERT_TRUE(::CreateDirectoryA(downloads.c_str(), nullptr));
  ASSERT_TRUE(::CopyFileA((InstalledWithTestKey() + "update.bin").c_str(),
                          (program.Path() + "update.bin").c_str(), FALSE));
  for (const char* name : {"quillmere.exe", "qlmres.dll", "lng.dll", "misc.dll"}) {
    WriteFileBytes(program.Path() + name, std::string("old ") + name);
  }
  TCompression compression;
  for (const std::string archive : {"quillmere_exe.zip", "qlmres_dll.zip", "lng_dll.zip"}) {
    CopySigned(SitePublishedFolder(), archive, downloads);
    const std::string name = archive.substr(0, archive.find('_')) + "." +
                             archive.substr(archive.find('_') + 1, 3);
    ASSERT_TRUE(compression.UnpackArchive(downloads + archive, downloads, name));
  }
  WriteFileBytes(downloads + "qlmres.dll", "tampered after unpacking");

  HWND mainWindow = ::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(mainWindow, nullptr);
  TProgramRun run(program.Path() + "update.bin",
                  std::string("\"") + CAPTION + "\" \"Close...\" \"Update...\" \"Restart...\" " +
                      std::to_string(reinterpret_cast<UINT_PTR>(mainWindow)));
  HWND window = run.WaitForWindow(CAPTION, 15000);
  ASSERT_NE(window, nullptr);

  TFileHandle held(::CreateFileA((program.Path() + "lng.dll").c_str(), GENERIC_READ, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  Press(window, "Update...");
  ::Sleep(1000);
  EXPECT_EQ(ReadFileBytes(program.Path() + "quillmere.exe"), "old quillmere.exe")
      << "nothing moves while the program runs";

  ::DestroyWindow(mainWindow);
  const std::string report = WaitForFinalReport(window, 15000);
  EXPECT_EQ(ReadFileBytes(program.Path() + "quillmere.exe"),
            ReadFileBytes(SiteSourceFolder() + "quillmere.exe"));
  EXPECT_NE(report.find("quillmere.exe: installed"), std::string::npos) << report;
  EXPECT_NE(report.find("qlmres.dll: does not match its archive"), std::string::npos) << report;
  EXPECT_NE(report.find("lng.dll: could not be copied, the old file is kept"), std::string::npos)
      << report;
  EXPECT_EQ(report.find("misc.dll"), std::string::npos) << report;
  held.Reset();

  EXPECT_EQ(ReadFileBytes(program.Path() + "qlmres.dll"), "old qlmres.dll");
  EXPECT_EQ(ReadFileBytes(program.Path() + "lng.dll"), "old lng.dll");
  EXPECT_EQ(ReadFileBytes(program.Path() + "misc.dll"), "old misc.dll");
  EXPECT_EQ(ListFiles(downloads, "*"),
            (std::vector<std::string>{"lng.dll", "lng_dll.zip", "lng_dll.zip.sig", "qlmres.dll",
                                      "qlmres_dll.zip", "qlmres_dll.zip.sig"}));

  Press(window, "Close...");
  EXPECT_EQ(run.WaitForExit(10000), 0);
}

// An empty file digests as empty input, which an archive may state together
// with any size: the size must be the stated one as well.
TEST(PendingFiles, AFileOfAnotherSizeThanItsArchiveStatesIsRefused) {
  TTempFolder program;
  const std::string downloads = program.Path() + "updates\\";
  ASSERT_TRUE(::CreateDirectoryA(downloads.c_str(), nullptr));
  const std::string name = "quillmere.exe";
  WriteFileBytes(program.Path() + name, "old quillmere.exe");
  const TMD5Digest emptyInput = MD5Bytes("", 0);
  WriteFileBytes(downloads + "quillmere_exe.zip",
                 LittleEndian(name.size(), 8) + name + LittleEndian(4096, 8) +
                     std::string(emptyInput.begin(), emptyInput.end()) + "\x78\x9c");
  SignWithTestKey(downloads + "quillmere_exe.zip");
  WriteFileBytes(downloads + name, "");

  const std::vector<TPendingResult> results = InstallPendingFiles(program.Path());
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].Outcome, TPendingOutcome::CheckFailed);
  EXPECT_EQ(ReadFileBytes(program.Path() + name), "old quillmere.exe");
}

TEST(UpdateBin, ASecondCopyForTheSameFolderLeavesTheWorkToTheFirst) {
  TWaitingUpdate update;
  HWND mainWindow = ::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(mainWindow, nullptr);
  TProgramRun first(update.Program.Path() + "update.bin", update.Arguments(mainWindow));
  HWND window = first.WaitForWindow(CAPTION, 15000);
  ASSERT_NE(window, nullptr);

  TProgramRun second(update.Program.Path() + "update.bin", update.Arguments(mainWindow));
  HWND box = second.WaitForWindow(CAPTION, 15000);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(::FindWindowExA(box, nullptr, "Static", UPDATE_BIN_BUSY), nullptr)
      << "a message, not a second update window";
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(second.WaitForExit(10000), 3);

  Press(window, "Update...");
  ::DestroyWindow(mainWindow);
  EXPECT_EQ(WaitForFinalReport(window, 15000), "quillmere.exe: installed\r\n");
  Press(window, "Close...");
  EXPECT_EQ(first.WaitForExit(10000), 0);
}
