#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "tests/support/uTestSupport.h"
#include "tests/update/uUpdateTestSupport.h"
#include "update/uCatalogue.h"
#include "update/uFileTable.h"
#include "update/uInstall.h"
#include "update/uUpdateSignature.h"
#include "updatebin/uPendingFiles.h"

using namespace qlm;
using namespace qlm::updatebin;

namespace {

using TStep = std::function<void(const std::string& downloads)>;

// An installation that the site "two" updates: english.lng [1.0.0] and the
// build's program with the test key (1.0.0.0), unless another program is
// given.
class TInstallation {
 public:
  explicit TInstallation(const std::string& program) {
    ::CreateDirectoryA((fProgram.Path() + "languages").c_str(), nullptr);
    WriteFileBytes(fProgram.Path() + "languages\\english.lng", "[1.0.0]\r\nold words\r\n");
    WriteFileBytes(fProgram.Path() + "quillmere.exe", ReadFileBytes(program));
    ::CreateDirectoryA(Downloads().c_str(), nullptr);
  }
  const std::string& Program() const { return fProgram.Path(); }
  std::string Downloads() const { return fProgram.Path() + "updates\\"; }
  // Everything but the download folder.
  std::map<std::string, std::string> ProgramFiles() const { return InstalledSnapshot(Program()); }

 private:
  TTempFolder fProgram;
};

struct TRoad {
  TCatalogueOutcome Outcome;
  TInstallState State;
  std::string Pending;  // update.bin's report, one line per file
};

// What the update window and then update.bin do with the download folder:
// read the list, install each offered entry whose archive came, and let
// update.bin place the files that wait for it.
TRoad Travel(const TInstallation& installation, const TStep& beforeUpdateBin) {
  const std::string downloads = installation.Downloads();
  TRoad road;
  const TCatalogue catalogue = ReadCatalogue(downloads + UPDATE_LIST_NAME, installation.Program());
  road.Outcome = catalogue.Outcome;
  TCompression compression;
  for (const TUpdateRecordEx& entry : catalogue.Entries) {
    if (!IsExistingFile(downloads + FileInfo(entry.FileId).ArchiveName)) continue;
    InstallEntry(entry, downloads, installation.Program(), compression, road.State);
  }
  if (beforeUpdateBin) beforeUpdateBin(downloads);
  for (const TPendingResult& result : InstallPendingFiles(installation.Program())) {
    road.Pending += PendingResultText(result) + "\n";
  }
  return road;
}

TStep Take(const std::string& variant, const std::string& name) {
  return [=](const std::string& downloads) {
    CopySigned(SiteVariantFolder(variant), name, downloads);
  };
}

TStep Steps(std::initializer_list<TStep> steps) {
  return [all = std::vector<TStep>(steps)](const std::string& downloads) {
    for (const TStep& step : all) step(downloads);
  };
}

// One bit of the file's last byte (change notes, compressed data) flipped.
TStep Alter(const std::string& name) {
  return [=](const std::string& downloads) {
    std::string bytes = ReadFileBytes(downloads + name);
    bytes.back() = static_cast<char>(bytes.back() ^ 0x01);
    WriteFileBytes(downloads + name, bytes);
  };
}

TStep Unsign(const std::string& name) {
  return [=](const std::string& downloads) {
    ASSERT_TRUE(::DeleteFileA((downloads + name + SIGNATURE_SUFFIX).c_str()));
  };
}

// The file and signature of one published file placed under another name.
TStep TakeAs(const std::string& variant, const std::string& name, const std::string& as) {
  return [=](const std::string& downloads) {
    const std::string from = SiteVariantFolder(variant) + name;
    WriteFileBytes(downloads + as, ReadFileBytes(from));
    WriteFileBytes(downloads + as + SIGNATURE_SUFFIX, ReadFileBytes(from + SIGNATURE_SUFFIX));
  };
}

// An unpacked program file left waiting for update.bin by an earlier update.
TStep LeaveWaiting(const std::string& variant) {
  return [=](const std::string& downloads) {
    CopySigned(SiteVariantFolder(variant), "quillmere_exe.zip", downloads);
    TCompression compression;
    ASSERT_TRUE(
        compression.UnpackArchive(downloads + "quillmere_exe.zip", downloads, "quillmere.exe"));
  };
}

constexpr const char* LIST = UPDATE_LIST_NAME;
constexpr char ENGLISH[] = "english_lng.zip";
constexpr char PROGRAM[] = "quillmere_exe.zip";

}  // namespace

