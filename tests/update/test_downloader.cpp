#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/uTestSupport.h"
#include "tests/update/uUpdateTestSupport.h"
#include "update/uCatalogue.h"
#include "update/uDownloader.h"
#include "update/uFileTable.h"
#include "update/uInstall.h"
#include "update/uUpdateSignature.h"
#include "update/uUpdateSite.h"

using namespace qlm;

namespace {

// A message-only window standing in for the update window.
class TReceiver {
 public:
  TReceiver()
      : fWindow(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr)) {}
  ~TReceiver() { ::DestroyWindow(fWindow); }
  HWND Window() const { return fWindow; }

  // WParam of the next download message, or -1 when none came in time.
  int WaitForDownload(DWORD timeoutMs = 30000) {
    const DWORD start = ::GetTickCount();
    MSG message;
    while (::GetTickCount() - start < timeoutMs) {
      if (::PeekMessageA(&message, fWindow, WM_UPDATE_DOWNLOADED, WM_UPDATE_DOWNLOADED,
                         PM_REMOVE)) {
        EXPECT_EQ(message.lParam, 0);
        return static_cast<int>(message.wParam);
      }
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    }
    return -1;
  }

 private:
  HWND fWindow;
};

// Points the update site at another address for one test.
class TSiteOverride {
 public:
  explicit TSiteOverride(const std::string& address) { OverrideUpdateSite(address); }
  ~TSiteOverride() { OverrideUpdateSite(""); }
};

}  // namespace

namespace {

// The folder of this build's kind: the 32-bit and the 64-bit program never
// read each other's list.
const std::string kKind = sizeof(void*) == 8 ? "x64/" : "x86/";

}  // namespace

TEST(UpdateSite, BaseAddressAndItsOverride) {
  const std::string own = std::string(UPDATE_SITE_ADDRESS) + "/public/updates/v1_0/" + kKind;
  EXPECT_EQ(UpdateBaseAddress(), own);
  {
    TSiteOverride local("http://127.0.0.1:8080/");
    EXPECT_EQ(UpdateBaseAddress(), "http://127.0.0.1:8080/public/updates/v1_0/" + kKind);
  }
  EXPECT_EQ(UpdateBaseAddress(), own);
}

// The real program is pointed at another site through its environment,
// used as given; without it the default is the project's own https site.
TEST(UpdateSite, TheEnvironmentNamesAnotherSite) {
  EXPECT_EQ(std::string(UPDATE_SITE_ADDRESS).rfind("https://", 0), 0u);
  ASSERT_EQ(_putenv("QLM_UPDATE_SITE=http://127.0.0.1:8080/two"), 0);
  EXPECT_EQ(UpdateBaseAddress(), "http://127.0.0.1:8080/two/public/updates/v1_0/" + kKind);
  {
    TSiteOverride local("http://127.0.0.1:9090");
    EXPECT_EQ(UpdateBaseAddress(), "http://127.0.0.1:9090/public/updates/v1_0/" + kKind);
  }
  ASSERT_EQ(_putenv("QLM_UPDATE_SITE="), 0);
  EXPECT_EQ(UpdateBaseAddress(),
            std::string(UPDATE_SITE_ADDRESS) + "/public/updates/v1_0/" + kKind);
}

