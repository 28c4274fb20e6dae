#include "update/uCompress.h"

#include <windows.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "base/uHandles.h"
#include "base/uPathText.h"
#include "update/uMD5File.h"

namespace qlm {

namespace {

constexpr DWORD CHUNK = 64 * 1024;

// Reads exactly `size` bytes; a short archive raises an error.
void ReadExactly(HANDLE file, void* buffer, DWORD size, const std::string& archivePath) {
  DWORD read = 0;
  if (!::ReadFile(file, buffer, size, &read, nullptr) || read != size) {
    throw EUnpackError("The archive is shorter than its header says: " + archivePath);
  }
}

std::int64_t ReadInt64(HANDLE file, const std::string& archivePath) {
  unsigned char bytes[8];
  ReadExactly(file, bytes, sizeof bytes, archivePath);
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | bytes[i];
  return static_cast<std::int64_t>(value);
}

TArchiveHeader ReadHeader(HANDLE file, const std::string& archivePath) {
  TArchiveHeader header;
  const std::int64_t nameLength = ReadInt64(file, archivePath);
  if (nameLength <= 0 || nameLength > ARCHIVE_MAX_NAME) {
    throw EUnpackError("The archive's name length is out of range: " + archivePath);
  }
  header.FileName.resize(static_cast<std::size_t>(nameLength));
  ReadExactly(file, header.FileName.data(), static_cast<DWORD>(nameLength), archivePath);
  header.Size = ReadInt64(file, archivePath);
  ReadExactly(file, header.Digest.data(), static_cast<DWORD>(header.Digest.size()), archivePath);
  return header;
}

TFileHandle OpenArchive(const std::string& archivePath) {
  TFileHandle archive(::CreateFileA(archivePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!archive) throw EUnpackError("Cannot open the archive " + archivePath);
  return archive;
}

// Ends the inflate stream on every path.
class TInflater {
 public:
  TInflater() {
    std::memset(&fStream, 0, sizeof fStream);
    if (::inflateInit(&fStream) != Z_OK) throw EUnpackError("Cannot start the inflation");
  }
  ~TInflater() { ::inflateEnd(&fStream); }
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;
  z_stream& Stream() { return fStream; }

 private:
  z_stream fStream;
};

void WriteAll(HANDLE target, const unsigned char* data, DWORD size) {
  DWORD written = 0;
  if (size > 0 && (!::WriteFile(target, data, size, &written, nullptr) || written != size)) {
    throw EUnpackError("Cannot write the unpacked file");
  }
}

// Inflates the rest of the archive into the target: exactly `size` bytes,
// and the zlib stream must end the archive.
void InflateInto(HANDLE archive, HANDLE target, std::int64_t size, const std::string& archivePath) {
  TInflater inflater;
  z_stream& stream = inflater.Stream();
  std::vector<unsigned char> input(CHUNK);
  std::vector<unsigned char> output(CHUNK);
  std::int64_t total = 0;
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    if (stream.avail_in == 0) {
      DWORD read = 0;
      if (!::ReadFile(archive, input.data(), CHUNK, &read, nullptr)) {
        throw EUnpackError("Cannot read the archive " + archivePath);
      }
      if (read == 0) throw EUnpackError("The archive's data ends early: " + archivePath);
      stream.next_in = input.data();
      stream.avail_in = read;
    }
    stream.next_out = output.data();
    stream.avail_out = CHUNK;
    status = ::inflate(&stream, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
      throw EUnpackError("The archive's data is corrupt: " + archivePath);
    }
    const DWORD produced = CHUNK - stream.avail_out;
    if (total + produced > size) {
      throw EUnpackError("The archive holds more than its stated size: " + archivePath);
    }
    WriteAll(target, output.data(), produced);
    total += produced;
  }
  if (total != size) throw EUnpackError("The archive holds less than its stated size: " + archivePath);
  DWORD read = 0;
  if (stream.avail_in != 0 || (::ReadFile(archive, input.data(), 1, &read, nullptr) && read != 0)) {
    throw EUnpackError("The archive holds data after its stream: " + archivePath);
  }
}

}  // namespace

TArchiveHeader ReadArchiveHeader(const std::string& archivePath) {
  const TFileHandle archive = OpenArchive(archivePath);
  return ReadHeader(archive.Get(), archivePath);
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
  ProgressStep();
  const TArchiveHeader header = ReadHeader(archive.Get(), archivePath);
  const std::string refusal = CheckArchiveHeader(header, expectedName);
  if (!refusal.empty()) throw EUnpackError(refusal);

  const std::string path = WithBackslash(destinationFolder) + header.FileName;
  TFileHandle target(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target) throw EUnpackError("Cannot create the file " + path);
  try {
    ProgressStep();
    InflateInto(archive.Get(), target.Get(), header.Size, archivePath);
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