// Whatever reaches the download folder, nothing unsigned, tampered with,
// foreign or older reaches the program folder: each road ends with the
// program folder as it was, byte for byte.
TEST(UpdateForgery, NoForgedFileReachesTheProgramFolder) {
  const std::string ownProgram = InstalledWithTestKey() + "quillmere.exe";
  const std::string newerProgram = FixtureFolder("versioned") + "quillmere.exe";
  const struct {
    const char* Case;
    TStep Prepare;
    TStep BeforeUpdateBin;
    TCatalogueOutcome Outcome;
    bool InstallFailed;
    std::string Pending;
    std::string Installed;
  } cases[] = {
      {"list altered after signing", Steps({Take("two", LIST), Alter(LIST), Take("two", ENGLISH)}),
       nullptr, TCatalogueOutcome::NotValid, false, "", ownProgram},
      {"list signed with another key", Steps({Take("otherkey", LIST), Take("otherkey", ENGLISH)}),
       nullptr, TCatalogueOutcome::NotValid, false, "", ownProgram},
      {"list without signature", Steps({Take("two", LIST), Unsign(LIST), Take("two", ENGLISH)}),
       nullptr, TCatalogueOutcome::NotValid, false, "", ownProgram},
      {"signed list with a bad magic", Steps({Take("badmagic", LIST), Take("badmagic", ENGLISH)}),
       nullptr, TCatalogueOutcome::NotValid, false, "", ownProgram},
      {"signed list offering an older version",
       Steps({Take("older", LIST), Take("older", ENGLISH)}), nullptr, TCatalogueOutcome::NoUpdates,
       false, "", ownProgram},
      {"archive altered after signing",
       Steps({Take("two", LIST), Take("two", ENGLISH), Alter(ENGLISH)}), nullptr,
       TCatalogueOutcome::Offered, true, "", ownProgram},
      {"archive signed with another key", Steps({Take("two", LIST), Take("otherkey", ENGLISH)}),
       nullptr, TCatalogueOutcome::Offered, true, "", ownProgram},
      {"archive without signature",
       Steps({Take("two", LIST), Take("two", ENGLISH), Unsign(ENGLISH)}), nullptr,
       TCatalogueOutcome::Offered, true, "", ownProgram},
      {"signed archive naming another file",
       Steps({Take("two", LIST), TakeAs("two", PROGRAM, ENGLISH)}), nullptr,
       TCatalogueOutcome::Offered, true, "", ownProgram},
      {"older signed archive under a newer entry",
       Steps({Take("two", LIST), Take("replayed", ENGLISH)}), nullptr, TCatalogueOutcome::Offered,
       true, "", ownProgram},
      {"waiting program whose archive is then signed with another key",
       Steps({Take("two", LIST), Take("two", PROGRAM)}), Take("otherkey", PROGRAM),
       TCatalogueOutcome::Offered, false,
       "quillmere.exe: does not match its archive, not installed\n", ownProgram},
      {"waiting program whose archive is then altered",
       Steps({Take("two", LIST), Take("two", PROGRAM)}), Alter(PROGRAM), TCatalogueOutcome::Offered,
       false, "quillmere.exe: does not match its archive, not installed\n", ownProgram},
      {"waiting program older than the installed one", LeaveWaiting("two"), nullptr,
       TCatalogueOutcome::NotValid, false,
       "quillmere.exe: older than the installed file, not installed\n", newerProgram},
  };
  for (const auto& c : cases) {
    TInstallation installation(c.Installed);
    const auto before = installation.ProgramFiles();
    c.Prepare(installation.Downloads());
    const TRoad road = Travel(installation, c.BeforeUpdateBin);
    EXPECT_EQ(road.Outcome, c.Outcome) << c.Case;
    EXPECT_EQ(road.State.InstallFailed, c.InstallFailed) << c.Case;
    EXPECT_EQ(road.Pending, c.Pending) << c.Case;
    EXPECT_TRUE(installation.ProgramFiles() == before) << c.Case;
  }
}

// The same road with the files as published installs both: the table above
// fails for the forgeries, not for the road.
TEST(UpdateForgery, TheRoadInstallsWhatWasPublished) {
  TInstallation installation(InstalledWithTestKey() + "quillmere.exe");
  Steps({Take("two", LIST), Take("two", ENGLISH), Take("two", PROGRAM)})(installation.Downloads());
  const TRoad road = Travel(installation, nullptr);
  EXPECT_EQ(road.Outcome, TCatalogueOutcome::Offered);
  EXPECT_FALSE(road.State.InstallFailed);
  EXPECT_TRUE(road.State.NeedRestart);
  EXPECT_EQ(road.Pending, "quillmere.exe: installed\n");
  for (const std::int64_t id : {1, 11}) {
    const TFileInfo& row = FileInfo(id);
    EXPECT_EQ(ReadInstalledStamp(installation.Program() + row.Folder + row.FileName).Value,
              PublishedEntry(SiteVariantFolder("two"), id).Stamp.Value)
        << row.FileName;
  }
  // The list stays until the window has installed every line.
  EXPECT_EQ(ListFiles(installation.Downloads(), "*"),
            (std::vector<std::string>{LIST, LIST + std::string(SIGNATURE_SUFFIX)}));
}