// The whole road: the list and two archives come over HTTP, the list is
// read against an empty installation, and both files are installed.
TEST(Downloader, DownloadsReadsAndInstallsFromTheSite) {
  TSiteOverride site(SiteAddress());
  TTempFolder program;
  const std::string downloads = program.Path() + "updates\\";
  ASSERT_TRUE(::CreateDirectoryA(downloads.c_str(), nullptr));
  TReceiver receiver;
  ASSERT_NE(receiver.Window(), nullptr);

  ASSERT_TRUE(TDownloader::Start(receiver.Window(), UPDATE_LIST_NAME, UpdateBaseAddress(),
                                 downloads, true));
  ASSERT_EQ(receiver.WaitForDownload(), 1);
  const std::string listName = UPDATE_LIST_NAME;
  for (const std::string& name : {listName, listName + SIGNATURE_SUFFIX}) {
    EXPECT_EQ(ReadFileBytes(downloads + name), ReadFileBytes(SitePublishedFolder() + name));
  }

  const TCatalogue catalogue = ReadCatalogue(downloads + UPDATE_LIST_NAME, program.Path());
  ASSERT_EQ(catalogue.Outcome, TCatalogueOutcome::Offered);
  EXPECT_EQ(catalogue.Entries.size(), 6u);

  for (const std::int64_t id : {11, 7}) {
    ASSERT_TRUE(TDownloader::Start(receiver.Window(), FileInfo(id).ArchiveName,
                                   UpdateBaseAddress(), downloads, false));
    ASSERT_EQ(receiver.WaitForDownload(), 1) << FileInfo(id).ArchiveName;
  }
  TCompression compression;
  TInstallState state;
  for (const TUpdateRecordEx& entry : catalogue.Entries) {
    if (entry.FileId != 11 && entry.FileId != 7) continue;
    EXPECT_EQ(InstallEntry(entry, downloads, program.Path(), compression, state),
              UPDATE_IMAGE_DONE);
  }
  EXPECT_FALSE(state.InstallFailed);
  EXPECT_EQ(ReadFileBytes(program.Path() + "languages\\english.lng"),
            ReadFileBytes(SiteSourceFolder() + "languages\\english.lng"));
  EXPECT_EQ(ReadFileBytes(program.Path() + "defines\\cookies.def"),
            ReadFileBytes(SiteSourceFolder() + "defines\\cookies.def"));

  // Installed now: the same list offers nothing.
  ASSERT_TRUE(TDownloader::Start(receiver.Window(), UPDATE_LIST_NAME, UpdateBaseAddress(),
                                 downloads, true));
  ASSERT_EQ(receiver.WaitForDownload(), 1);
  const TCatalogue again = ReadCatalogue(downloads + UPDATE_LIST_NAME, program.Path());
  ASSERT_EQ(again.Outcome, TCatalogueOutcome::Offered);
  for (const auto& entry : again.Entries) EXPECT_TRUE(entry.FileId != 11 && entry.FileId != 7);
}

// A file that the site holds without its signature is no download either,
// and the signature of an earlier download never stays beside it.
// It arrives, but no earlier signature stays beside it to vouch for it.
TEST(Downloader, FileWithoutSignatureArrivesWithoutAnySignature) {
  TSiteOverride site(SiteAddress());
  TTempFolder downloads;
  const std::string name = "unsigned_" + downloads.Name() + ".zip";
  WriteFileBytes(SitePublishedFolder() + name, "published without a signature");
  WriteFileBytes(downloads.Path() + name + SIGNATURE_SUFFIX, "an earlier signature");
  TReceiver receiver;
  ASSERT_TRUE(
      TDownloader::Start(receiver.Window(), name, UpdateBaseAddress(), downloads.Path(), false));
  EXPECT_EQ(receiver.WaitForDownload(), 1);
  ::DeleteFileA((SitePublishedFolder() + name).c_str());
  EXPECT_TRUE(IsExistingFile(downloads.Path() + name));
  EXPECT_FALSE(IsExistingFile(downloads.Path() + name + SIGNATURE_SUFFIX));
  EXPECT_FALSE(VerifyUpdateSignature(downloads.Path() + name));
}

// The site's error page for a file it does not have is no download.
TEST(Downloader, FileMissingOnTheSitePostsZero) {
  TSiteOverride site(SiteAddress());
  TTempFolder downloads;
  TReceiver receiver;
  ASSERT_TRUE(TDownloader::Start(receiver.Window(), "spanish_lng.zip", UpdateBaseAddress(),
                                 downloads.Path(), false));
  EXPECT_EQ(receiver.WaitForDownload(), 0);
  EXPECT_FALSE(IsExistingFile(downloads.Path() + "spanish_lng.zip"));
}

TEST(Downloader, StoppedServerPostsZero) {
  TTempFolder downloads;
  TReceiver receiver;
  ASSERT_TRUE(TDownloader::Start(receiver.Window(), UPDATE_LIST_NAME,
                                 DeadSiteAddress() + UPDATE_SITE_PATH, downloads.Path(), true));
  EXPECT_EQ(receiver.WaitForDownload(), 0);
  EXPECT_FALSE(IsExistingFile(downloads.Path() + UPDATE_LIST_NAME));
}
