#include "update/uArchiveFormat.h"

namespace qlm {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 32) return false;
    if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::string CheckArchiveHeader(const TArchiveHeader& header, std::string_view expectedName) {
  if (!IsPlainFileName(header.FileName)) {
    return "The archive names no plain file: \"" + header.FileName + "\"";
  }
  if (!SameName(header.FileName, expectedName)) {
    return "The archive holds \"" + header.FileName + "\", not \"" + std::string(expectedName) +
           "\"";
  }
  if (header.Size <= 0 || header.Size > ARCHIVE_MAX_SIZE) {
    return "The archive's file size is out of range: " + std::to_string(header.Size);
  }
  return "";
}

}  // namespace qlm
