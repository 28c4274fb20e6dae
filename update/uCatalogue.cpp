#include "update/uCatalogue.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "base/uFileRead.h"
#include "base/uHandles.h"
#include "startup/uTrace.h"
#include "update/uFileTable.h"
#include "update/uInstall.h"
#include "update/uUpdateSignature.h"

namespace qlm {

namespace {

// The update list names a few dozen files, and a text-versioned program
// file (a language file) is a few dozen kilobytes; anything this large is
// neither and is not read into memory.
constexpr std::uint64_t kListLimit = 4ull << 20;
constexpr std::uint64_t kTextVersionedLimit = 4ull << 20;

bool ReadFileVersion(const std::string& path, std::int64_t& value, bool& hasResource) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
  hasResource = size > 0;
  if (!hasResource) return false;
  std::vector<char> block(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data()) ||
      !::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
      info == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
    return false;
  }
  value = static_cast<std::int64_t>(std::uint64_t(info->dwFileVersionMS) << 32 |
                                    info->dwFileVersionLS);
  return true;
}

bool IsTextVersioned(const std::string& path) {
  const std::size_t dot = path.find_last_of(".\\");
  if (dot == std::string::npos || path[dot] != '.') return false;
  std::string extension = path.substr(dot);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension == ".lng" || extension == ".def" || extension == ".script";
}

std::int64_t ReadLastWriteTime(const std::string& path) {
  TFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  FILETIME written{};
  if (!file || !::GetFileTime(file.Get(), nullptr, nullptr, &written)) return 0;
  return static_cast<std::int64_t>(std::uint64_t(written.dwHighDateTime) << 32 |
                                   written.dwLowDateTime);
}

}  // namespace

TVersionStamp ReadInstalledStamp(const std::string& path) {
  TVersionStamp stamp;
  bool hasResource = false;
  if (ReadFileVersion(path, stamp.Value, hasResource) || hasResource) {
    stamp.Kind = STAMP_FILE_VERSION;
    return stamp;
  }
  if (IsTextVersioned(path)) {
    stamp.Kind = STAMP_TEXT_VERSION;
    if (!IsExistingFile(path)) return stamp;
    const TFileRead file = ReadWholeFile(path, kTextVersionedLimit);
    if (!file.Ok()) throw std::runtime_error("Cannot read the file " + path);
    const std::string& text = file.Bytes;
    const std::size_t end = text.find_first_of("\r\n");
    if (!text.empty()) stamp.Value = ParseVersionLine(text.substr(0, end));
    return stamp;
  }
  stamp.Kind = STAMP_FILE_TIME;
  stamp.Value = ReadLastWriteTime(path);
  return stamp;
}

bool IsNewer(const TUpdateRecordEx& entry, const std::string& programFolder) {
  const TFileInfo& row = FileInfo(entry.FileId);
  const TVersionStamp installed =
      ReadInstalledStamp(programFolder + row.Folder + row.FileName);
  return installed.Value < entry.Stamp.Value;
}

TCatalogue ReadCatalogue(const std::string& listPath, const std::string& programFolder) {
  TCatalogue catalogue;
  // Nothing of a list is read before its publisher is known.
  if (!VerifyUpdateSignature(listPath)) {
    DeleteSignedFile(listPath);
    return catalogue;
  }
  TUpdateList list;
  const TFileRead file = ReadWholeFile(listPath, kListLimit);
  if (file.Ok()) list = ParseUpdateList(file.Bytes);
  if (list.Status == TUpdateListStatus::NotValid) {
    Log(LVL_WARNING, "Update list not valid: " + listPath);
    DeleteSignedFile(listPath);
    return catalogue;
  }
  if (list.Machine != OWN_UPDATE_MACHINE) {
    char machine[8];
    std::snprintf(machine, sizeof machine, "%04X", list.Machine);
    Log(LVL_WARNING, std::string("Update list for another kind of program (machine ") +
                         machine + "): " + listPath);
    DeleteSignedFile(listPath);
    return catalogue;
  }
  try {
    for (TUpdateRecordEx& entry : list.Entries) {
      if (IsNewer(entry, programFolder)) catalogue.Entries.push_back(std::move(entry));
    }
  } catch (const std::exception& e) {
    catalogue.Outcome = TCatalogueOutcome::Failed;
    catalogue.Error = e.what();
    Log(LVL_ERROR, catalogue.Error);
    return catalogue;
  }
  if (list.Status == TUpdateListStatus::Truncated) {
    catalogue.Outcome = TCatalogueOutcome::Failed;
    catalogue.Error = list.Error;
    Log(LVL_ERROR, catalogue.Error);
    return catalogue;
  }
  if (catalogue.Entries.empty()) {
    catalogue.Outcome = TCatalogueOutcome::NoUpdates;
    DeleteSignedFile(listPath);
  } else {
    catalogue.Outcome = TCatalogueOutcome::Offered;
  }
  return catalogue;
}

}  // namespace qlm
