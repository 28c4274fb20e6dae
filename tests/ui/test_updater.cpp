// The update window made by the real main window, working against the
// test run's update site and a program folder of the test's own: the check,
// the notes, the installation with its line images and restart, and the
// refusal of every tampered or unsigned file.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "startup/uLocaleText.h"
#include "startup/uMiscLoad.h"
#include "tests/support/uTestSupport.h"
#include "tests/ui/uUiTestSupport.h"
#include "tests/update/uUpdateTestSupport.h"
#include "ui/uControlIds.h"
#include "ui/updater/uFormUpdater.h"
#include "update/uFileTable.h"
#include "update/uUpdateBinArgs.h"
#include "update/uUpdateSite.h"

using namespace qlm;

namespace {

constexpr DWORD kSiteTimeoutMs = 60000;
// Midnight of 1 January 2010, the date the test site gives every entry.
constexpr std::uint64_t kSiteDate = 129067776000000000ull;
constexpr char kOldLanguage[] = "[1.0.0]\r\n; the installed language file\r\n";

class UpdaterWindow : public TMainWindowTest {
 protected:
  void SetUp() override {
    TMainWindowTest::SetUp();
    Prepare();
  }
  void TearDown() override {
    OverrideUpdateSite("");
    TMainWindowTest::TearDown();
  }
  // The window of a fresh run (what it has read stays for the run) on a
  // fresh program folder with an old language file.
  void Reopen() {
    Close();
    Open();
    Prepare();
  }
  void Prepare() {
    fUpdater = dynamic_cast<TFormUpdater*>(fForm->UpdaterWindow());
    ASSERT_NE(fUpdater, nullptr);
    fProgram = std::make_unique<TTempFolder>();
    ASSERT_TRUE(ForceFolders(fProgram->Path() + "languages\\"));
    ASSERT_TRUE(ForceFolders(Downloads()));
    WriteFileBytes(fProgram->Path() + "languages\\english.lng", kOldLanguage);
    fUpdater->Prepare(UPDATE_LIST_NAME, Downloads(), fProgram->Path());
  }

