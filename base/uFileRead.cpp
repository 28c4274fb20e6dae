#include "base/uFileRead.h"

#include <windows.h>

#include <algorithm>

#include "base/uHandles.h"

namespace qlm {

namespace {

constexpr std::size_t kChunk = 1 << 20;

TReadOutcome OpenFailure() {
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? TReadOutcome::Missing
                                                                        : TReadOutcome::Unreadable;
}

bool ReadAll(HANDLE file, std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
    DWORD read = 0;
    if (!::ReadFile(file, bytes.data() + done, chunk, &read, nullptr) || read == 0) return false;
    done += read;
  }
  return true;
}

}  // namespace

TFileRead ReadWholeFile(const std::string& path, std::uint64_t limit) {
  TFileRead result;
  TFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    result.Outcome = OpenFailure();
    return result;
  }
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.Get(), &size)) return result;
  if (static_cast<std::uint64_t>(size.QuadPart) > limit) {
    result.Outcome = TReadOutcome::TooLarge;
    return result;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  if (!ReadAll(file.Get(), bytes)) return result;
  result.Outcome = TReadOutcome::Read;
  result.Bytes = std::move(bytes);
  return result;
}

}  // namespace qlm
