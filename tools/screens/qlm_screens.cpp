// Moves a running Quillmere Pro to one of its pages, as a user would, so
// that scripts/screens.sh can photograph it. One step per call:
//
//   qlm_screens language N    choose the N-th language of the main options
//   qlm_screens page NAME     bring the page NAME to the front
//   qlm_screens scroll NAME   scroll the area NAME down by one screen
//   qlm_screens about         open the About window
//   qlm_screens close-about   close the About window
//   qlm_screens close         close the About window, then the program
//   qlm_screens tree FOLDER   make the scan's fixture tree there (once) and
//                             put its junk files back
//   qlm_screens settings PROGRAM TREE [broken]
//                             before the program starts: its settings search
//                             only TREE for "*.tmp"; "broken" adds a category
//                             whose definition file is missing
//   qlm_screens press NAME    press the button NAME
//   qlm_screens wait          wait for the end of the running operation
//   qlm_screens report-end    move the report's selection to its last row
//   qlm_screens updates       open Help, Updates and wait for the list
//   qlm_screens update-install
//                             tick every line, press Update and wait until
//                             the archives unpack
//   qlm_screens update-question
//                             wait for the question before the restart
//   qlm_screens update-answer answer it and wait for update.bin's window
//   qlm_screens close-update-bin
//                             close update.bin's window
//   qlm_screens report-sample N
//                             run from a copy of the program folder: the
//                             program's own window showing a report of
//                             several categories as a scan leaves it, some
//                             expanded, one partly unticked, with hidden and
//                             long paths, in the N-th language; it stays
//                             until "close"
//
// It prints the name of the chosen language; the exit code is 0 when the
// step was taken.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "engine/uCoreTypes.h"
#include "startup/uMiscLoad.h"
#include "settings/uConfig.h"
#include "tests/support/uWindowDriver.h"
#include "ui/uAboutBox.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "ui/updater/uFormUpdater.h"
#include "updatebin/uFormUpdateBin.h"

using namespace qlm;

namespace {

struct TPageLink {
  const char* Page;
  int PageId;
  int LinkId;
};
// Each page with the control that leads there; the running page has none
// outside an operation and is shown directly.
constexpr TPageLink kPageLinks[] = {{"pDefault", ID_pDefault, ID_bbHome},
                                    {"pSettings", ID_pSettings, ID_bbSettings},
                                    {"pScanOptions", ID_pScanOptions, ID_bbScanOptions},
                                    {"pMainOptions", ID_pMainOptions, ID_bbMainOptions},
                                    {"pAppsOptions", ID_pAppsOptions, ID_bbAppsOptions},
                                    {"pRunning", ID_pRunning, 0}};

// A link label answers the mouse; the other controls a button click.
void Click(HWND control) {
  char className[32] = {};
  ::GetClassNameA(control, className, sizeof className);
  if (std::strcmp(className, "TLabelEx") == 0) {
    ClickAt(control);
    ::SendMessageA(control, WM_MOUSELEAVE, 0, 0);
  } else {
    ::SendMessageA(control, BM_CLICK, 0, 0);
  }
}

bool ShowPage(HWND window, const char* page) {
  for (const TPageLink& link : kPageLinks) {
    if (std::strcmp(link.Page, page) != 0) continue;
    if (link.LinkId != 0) {
      Click(ControlOf(window, link.LinkId));
      return true;
    }
    // As the window itself does: this page on top, the others hidden.
    ::SetWindowPos(ControlOf(window, link.PageId), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    for (const TPageLink& other : kPageLinks) {
      if (other.PageId != link.PageId) ::ShowWindow(ControlOf(window, other.PageId), SW_HIDE);
    }
    return true;
  }
  return false;
}

// Folders of many files, of which one in each holds junk: a scan of it
// lasts long enough to be photographed.
constexpr int kTreeFolders = 100;
constexpr int kFilesPerFolder = 1500;

// A file of 4 KB, so that every junk file found has a size.
bool WriteSmallFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const std::string bytes(4096, 'j');
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr) != FALSE;
  ::CloseHandle(file);
  return ok;
}