  std::string Downloads() const { return fProgram->Path() + "updates\\"; }
  HWND U(const char* name) const { return fUpdater->Control(name); }
  std::string Status() const { return ControlText(U("lbDownload")); }
  bool Enabled(const char* name) const { return ::IsWindowEnabled(U(name)) != FALSE; }
  int Lines() const { return ListView_GetItemCount(U("lvUpdates")); }
  std::string Cell(int line, int column) const {
    char text[256] = {};
    ListView_GetItemText(U("lvUpdates"), line, column, text, sizeof text);
    return text;
  }
  int Image(int line) const {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = line;
    ListView_GetItem(U("lvUpdates"), &item);
    return item.iImage;
  }
  int LineOf(const std::string& file) const {
    for (int line = 0; line < Lines(); ++line) {
      if (Cell(line, 0) == file) return line;
    }
    return -1;
  }
  std::vector<std::string> Notes() const {
    std::vector<std::string> notes;
    HWND box = U("lbChanges");
    const int count = static_cast<int>(::SendMessageA(box, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
      char text[256] = {};
      ::SendMessageA(box, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
      notes.push_back(text);
    }
    return notes;
  }
  std::map<std::string, std::string> Installed() const {
    return InstalledSnapshot(fProgram->Path());
  }

  void WaitWhileBusy() {
    ASSERT_TRUE(PumpUntil([this] { return !fUpdater->Busy(); }, kSiteTimeoutMs));
  }
  void Check(const std::string& site) {
    OverrideUpdateSite(site);
    fUpdater->btnCheckClick();
    WaitWhileBusy();
  }

  std::unique_ptr<TTempFolder> fProgram;
  TFormUpdater* fUpdater = nullptr;
};

TEST_F(UpdaterWindow, ACheckListsTheNewerFilesWithVersionDateSizeAndNotes) {
  EXPECT_EQ(ControlText(fUpdater->Handle()), Text("FormUpdater.Caption"));
  EXPECT_FALSE(Enabled("btnUpdate"));
  Check(SiteAddress("two"));

  ASSERT_EQ(Lines(), 2) << Status();
  const int language = LineOf("english.lng");
  const int program = LineOf("quillmere.exe");
  ASSERT_GE(language, 0);
  ASSERT_GE(program, 0);
  EXPECT_EQ(Cell(language, 1), "1.4.10");
  EXPECT_EQ(Cell(language, 2), FileTimeToText(kSiteDate));
  EXPECT_EQ(Cell(language, 2).find(':'), std::string::npos) << "midnight shows no time";
  const std::string source = ReadFileBytes(SiteSourceFolder("two") + "languages\\english.lng");
  EXPECT_EQ(Cell(language, 3), MiscSizeText(static_cast<std::int64_t>(source.size())));
  EXPECT_EQ(Image(language), I_IMAGENONE);
  EXPECT_FALSE(ListView_GetCheckState(U("lvUpdates"), language));

  // The first line is selected, and its notes show, without a click.
  EXPECT_EQ(program, 0);
  EXPECT_EQ(Notes(), (std::vector<std::string>{"Faster scans", "Clearer report"}));
  // A selection by the keyboard or the mouse reaches the handler.
  ListView_SetItemState(U("lvUpdates"), language, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(Notes(), (std::vector<std::string>{"New words", "Fixed, at last", "beta"}));

  EXPECT_TRUE(fUpdater->CatalogueRead());
  EXPECT_EQ(Status(), "");
  EXPECT_TRUE(Enabled("btnUpdate"));
  EXPECT_TRUE(Enabled("btnSelAll"));
  EXPECT_TRUE(Enabled("btnCheck"));
  EXPECT_TRUE(IsExistingFile(Downloads() + UPDATE_LIST_NAME)) << "kept for the installation";
}

TEST_F(UpdaterWindow, TheLanguageFileIsInstalledAtOnceAndTheProgramWaitsForARestart) {
  Check(SiteAddress("two"));
  ASSERT_EQ(Lines(), 2);
  TMessageBoxAnswer restart(ControlText(fUpdater->Handle()));
  fUpdater->btnSelAllClick();
  fUpdater->btnUpdateClick();
  // Nothing may start a check or close the window under the installation.
  EXPECT_TRUE(fUpdater->Busy());
  EXPECT_FALSE(Enabled("btnCheck"));
  EXPECT_FALSE(Enabled("btnUpdate"));
  EXPECT_FALSE(Enabled("btnClose"));
  WaitWhileBusy();

  EXPECT_EQ(restart.Text(), fUpdater->Texts().RestartNeededText);
  EXPECT_EQ(Image(LineOf("english.lng")), UPDATE_IMAGE_DONE);
  EXPECT_EQ(Image(LineOf("quillmere.exe")), UPDATE_IMAGE_RESTART);
  EXPECT_EQ(Status(), fUpdater->Texts().AppUpdatedText);
  EXPECT_TRUE(fUpdater->LaunchUpdateBin());
  EXPECT_EQ(ReadFileBytes(fProgram->Path() + "languages\\english.lng"),
            ReadFileBytes(SiteSourceFolder("two") + "languages\\english.lng"));
  // The executable waits beside its signed archive for update.bin.
  EXPECT_EQ(ReadFileBytes(Downloads() + "quillmere.exe"),
            ReadFileBytes(SiteSourceFolder("two") + "quillmere.exe"));
  EXPECT_TRUE(IsExistingFile(Downloads() + "quillmere_exe.zip"));
  EXPECT_TRUE(IsExistingFile(Downloads() + "quillmere_exe.zip.sig"));
  EXPECT_FALSE(IsExistingFile(Downloads() + "english_lng.zip"));
  EXPECT_FALSE(IsExistingFile(Downloads() + UPDATE_LIST_NAME));
  EXPECT_TRUE(Enabled("btnCheck"));
  EXPECT_TRUE(Enabled("btnClose"));
}

TEST_F(UpdaterWindow, UpdateWithNothingTickedDownloadsNothing) {
  Check(SiteAddress("two"));
  fUpdater->btnUpdateClick();
  EXPECT_FALSE(fUpdater->Busy());
  EXPECT_TRUE(Enabled("btnUpdate"));
  EXPECT_EQ(ListFiles(Downloads(), "*.zip"), std::vector<std::string>{UPDATE_LIST_NAME});
}

// Closing during the downloads ends the sequence once the running download
// is in: nothing more is fetched and nothing is installed.
TEST_F(UpdaterWindow, ClosingDuringTheDownloadsWaitsForTheRunningOneAndInstallsNothing) {
  Check(SiteAddress("two"));
  const auto before = Installed();
  fUpdater->btnSelAllClick();
  fUpdater->btnUpdateClick();
  ::SendMessageA(fUpdater->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(fUpdater->Busy()) << "the close waits";
  WaitWhileBusy();
  EXPECT_EQ(Installed(), before);
  EXPECT_FALSE(fUpdater->LaunchUpdateBin());
  EXPECT_EQ(Image(0), UPDATE_IMAGE_DONE) << "the first download ended";
  EXPECT_EQ(Image(1), I_IMAGENONE) << "the second never started";
}

TEST_F(UpdaterWindow, TheFirstShowingChecksAndALaterOneKeepsTheList) {
  OverrideUpdateSite(SiteAddress("two"));
  fUpdater->FormShow();
  EXPECT_TRUE(fUpdater->Busy());
  WaitWhileBusy();
  ASSERT_EQ(Lines(), 2);
  fUpdater->FormShow();
  EXPECT_FALSE(fUpdater->Busy());
  EXPECT_EQ(Lines(), 2);
}

TEST_F(UpdaterWindow, CloseEmptiesTheList) {
  Check(SiteAddress("two"));
  fUpdater->btnCloseClick();
  EXPECT_EQ(Lines(), 0);
  EXPECT_TRUE(Notes().empty());
}

struct TListOutcome {
  const char* Variant;  // empty: a site where nothing listens
  const char* Status;   // the key of the status text
  bool Read;            // CatalogueRead afterwards
};

TEST_F(UpdaterWindow, ListsThatOfferNothingSayWhy) {
  const TListOutcome cases[] = {
      {"older", "FormUpdater.NoUpdates", true},
      {"badmagic", "FormUpdater.CheckSiteUpdates", false},
      {"", "FormUpdater.ErrorList", false},
      // The list of the 32-bit program, validly signed, put where this
      // 64-bit program asks: its files must never replace this one's.
      {"foreign", "FormUpdater.CheckSiteUpdates", false},
  };
  for (const TListOutcome& outcome : cases) {
    SCOPED_TRACE(outcome.Variant);
    if (std::string(outcome.Variant) == "foreign" && OWN_UPDATE_MACHINE == UPDATE_MACHINE_X86) {
      GTEST_SKIP() << "the 32-bit build has no 64-bit build beside it";
    }
    Reopen();
    Check(*outcome.Variant ? SiteAddress(outcome.Variant) : DeadSiteAddress());
    EXPECT_EQ(Status(), Text(outcome.Status));
    EXPECT_EQ(Lines(), 0);
    EXPECT_EQ(fUpdater->CatalogueRead(), outcome.Read);
    EXPECT_FALSE(IsExistingFile(Downloads() + UPDATE_LIST_NAME));
    EXPECT_TRUE(Enabled("btnCheck"));
    EXPECT_FALSE(Enabled("btnUpdate"));
  }
}

// A site folder of the test's own: a copy of a published one, then altered.
class TForgedSite {
 public:
  TForgedSite(const std::string& name, const std::string& from) : fName(name) {
    fFolder = SiteVariantFolder(name);
    EXPECT_TRUE(ForceFolders(fFolder));
    for (const std::string& file : ListFiles(SiteVariantFolder(from), "*")) {
      WriteFileBytes(fFolder + file, ReadFileBytes(SiteVariantFolder(from) + file));
    }
  }
  std::string Address() const { return SiteAddress(fName); }
  void Flip(const std::string& file, std::size_t fromEnd) {
    std::string bytes = ReadFileBytes(fFolder + file);
    bytes[bytes.size() - fromEnd] ^= 0x01;
    WriteFileBytes(fFolder + file, bytes);
  }
  void Remove(const std::string& file) { ::DeleteFileA((fFolder + file).c_str()); }
  // A file of another published folder under another name.
  void Take(const std::string& file, const std::string& folder, const std::string& as) {
    WriteFileBytes(fFolder + as, ReadFileBytes(folder + file));
  }

 private:
  std::string fName;
  std::string fFolder;
};

struct TForgery {
  const char* Name;
  std::function<std::string()> MakeSite;  // the site's address
  // The files whose archives were tampered with; none: the list is refused.
  std::vector<std::string> Tampered;
};

// Whatever was tampered with, the installed files stay byte for byte as
// they were and nothing waits for update.bin.
TEST_F(UpdaterWindow, NoTamperedOrUnsignedFileIsInstalled) {
  const std::string list = UPDATE_LIST_NAME;
  const TForgery forgeries[] = {
      {"archives altered after signing",
       [] {
         TForgedSite site("forged-archives", "two");
         site.Flip("english_lng.zip", 5);
         site.Flip("quillmere_exe.zip", 5);
         return site.Address();
       },
       {"english.lng", "quillmere.exe"}},
      {"list altered after signing",
       [&] {
         TForgedSite site("forged-list", "two");
         site.Flip(list, 1);
         return site.Address();
       },
       {}},
      {"list signed by another key", [] { return SiteAddress("otherkey"); }, {}},
      {"list without signature",
       [&] {
         TForgedSite site("unsigned-list", "two");
         site.Remove(list + ".sig");
         return site.Address();
       },
       {}},
      {"archives without signature",
       [] {
         TForgedSite site("unsigned-archives", "two");
         site.Remove("english_lng.zip.sig");
         site.Remove("quillmere_exe.zip.sig");
         return site.Address();
       },
       {"english.lng", "quillmere.exe"}},
      {"signed archives that name other files",
       [] {
         TForgedSite site("other-names", "two");
         site.Take("cookies_def.zip", SitePublishedFolder(), "english_lng.zip");
         site.Take("cookies_def.zip.sig", SitePublishedFolder(), "english_lng.zip.sig");
         site.Take("qlmres_dll.zip", SitePublishedFolder(), "quillmere_exe.zip");
         site.Take("qlmres_dll.zip.sig", SitePublishedFolder(), "quillmere_exe.zip.sig");
         return site.Address();
       },
       {"english.lng", "quillmere.exe"}},
      {"an older signed archive under a newer entry", [] { return SiteAddress("replayed"); },
       {"english.lng"}},
  };
  for (const TForgery& forgery : forgeries) {
    SCOPED_TRACE(forgery.Name);
    Reopen();
    const auto before = Installed();
    Check(forgery.MakeSite());
    if (forgery.Tampered.empty()) {
      EXPECT_EQ(Status(), Text("FormUpdater.CheckSiteUpdates"));
      EXPECT_EQ(Lines(), 0);
      EXPECT_FALSE(IsExistingFile(Downloads() + UPDATE_LIST_NAME));
    } else {
      for (const std::string& file : forgery.Tampered) {
        ASSERT_GE(LineOf(file), 0) << file;
        ListView_SetCheckState(U("lvUpdates"), LineOf(file), TRUE);
      }
      fUpdater->btnUpdateClick();
      WaitWhileBusy();
      EXPECT_EQ(Status(), Text("FormUpdater.ErrorUpdating"));
      for (const std::string& file : forgery.Tampered) {
        EXPECT_EQ(Image(LineOf(file)), UPDATE_IMAGE_FAILED) << file;
      }
      EXPECT_FALSE(IsExistingFile(Downloads() + "quillmere.exe"));
    }
    EXPECT_FALSE(fUpdater->LaunchUpdateBin());
    EXPECT_EQ(Installed(), before);
  }
}

// The main window's side: the update entry shows the window modally, keeps
// the time of a read list and starts update.bin when files wait for it.
TEST_F(UpdaterWindow, TheUpdateEntryStartsUpdateBinForTheProgramsOwnFiles) {
  OverrideUpdateSite(SiteAddress("two"));
  const std::string downloads = ExecutableFolder() + "updates\\";
  const std::string record = ExecutableFolder() + "update_args.txt";
  ::DeleteFileA(record.c_str());
  // The user waits for the list, ticks the executable only and updates;
  // the window is driven through its messages, as from outside.
  std::thread user([&] {
    HWND window = fUpdater->Handle();
    HWND list = U("lvUpdates");
    for (int tries = 0; tries < 6000; ++tries) {
      if (::IsWindowVisible(window) && ::IsWindowEnabled(U("btnCheck")) &&
          ListView_GetItemCount(list) == 2) {
        ListView_SetCheckState(list, LineOf("quillmere.exe"), TRUE);
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(ID_btnUpdate, BN_CLICKED),
                       reinterpret_cast<LPARAM>(U("btnUpdate")));
        return;
      }
      ::Sleep(10);
    }
  });
  TMessageBoxAnswer restart(Text("FormUpdater.Caption"));
  fForm->pmUpdatesClick();
  user.join();
  EXPECT_EQ(restart.Text(), fUpdater->Texts().RestartNeededText);
  EXPECT_TRUE(fUpdater->LaunchUpdateBin());
  EXPECT_FALSE(fUpdater->Modal());
  ASSERT_TRUE(PumpUntil([&] { return IsExistingFile(record); }, kSiteTimeoutMs));
  TUpdateBinArgs args;
  EXPECT_TRUE(ParseUpdateBinArgs(ReadFileBytes(record), args)) << ReadFileBytes(record);
  EXPECT_EQ(args.Caption, Text("FormUpdater.Caption"));
  EXPECT_NE(fForm->Config().Options.UpdateTime, 0);
  EXPECT_EQ(ReadFileBytes(downloads + "quillmere.exe"),
            ReadFileBytes(SiteSourceFolder("two") + "quillmere.exe"));
  for (const char* file : {"quillmere.exe", "quillmere_exe.zip", "quillmere_exe.zip.sig"}) {
    ::DeleteFileA((downloads + file).c_str());
  }
  ::DeleteFileA(record.c_str());
}

}  // namespace
