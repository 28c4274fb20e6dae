#include "tests/update/uUpdateTestSupport.h"

#include <windows.h>

#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

std::string SiteFolder() { return TestFolder() + "update_site\\"; }

std::string ReadPort(const std::string& name) {
  std::string port = ReadFileBytes(SiteFolder() + name);
  while (!port.empty() && (port.back() == '\n' || port.back() == '\r')) port.pop_back();
  return port;
}

void Snapshot(const std::string& folder, const std::string& prefix,
              std::map<std::string, std::string>& files) {
  WIN32_FIND_DATAA entry;
  TFindHandle find(::FindFirstFileA((folder + "*").c_str(), &entry));
  if (!find) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Snapshot(folder + name + "\\", prefix + name + "\\", files);
    } else {
      files[prefix + name] = ReadFileBytes(folder + name);
    }
  } while (::FindNextFileA(find.Get(), &entry));
}

}  // namespace

std::string SiteSourceFolder() { return SiteFolder() + "source\\"; }

std::string SitePublishedFolder() { return SiteFolder() + "root\\public\\updates\\v1_0\\"; }

std::string SiteAddress() { return "http://127.0.0.1:" + ReadPort("port"); }

std::string DeadSiteAddress() { return "http://127.0.0.1:" + ReadPort("deadport"); }

std::string LittleEndian(std::uint64_t value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
  return bytes;
}

std::string ListHeader(std::uint32_t count, const std::string& magic, std::uint32_t version) {
  return magic + LittleEndian(version, 4) + LittleEndian(count, 4) + LittleEndian(99, 4) +
         std::string(8, '\0');
}

std::string ListEntry(std::int64_t id, std::int64_t size, int kind, std::int64_t value,
                      std::uint64_t date, const std::string& notes) {
  return std::string(8, '\0') + LittleEndian(id, 8) + LittleEndian(size, 8) +
         LittleEndian(kind, 4) + std::string(4, '\0') + LittleEndian(value, 8) +
         LittleEndian(date, 8) + LittleEndian(notes.size(), 4) + std::string(4, '\0') + notes;
}

std::map<std::string, std::string> FolderSnapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  Snapshot(folder, "", files);
  return files;
}