bool MakeTree(const std::string& root) {
  if (!ForceFolders(root)) return false;
  const std::string done = root + "tree-150k.done";
  const bool built = ::GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES;
  for (int index = 0; index < kTreeFolders; ++index) {
    const std::string folder = root + "folder-" + std::to_string(index) + "\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (int file = 0; !built && file < kFilesPerFolder; ++file) {
      if (!WriteSmallFile(folder + "data-" + std::to_string(file) + ".dat")) return false;
    }
    if (!WriteSmallFile(folder + "junk-" + std::to_string(index) + ".tmp")) return false;
  }
  return built || WriteSmallFile(done);
}

bool WriteSettings(const std::string& program, const std::string& tree, bool broken) {
  const std::string name = "screens.xml";
  ::DeleteFileA((ExecutableFolder() + name).c_str());
  TConfig config(name);
  config.Load();
  TOptions& options = config.Options;
  options.Core = TCoreOptions{};
  options.Core.System.SelFolders = true;
  options.Core.System.AddFolders = tree;
  options.Core.System.AddExts = "*.tmp";
  // Windows temporary files need their definition file, which the script
  // takes away for the photograph of a failed scan.
  options.Core.WinTemp = broken;
  options.AskConfirm = false;
  config.Save();
  return ::CopyFileA((ExecutableFolder() + name).c_str(),
                     (program + SETTINGS_FILE).c_str(), FALSE) != FALSE;
}

