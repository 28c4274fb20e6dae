#include "update/uCompress.h"

#include <windows.h>

#include "base/uHandles.h"
#include "base/uPathText.h"
#include "update/uMD5File.h"

namespace qlm {

namespace {

// The archive file on disk as a source of bytes.
class TFileSource : public TArchiveSource {
 public:
  TFileSource(HANDLE file, const std::string& archivePath) : fFile(file), fPath(archivePath) {}

  std::size_t Read(void* buffer, std::size_t size) override {
    DWORD read = 0;
    if (!::ReadFile(fFile, buffer, static_cast<DWORD>(size), &read, nullptr)) {
      throw EUnpackError("Cannot read the archive " + fPath);
    }
    return read;
  }

 private:
  HANDLE fFile;
  const std::string& fPath;
};

TFileHandle OpenArchive(const std::string& archivePath) {
  TFileHandle archive(::CreateFileA(archivePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!archive) throw EUnpackError("Cannot open the archive " + archivePath);
  return archive;
}

void WriteAll(HANDLE target, const unsigned char* data, std::size_t size) {
  DWORD written = 0;
  if (!::WriteFile(target, data, static_cast<DWORD>(size), &written, nullptr) || written != size) {
    throw EUnpackError("Cannot write the unpacked file");
  }
}

}  // namespace

TArchiveHeader ReadArchiveHeader(const std::string& archivePath) {
  const TFileHandle archive = OpenArchive(archivePath);
  TFileSource source(archive.Get(), archivePath);
  return ReadArchiveHeader(source, archivePath);
}

void TCompression::ProgressStep() {
  if (!fProgress) return;
  fProgress(*this);
  ::Sleep(100);
}

bool TCompression::UnpackArchive(const std::string& archivePath,
                                 const std::string& destinationFolder,
                                 const std::string& expectedName) {
  ProgressStep();
  TFileHandle archive = OpenArchive(archivePath);
  TFileSource source(archive.Get(), archivePath);
  ProgressStep();
  const TArchiveHeader header = ReadArchiveHeader(source, archivePath);
  const std::string refusal = CheckArchiveHeader(header, expectedName);
  if (!refusal.empty()) throw EUnpackError(refusal);

  const std::string path = WithBackslash(destinationFolder) + header.FileName;
  TFileHandle target(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target) throw EUnpackError("Cannot create the file " + path);
  try {
    ProgressStep();
    InflateArchive(
        source,
        [&target](const unsigned char* data, std::size_t size) { WriteAll(target.Get(), data, size); },
        header.Size, archivePath);
    ProgressStep();
  } catch (...) {
    target.Reset();
    ::DeleteFileA(path.c_str());
    throw;
  }
  target.Reset();
  archive.Reset();

  TMD5Digest digest;
  MD5File(path, digest);
  return digest == header.Digest;
}

}  // namespace qlm
