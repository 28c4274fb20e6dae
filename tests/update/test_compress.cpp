#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/uTestSupport.h"
#include "tests/update/uUpdateTestSupport.h"
#include "update/uCompress.h"
#include "update/uInstall.h"

using namespace qlm;

namespace {

const char* const ARCHIVE = "english_lng.zip";
const char* const FILE_NAME = "english.lng";
constexpr std::int64_t ENGLISH_ID = 11;

TUpdateRecordEx EnglishEntry() { return PublishedEntry(SitePublishedFolder(), ENGLISH_ID); }
std::string PublishedArchive() { return ReadFileBytes(SitePublishedFolder() + ARCHIVE); }
std::string SourceFile() { return ReadFileBytes(SiteSourceFolder() + "languages\\english.lng"); }

std::size_t NameLength(const std::string& archive) {
  return static_cast<unsigned char>(archive[0]) | static_cast<unsigned char>(archive[1]) << 8;
}

// The archive with another stored name, size or digest, or other data.
std::string WithName(const std::string& archive, const std::string& name) {
  return LittleEndian(name.size(), 8) + name + archive.substr(8 + NameLength(archive));
}
std::string WithSize(const std::string& archive, std::int64_t size) {
  const std::size_t at = 8 + NameLength(archive);
  return archive.substr(0, at) + LittleEndian(size, 8) + archive.substr(at + 8);
}
std::string WithFlippedByte(std::string archive, std::size_t at) {
  archive[at] = static_cast<char>(archive[at] ^ 0x55);
  return archive;
}
std::int64_t SourceSize() { return static_cast<std::int64_t>(SourceFile().size()); }

// A program folder with an installed english.lng and, inside it, the
// download folder.
class Installation {
 public:
  Installation() : fDownloads(fProgram.Path()) {
    ::CreateDirectoryA((fProgram.Path() + "languages").c_str(), nullptr);
    WriteFileBytes(fProgram.Path() + "languages\\english.lng", "[1.0.0]\r\nold\r\n");
  }
  const std::string& Program() const { return fProgram.Path(); }
  const std::string& Downloads() const { return fDownloads.Path(); }
  // Everything under the program folder but the download folder.
  std::map<std::string, std::string> ProgramFiles() const {
    auto files = FolderSnapshot(Program());
    std::erase_if(files, [&](const auto& file) {
      return file.first.rfind(fDownloads.Name() + "\\", 0) == 0;
    });
    return files;
  }

 private:
  TTempFolder fProgram;
  TTempFolder fDownloads;
};

}  // namespace

TEST(Compression, UnpacksAPublishedArchive) {
  Installation site;
  WriteFileBytes(site.Downloads() + ARCHIVE, PublishedArchive());
  TCompression compression;
  int steps = 0;
  compression.SetProgress([&](TCompression& sender) {
    EXPECT_EQ(&sender, &compression);
    ++steps;
  });
  EXPECT_TRUE(compression.UnpackArchive(site.Downloads() + ARCHIVE,
                                        site.Downloads().substr(0, site.Downloads().size() - 1),
                                        FILE_NAME));
  EXPECT_EQ(steps, 4);
  EXPECT_EQ(ReadFileBytes(site.Downloads() + FILE_NAME), SourceFile());
  EXPECT_EQ(ReadFileBytes(site.Program() + "languages\\english.lng"), "[1.0.0]\r\nold\r\n");
}

TEST(Compression, ReadsTheHeader) {
  Installation site;
  WriteFileBytes(site.Downloads() + ARCHIVE, PublishedArchive());
  const TArchiveHeader header = ReadArchiveHeader(site.Downloads() + ARCHIVE);
  EXPECT_EQ(header.FileName, FILE_NAME);
  EXPECT_EQ(header.Size, SourceSize());
  const std::string source = SourceFile();
  EXPECT_EQ(header.Digest, MD5Bytes(source.data(), source.size()));
}

// A changed digest is no error: the unpacked file stays, only its
// installation is refused.
TEST(Compression, ChangedDigestFailsAndKeepsTheUnpackedFile) {
  Installation site;
  const std::string archive = PublishedArchive();
  WriteFileBytes(site.Downloads() + ARCHIVE, WithFlippedByte(archive, 8 + NameLength(archive) + 8));
  const auto before = site.ProgramFiles();
  TCompression compression;
  EXPECT_FALSE(compression.UnpackArchive(site.Downloads() + ARCHIVE, site.Downloads(), FILE_NAME));
  EXPECT_TRUE(IsExistingFile(site.Downloads() + FILE_NAME));

  // Signed as published: the digest still stops it.
  SignWithTestKey(site.Downloads() + ARCHIVE);
  TInstallState state;
  EXPECT_EQ(InstallEntry(EnglishEntry(), site.Downloads(), site.Program(), compression, state),
            UPDATE_IMAGE_FAILED);
  EXPECT_TRUE(state.InstallFailed);
  EXPECT_EQ(site.ProgramFiles(), before);
}

// Damaged and refused archives raise an error before or while writing,
// leave no unpacked file and never touch the program folder.
TEST(Compression, DamagedOrRefusedArchivesFailCleanly) {
  const std::string good = PublishedArchive();
  const std::size_t streamStart = 8 + NameLength(good) + 24;
  const struct {
    const char* Case;
    std::string Bytes;
  } cases[] = {
      {"truncated stream", good.substr(0, good.size() - 1000)},
      {"truncated header", good.substr(0, 20)},
      {"no stream at all", good.substr(0, streamStart)},
      {"data after the stream", good + "extra"},
      {"stream holds more than S", WithSize(good, SourceSize() - 1)},
      {"stream holds less than S", WithSize(good, SourceSize() + 1)},
      {"corrupt stream", WithFlippedByte(good, streamStart + 5000)},
      {"traversal name", WithName(good, "..\\english.lng")},
      {"forward slash name", WithName(good, "../english.lng")},
      {"drive name", WithName(good, "C:english.lng")},
      {"dot dot", WithName(good, "..")},
      {"another file's name", WithName(good, "cookies.def")},
      {"empty name", WithName(good, "")},
      {"S = 0", WithSize(good, 0)},
      {"S negative", WithSize(good, -5)},
      {"S above 256 MiB", WithSize(good, 256LL * 1024 * 1024 + 1)},
  };
  for (const auto& c : cases) {
    Installation site;
    WriteFileBytes(site.Downloads() + ARCHIVE, c.Bytes);
    const auto before = site.ProgramFiles();
    TCompression compression;
    EXPECT_THROW(compression.UnpackArchive(site.Downloads() + ARCHIVE, site.Downloads(), FILE_NAME),
                 EUnpackError)
        << c.Case;
    EXPECT_EQ(ListFiles(site.Downloads(), "*"), std::vector<std::string>{ARCHIVE}) << c.Case;

    // Signed as published: the unpacking still stops it.
    SignWithTestKey(site.Downloads() + ARCHIVE);
    TInstallState state;
    EXPECT_EQ(InstallEntry(EnglishEntry(), site.Downloads(), site.Program(), compression, state),
              UPDATE_IMAGE_FAILED)
        << c.Case;
    EXPECT_TRUE(state.InstallFailed) << c.Case;
    EXPECT_EQ(site.ProgramFiles(), before) << c.Case;
  }
}

TEST(Compression, MissingArchiveIsAnError) {
  TTempFolder downloads;
  TCompression compression;
  EXPECT_THROW(compression.UnpackArchive(downloads.Path() + ARCHIVE, downloads.Path(), FILE_NAME),
               EUnpackError);
}
