#include "tests/support/uTestSupport.h"

#include <algorithm>
#include <stdexcept>

#include "base/uDirEnum.h"
#include "base/uExecutable.h"

using namespace qlm;

namespace {

// Wide-character names, so that a name the code page cannot hold (read as
// "?" by the ANSI functions) goes too. A reparse point (junction, link) is
// removed itself and never entered: its target lies outside the tree.
void RemoveTreeW(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  TFindHandle find(::FindFirstFileW((folder + L"*").c_str(), &entry));
  if (find) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      const DWORD attributes = entry.dwFileAttributes;
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTreeW(path + L"\\");
      } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        ::RemoveDirectoryW(path.c_str());
      } else {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(find.Get(), &entry));
  }
  find.Reset();
  ::RemoveDirectoryW(folder.c_str());
}

void RemoveTree(const std::string& folder) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, nullptr, 0);
  if (length <= 0) return;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length - 1));
  RemoveTreeW(wide);
}

}  // namespace

// Tests live in <build>\tests\, the program in <build>\program\.
std::string ProgramFolder() { return ExecutableFolder() + "..\\program\\"; }

std::string TestFolder() { return ExecutableFolder(); }

std::string FixtureFolder(const std::string& name) {
  return ExecutableFolder() + "fixtures\\" + name + "\\";
}

std::string ReadFileBytes(const std::string& path) {
  TFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  if (!file) throw std::runtime_error("cannot open " + path);
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  TFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file ||
      !::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot write " + path);
  }
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  TFindHandle find(::FindFirstFileA((folder + mask).c_str(), &entry));
  if (!find) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (::FindNextFileA(find.Get(), &entry));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