bool Press(HWND window, const std::string& name) {
  struct TButton {
    const char* Name;
    int Id;
  };
  constexpr TButton kButtons[] = {{"bbScan", ID_bbScan},   {"bbStop", ID_bbStop},
                                  {"bbNext", ID_bbNext},   {"bbClean", ID_bbClean},
                                  {"bbFinish", ID_bbFinish}};
  for (const TButton& button : kButtons) {
    if (name == button.Name) {
      ::SendMessageA(ControlOf(window, button.Id), BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

bool WaitForEnd(HWND window) {
  for (int waited = 0; waited < 60000; waited += 50) {
    if (::IsWindowEnabled(ControlOf(window, ID_bbScan))) return true;
    ::Sleep(50);
  }
  return false;
}

bool ChooseLanguage(HWND window, int index) {
  HWND list = ControlOf(window, ID_cbxLanguage);
  if (::SendMessageA(list, CB_SETCURSEL, index, 0) == CB_ERR) return false;
  ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_cbxLanguage, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  // Saved as a user would, so that leaving the options keeps the language.
  ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_bbmoSave, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ControlOf(window, ID_bbmoSave)));
  std::printf("%s\n", TextOf(list).c_str());
  return true;
}

constexpr DWORD kUpdateTimeoutMs = 60000;

HWND UpdaterControl(int id) { return ControlOf(::FindWindowA(UPDATER_CLASS, nullptr), id); }

// The update window's question before the restart.
HWND RestartQuestion() {
  HWND updater = ::FindWindowA(UPDATER_CLASS, nullptr);
  return updater != nullptr ? ::FindWindowA("#32770", TextOf(updater).c_str()) : nullptr;
}

int UpdateStep(HWND window, const std::string& step) {
  if (step == "updates") {
    ::PostMessageA(window, WM_COMMAND, ID_pmUpdates, 0);
    const auto listed = [] {
      HWND check = UpdaterControl(ID_btnCheck);
      return check != nullptr && ::IsWindowVisible(check) && ::IsWindowEnabled(check);
    };
    return WaitUntil(listed, kUpdateTimeoutMs) ? 0 : 1;
  }
  if (step == "update-install") {
    ::SendMessageA(UpdaterControl(ID_btnSelAll), BM_CLICK, 0, 0);
    ::SendMessageA(UpdaterControl(ID_btnUpdate), BM_CLICK, 0, 0);
    // The status line empties once the last archive is in.
    const auto unpacking = [] {
      return !::IsWindowEnabled(UpdaterControl(ID_btnCheck)) &&
             TextOf(UpdaterControl(ID_lbDownload)).empty();
    };
    return WaitUntil(unpacking, kUpdateTimeoutMs) ? 0 : 1;
  }
  if (step == "update-question") {
    const auto asked = [] { return ::IsWindowVisible(RestartQuestion()) != FALSE; };
    return WaitUntil(asked, kUpdateTimeoutMs) ? 0 : 1;
  }
  if (step == "update-answer") {
    ::PostMessageA(RestartQuestion(), WM_COMMAND, IDOK, 0);
    return WaitForVisibleClass(updatebin::UPDATE_BIN_CLASS, 30000) != nullptr ? 0 : 1;
  }
  if (step == "close-update-bin") {
    ::PostMessageA(::FindWindowA(updatebin::UPDATE_BIN_CLASS, nullptr), WM_CLOSE, 0, 0);
    return 0;
  }
  return 2;
}

int Step(HWND window, const std::string& step, const char* argument) {
  if (step.rfind("update", 0) == 0 || step == "close-update-bin") return UpdateStep(window, step);
  if (step == "language" && argument != nullptr) {
    return ChooseLanguage(window, std::atoi(argument)) ? 0 : 1;
  }
  if (step == "page" && argument != nullptr) return ShowPage(window, argument) ? 0 : 1;
  if (step == "scroll") {
    const int id = argument != nullptr && std::strcmp(argument, "sbMainOptions") == 0
                       ? ID_sbMainOptions
                       : ID_sbScanOptions;
    ::SendMessageA(ControlOf(window, id), WM_VSCROLL, SB_PAGEDOWN, 0);
    return 0;
  }
  if (step == "press" && argument != nullptr) return Press(window, argument) ? 0 : 1;
  if (step == "show-extensions") {
    Click(ControlOf(window, ID_lbShow));
    return 0;
  }
  if (step == "bad-retention") {
    ::SetWindowTextA(ControlOf(window, ID_eRetention), "five");
    ::SendMessageA(ControlOf(window, ID_bbmoSave), BM_CLICK, 0, 0);
    return 0;
  }
  if (step == "wait") return WaitForEnd(window) ? 0 : 1;
  if (step == "report-end") {
    ::SendMessageA(ControlOf(window, ID_vtReport), WM_KEYDOWN, VK_END, 0);
    return 0;
  }
  if (step == "about") {
    ::PostMessageA(window, WM_COMMAND, ID_pmAbout, 0);
    return WaitForVisibleClass(ABOUT_BOX_CLASS, 5000) != nullptr ? 0 : 1;
  }
  if (step == "close-about") {
    if (HWND about = ::FindWindowA(ABOUT_BOX_CLASS, nullptr); about != nullptr) {
      ::SendMessageA(about, WM_CLOSE, 0, 0);
    }
    return 0;
  }
  if (step == "close") {
    if (HWND about = ::FindWindowA(ABOUT_BOX_CLASS, nullptr); about != nullptr) {
      ::SendMessageA(about, WM_CLOSE, 0, 0);
    }
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  return 2;
}

void AddSample(int category, const std::string& path, std::int64_t size, std::int64_t count,
               const char* owner, const char* caption = "") {
  auto record = std::make_unique<TFileRec>();
  record->Category = category;
  record->SetPath(path);
  record->Size = size;
  record->Count = count;
  record->SetOwner(owner);
  record->SetCaption(caption);
  FoundList.Window().push_back(std::move(record));
}

void AddSampleRecords() {
  const char* temp = "C:\\Users\\anna\\AppData\\Local\\Temp\\";
  for (int index = 0; index < 14; ++index) {
    AddSample(OBJTYPE_USER_JUNK,
              std::string(temp) + "Installer-" + std::to_string(1000 + index) +
                  "\\setup-log-" + std::to_string(index) + ".tmp",
              4096L * (index + 3), -1, temp);
  }
  AddSample(OBJTYPE_MRU, "HKCU\\Software\\Microsoft\\Office\\12.0\\Word\\File MRU\\Item 1",
            64, -1, "");
  AddSample(OBJTYPE_MRU, "HKCU\\Software\\Microsoft\\Windows\\RunMRU\\a", 32, -1, "");
  for (int index = 0; index < 9; ++index) {
    AddSample(OBJTYPE_SYSTEM_JUNK,
              "D:\\Projects\\Customer archive 2009\\Quarterly reports\\Drafts and copies\\"
              "Old exports\\report-" + std::to_string(index) + ".bak",
              150000L * (index + 1), -1, "D:\\");
  }
  AddSample(OBJTYPE_OL_DELETED, "C:\\Users\\anna\\Documents\\Outlook\\outlook.pst", 2400000,
            37, "", "Deleted Items (37 messages)");
  AddSample(OBJTYPE_OL_JUNK, "C:\\Users\\anna\\Documents\\Outlook\\outlook.pst", 800000, 12,
            "", "Junk E-mail (12 messages)");
  for (int index = 0; index < 240; ++index) {
    AddSample(OBJTYPE_IE_CACHE, "C:\\Users\\anna\\Temporary Internet Files\\cache-" +
                                    std::to_string(index) + ".dat",
              23000, -1, "");
  }
  AddSample(OBJTYPE_PREFETCH, "C:\\Windows\\Prefetch\\NOTEPAD.EXE-D8414F97.pf", 9800, -1,
            "C:\\Windows\\Prefetch\\");
}

// The program's own window with a report, as a scan of the sample records
// leaves it: categories expanded, one of them partly unticked.
int ShowReportSample(int language) {
  HMODULE library = nullptr;
  if (!LoadMiscLibrary(library, "")) return 1;
  Misc = GetIMiscEntry();
  {
    TFormMain form(::GetModuleHandleA(nullptr));
    if (!form.Create()) return 1;
    HWND languages = form.Control("cbxLanguage");
    ::SendMessageA(languages, CB_SETCURSEL, language, 0);
    form.cbxLanguageSelect();
    form.Config().Options.HidePath = true;
    form.Config().Options.SelFoundObjs = true;
    AddSampleRecords();
    // The messages of a scan that found them.
    auto found = std::make_unique<TUpdateItem>();
    for (const auto& record : FoundList.Window()) {
      found->Count += record->Count == -1 ? 1 : record->Count;
      found->Size += record->Size;
    }
    // The start-up panel makes way for the report, as a scan started from
    // the window hides it.
    ::ShowWindow(form.Control("gbStartupStatus"), SW_HIDE);
    form.WMUpdateScan(std::move(found));
    form.WMScanEnd(std::make_unique<TUpdateItem>());
    form.bbNextClick();
    TReportTree* tree = form.ReportTree();
    const auto& groups = form.Report().Groups();
    for (int group = 0; group < static_cast<int>(groups.size()); ++group) {
      if (groups[group].Text != "User Junk files") tree->SetExpanded(group, true);
    }
    for (int group = 0; group < static_cast<int>(groups.size()); ++group) {
      if (groups[group].Text == "System Junk files") {
        tree->ToggleMark({group, 1});
        tree->ToggleMark({group, 4});
        tree->Select({group, 2});
      }
    }
    tree->ScrollTo(0);
    ::SetFocus(tree->Handle());
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (form.PreTranslateMessage(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  Misc = nullptr;
  UnloadMiscLibrary(library);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  // The steps taken before the program runs.
  if (std::strcmp(argv[1], "tree") == 0 && argc > 2) return MakeTree(argv[2]) ? 0 : 1;
  if (std::strcmp(argv[1], "settings") == 0 && argc > 3) {
    return WriteSettings(argv[2], argv[3], argc > 4 && std::strcmp(argv[4], "broken") == 0) ? 0
                                                                                          : 1;
  }
  if (std::strcmp(argv[1], "report-sample") == 0) {
    return ShowReportSample(argc > 2 ? std::atoi(argv[2]) : 0);
  }
  HWND window = WaitForVisibleClass(MAIN_WINDOW_CLASS, 10000);
  if (window == nullptr) {
    std::fprintf(stderr, "qlm_screens: the main window is not there\n");
    return 1;
  }
  const int result = Step(window, argv[1], argc > 2 ? argv[2] : nullptr);
  // The window has painted what the step changed before the photograph.
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return result;
}
