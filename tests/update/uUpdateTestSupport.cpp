#include "tests/update/uUpdateTestSupport.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "tests/support/uTestSupport.h"
#include "update/uUpdateSignature.h"

using namespace qlm;

namespace {

// Test programs live in a folder beside <build>\tests\ (the update tests in
// it), so the site is found from any of them.
std::string SiteFolder() { return TestFolder() + "..\\tests\\update_site\\"; }

std::string ReadPort(const std::string& name) {
  std::string port = ReadFileBytes(SiteFolder() + name);
  while (!port.empty() && (port.back() == '\n' || port.back() == '\r')) port.pop_back();
  return port;
}

// A PVK file: a 24-byte header, then the key as the cryptography API
// imports it.
constexpr std::size_t PVK_HEADER_SIZE = 24;

void Check(BOOL ok, const char* what) {
  if (!ok) {
    throw std::runtime_error(std::string(what) + " failed: " + std::to_string(::GetLastError()));
  }
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

// The folder of the program's own kind, where it reads the list.
std::string OwnKindFolder() { return std::string(UpdateMachineFolder(OWN_UPDATE_MACHINE)) + "\\"; }

std::string SitePublishedFolder() {
  return SiteFolder() + "root\\public\\updates\\v1_0\\" + OwnKindFolder();
}

std::string SiteAddress() { return "http://127.0.0.1:" + ReadPort("port"); }

std::string SiteAddress(const std::string& variant) { return SiteAddress() + "/" + variant; }

std::string SiteVariantFolder(const std::string& variant) {
  return SiteFolder() + "root\\" + variant + "\\public\\updates\\v1_0\\" + OwnKindFolder();
}

std::string SiteSourceFolder(const std::string& variant) {
  return SiteFolder() + "sources\\" + variant + "\\";
}

std::string InstalledWithTestKey() { return SiteFolder() + "installed\\"; }

std::string DeadSiteAddress() { return "http://127.0.0.1:" + ReadPort("deadport"); }

TUpdateRecordEx PublishedEntry(const std::string& folder, std::int64_t id) {
  for (TUpdateRecordEx& entry : ParseUpdateList(ReadFileBytes(folder + UPDATE_LIST_NAME)).Entries) {
    if (entry.FileId == id) return entry;
  }
  throw std::runtime_error("the list in " + folder + " offers no row " + std::to_string(id));
}

void CopySigned(const std::string& fromFolder, const std::string& name,
                const std::string& toFolder) {
  for (const std::string& file : {name, name + SIGNATURE_SUFFIX}) {
    WriteFileBytes(toFolder + file, ReadFileBytes(fromFolder + file));
  }
}

void SignWithTestKey(const std::string& path) {
  const std::string pvk = ReadFileBytes(SiteFolder() + "..\\update_key\\private.pvk");
  if (pvk.size() <= PVK_HEADER_SIZE) throw std::runtime_error("no test key");
  HCRYPTPROV acquired = 0;
  Check(::CryptAcquireContextA(&acquired, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT),
        "CryptAcquireContext");
  const TCryptProvider provider(acquired);
  HCRYPTKEY imported = 0;
  const BYTE* blob = reinterpret_cast<const BYTE*>(pvk.data()) + PVK_HEADER_SIZE;
  Check(::CryptImportKey(provider.Get(), blob, static_cast<DWORD>(pvk.size() - PVK_HEADER_SIZE), 0,
                         0, &imported),
        "CryptImportKey");
  const TCryptKey key(imported);
  HCRYPTHASH created = 0;
  Check(::CryptCreateHash(provider.Get(), CALG_SHA_256, 0, 0, &created), "CryptCreateHash");
  const TCryptHash hash(created);
  const std::string bytes = ReadFileBytes(path);
  Check(::CryptHashData(hash.Get(), reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()), 0),
        "CryptHashData");
  DWORD size = 0;
  Check(::CryptSignHashA(hash.Get(), AT_KEYEXCHANGE, nullptr, 0, nullptr, &size), "CryptSignHash");
  std::vector<BYTE> signature(size);
  Check(::CryptSignHashA(hash.Get(), AT_KEYEXCHANGE, nullptr, 0, signature.data(), &size),
        "CryptSignHash");
  // Published most significant byte first, as openssl writes it.
  WriteFileBytes(path + SIGNATURE_SUFFIX, std::string(signature.rbegin(), signature.rend()));
}

std::string LittleEndian(std::uint64_t value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
  return bytes;
}

std::string ListHeader(std::uint32_t count, const std::string& magic, std::uint32_t version,
                       std::uint16_t machine) {
  return magic + LittleEndian(version, 4) + LittleEndian(count, 4) + LittleEndian(99, 4) +
         LittleEndian(machine, 2) + std::string(6, '\0');
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

std::map<std::string, std::string> InstalledSnapshot(const std::string& programFolder) {
  std::map<std::string, std::string> files = FolderSnapshot(programFolder);
  std::erase_if(files, [](const auto& file) { return file.first.rfind("updates\\", 0) == 0; });
  return files;
}