namespace {

std::string UserTempFolder() {
  char temp[MAX_PATH];
  const DWORD length = ::GetTempPathA(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no temporary folder");
  return std::string(temp, length);
}

}  // namespace

TTempFolder::TTempFolder() : TTempFolder(UserTempFolder()) {}

std::string TTempFolder::Name() const {
  const std::string bare = fPath.substr(0, fPath.size() - 1);
  return bare.substr(bare.find_last_of('\\') + 1);
}

TTempFolder::TTempFolder(const std::string& parent) {
  static LONG counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = parent + "qlmtest-" +
                                  std::to_string(::GetCurrentProcessId()) + "-" +
                                  std::to_string(::InterlockedIncrement(&counter));
    if (::CreateDirectoryA(candidate.c_str(), nullptr)) {
      fPath = candidate + "\\";
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TTempFolder::TTempFolder(TTakeOver, const std::string& folder) : fPath(folder) {}

TTempFolder::~TTempFolder() { RemoveTree(fPath); }

bool IsLinkOnDisk(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

namespace {

// The mount-point form of the reparse data that a junction carries.
struct TMountPointData {
  DWORD ReparseTag;
  WORD ReparseDataLength;
  WORD Reserved;
  WORD SubstituteNameOffset;
  WORD SubstituteNameLength;
  WORD PrintNameOffset;
  WORD PrintNameLength;
  WCHAR PathBuffer[1024];
};

}  // namespace

// Checked on the disk as well: a system may answer the call without making
// anything.
bool MakeJunction(const std::string& link, const std::string& target) {
  if (!::CreateDirectoryA(link.c_str(), nullptr)) return false;
  TFileHandle folder(::CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                   nullptr));
  bool made = false;
  if (folder) {
    const std::string nt = "\\??\\" + target;
    const std::wstring substitute(nt.begin(), nt.end());
    TMountPointData data{};
    data.ReparseTag = IO_REPARSE_TAG_MOUNT_POINT;
    const WORD bytes = static_cast<WORD>(substitute.size() * sizeof(WCHAR));
    data.SubstituteNameLength = bytes;
    data.PrintNameOffset = static_cast<WORD>(bytes + sizeof(WCHAR));
    substitute.copy(data.PathBuffer, substitute.size());
    data.ReparseDataLength = static_cast<WORD>(8 + bytes + 2 * sizeof(WCHAR));
    DWORD returned = 0;
    made = ::DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, &data,
                             data.ReparseDataLength + 8, nullptr, 0, &returned, nullptr) != FALSE;
  }
  folder.Reset();
  if (made && IsLinkOnDisk(link)) return true;
  ::RemoveDirectoryA(link.c_str());
  return false;
}

namespace {

// Empties a prepared tree left by an earlier run. Links are neither entered
// nor removed: Wine's RemoveDirectory on a host link removes the folder it
// points to when that one is empty.
void ClearBesideLinks(const std::string& folder) {
  TDirEnum listing(folder);
  TDirEntry entry;
  while (listing.Next(entry)) {
    if (entry.IsReparsePoint()) continue;
    const std::string path = folder + entry.Name;
    if (entry.IsFolder()) {
      ClearBesideLinks(path + "\\");
      ::RemoveDirectoryA(path.c_str());
    } else {
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileA(path.c_str());
    }
  }
}

bool AllLinks(const std::string& root, const std::vector<std::string>& links) {
  return std::all_of(links.begin(), links.end(),
                     [&](const std::string& link) { return IsLinkOnDisk(root + link); });
}

}  // namespace

TLinkTree::TLinkTree(const std::string& name, const std::vector<std::string>& links) {
  fTemp = std::make_unique<TTempFolder>();
  const std::string temp = fTemp->Path();
  bool made = ::CreateDirectoryA((temp + "outside").c_str(), nullptr) != FALSE;
  for (const std::string& link : links) {
    for (std::size_t slash = link.find('\\'); slash != std::string::npos;
         slash = link.find('\\', slash + 1)) {
      ::CreateDirectoryA((temp + link.substr(0, slash)).c_str(), nullptr);
    }
    made = made && MakeJunction(temp + link, temp + "outside");
  }
  if (made) {
    fRoot = temp;
    return;
  }
  fTemp.reset();
  const std::string prepared = "C:\\qlm-links\\" + name + "\\";
  if (!AllLinks(prepared, links)) return;
  ClearBesideLinks(prepared);
  // The outside folder went with the rest; the links lead to it by name.
  if (!::CreateDirectoryA((prepared + "outside").c_str(), nullptr)) return;
  if (AllLinks(prepared, links)) fRoot = prepared;
}

TProgramRun::TProgramRun(const std::string& executable, const std::string& arguments,
                         const std::string& currentFolder) {
  std::string line = "\"" + executable + "\"";
  if (!arguments.empty()) line += " " + arguments;
  std::vector<char> commandLine(line.begin(), line.end());
  commandLine.push_back('\0');
  const std::string folder = !currentFolder.empty()
                                 ? currentFolder
                                 : executable.substr(0, executable.find_last_of('\\') + 1);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (::CreateProcessA(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                       nullptr, folder.c_str(), &startup, &info)) {
    fProcess.Reset(info.hProcess);
    ::CloseHandle(info.hThread);
    fProcessId = info.dwProcessId;
  }
}

TProgramRun::~TProgramRun() {
  if (fProcess && ::WaitForSingleObject(fProcess.Get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(fProcess.Get(), 255);
    ::WaitForSingleObject(fProcess.Get(), 5000);
  }
}

namespace {

struct TWindowSearch {
  DWORD ProcessId;
  std::vector<HWND> Windows;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TWindowSearch*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search->ProcessId && ::IsWindowVisible(window)) search->Windows.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  TWindowSearch search{processId, {}};
  ::EnumWindows(&CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.Windows;
}

std::string WindowText(HWND window) {
  char text[1024];
  const int length = ::GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

HWND TProgramRun::WaitForWindow(const std::string& caption, DWORD timeoutMs) const {
  const DWORD start = ::GetTickCount();
  do {
    for (HWND window : VisibleWindowsOf(fProcessId)) {
      if (caption.empty() || WindowText(window) == caption) return window;
    }
    if (::WaitForSingleObject(fProcess.Get(), 50) == WAIT_OBJECT_0) return nullptr;
  } while (::GetTickCount() - start < timeoutMs);
  return nullptr;
}

long TProgramRun::WaitForExit(DWORD timeoutMs) {
  if (::WaitForSingleObject(fProcess.Get(), timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(fProcess.Get(), &code);
  return static_cast<long>(code);
}
