#include "tests/engine/uEngineTestSupport.h"

#include <shlwapi.h>

#include <cstring>
#include <ostream>

#include "base/uDateTime.h"
#include "base/uDirEnum.h"
#include "base/uFileSystem.h"
#include "base/uFolderRelation.h"
#include "base/uPathRules.h"
#include "base/uPathText.h"
#include "base/uText.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"

using namespace qlm;

std::map<int, std::string> TStandInMisc::Folders;
std::string TStandInMisc::AppInstall;
std::function<void()> TStandInMisc::OnFileTime;
std::function<void(const std::string&)> TStandInMisc::OnRemoveFile;
std::vector<std::string> TStandInMisc::Recycled;
std::vector<std::size_t> TStandInMisc::RecycleBatches;
std::string TStandInMisc::DriveRoots;
IMisc TStandInMisc::Record;
std::function<void(TScanContext&)> CollectForTest;

namespace {

MiscBool Answer(const std::string& text, char* buffer, int size, int* outLength) {
  if (static_cast<int>(text.size()) >= size) return FALSE;
  text.copy(buffer, text.size());
  buffer[text.size()] = '\0';
  *outLength = static_cast<int>(text.size());
  return TRUE;
}

template <int Word>
MiscBool MISC_CALL PathSlot(char* buffer, int size, int* outLength) {
  const auto found = TStandInMisc::Folders.find(Word);
  if (found == TStandInMisc::Folders.end()) return FALSE;
  return Answer(found->second, buffer, size, outLength);
}

MiscBool MISC_CALL AppInstallSlot(char* buffer, int size, int* outLength, const char*,
                                  const char*) {
  return Answer(TStandInMisc::AppInstall, buffer, size, outLength);
}

int MISC_CALL IsSubFolderSlot(const char* a, const char* b) { return FolderRelation(a, b); }

MiscBool MISC_CALL FileTimeToDateSlot(std::uint64_t fileTime, double* date) {
  *date = FileTimeToDateTime(fileTime);
  if (TStandInMisc::OnFileTime) TStandInMisc::OnFileTime();
  return TRUE;
}

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

// Removes a tree without ever entering a reparse point (the link itself goes).
void RemoveTreeOnDisk(const std::string& folder) {
  const std::string base = WithBackslash(folder);
  {
    TDirEnum listing(base);
    TDirEntry entry;
    while (listing.Next(entry)) {
      const std::string path = base + entry.Name;
      if (entry.IsFolder() && !entry.IsReparsePoint()) {
        RemoveTreeOnDisk(path);
      } else if (entry.IsFolder()) {
        ::RemoveDirectoryA(path.c_str());
      } else {
        ::DeleteFileA(path.c_str());
      }
    }
  }
  ::RemoveDirectoryA(base.c_str());
}

// Files only, as the library counts them; nothing behind a link.
void AddTotals(const std::string& folder, std::int64_t& size, std::int64_t& count) {
  TDirEnum listing(WithBackslash(folder));
  TDirEntry entry;
  while (listing.Next(entry)) {
    if (entry.IsReparsePoint()) continue;
    if (entry.IsFolder()) {
      AddTotals(WithBackslash(folder) + entry.Name, size, count);
    } else {
      size += entry.Size;
      ++count;
    }
  }
}

std::string WithoutBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// The removal and measure slots keep the library's path rules: nothing
// relative, nothing with a wildcard or a "." or ".." component, no drive
// root as a tree, and only what exists.
MiscBool MISC_CALL RemoveFileSlot(const char* path) {
  if (TStandInMisc::OnRemoveFile) TStandInMisc::OnRemoveFile(path);
  if (!IsActionablePath(path) || !IsExistingFile(path)) return FALSE;
  return ::DeleteFileA(path);
}

MiscBool MISC_CALL RecycleFileSlot(const char* path) {
  if (!IsActionablePath(path) || !IsExistingFile(path) || !::DeleteFileA(path)) return FALSE;
  TStandInMisc::Recycled.push_back(path);
  return TRUE;
}

// True when every file of the list went.
MiscBool MISC_CALL RecycleFilesSlot(const char* names) {
  std::size_t count = 0;
  bool all = true;
  for (const char* name = names; *name != '\0'; name += std::strlen(name) + 1, ++count) {
    all = RecycleFileSlot(name) && all;
  }
  TStandInMisc::RecycleBatches.push_back(count);
  return all;
}

MiscBool MISC_CALL RemoveTreeSlot(const char* folder, int, int) {
  const std::string path = WithoutBackslash(folder);
  if (!IsActionablePath(path) || IsRootPath(path) || !IsExistingFolder(path)) return FALSE;
  RemoveTreeOnDisk(path);
  return ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

MiscBool MISC_CALL FolderTotalsSlot(const char* folder, std::int64_t* size, std::int64_t* count) {
  const std::string path = WithoutBackslash(folder);
  if (!IsAbsolutePath(path) || !IsExistingFolder(path)) return FALSE;
  *size = 0;
  *count = 0;
  if (!IsLink(::GetFileAttributesA(path.c_str()))) AddTotals(path, *size, *count);
  return TRUE;
}

MiscBool MISC_CALL RegKeyDeleteSlot(const char* root, const char* key) {
  return std::string(root) == "machine" && ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, key) == ERROR_SUCCESS;
}

MiscBool MISC_CALL RegKeyExistsSlot(const char* root, const char* key) {
  return std::string(root) == "machine" && RegKeyPresent(key);
}

// A value of a key below the local-machine root, of the given type.
bool ReadValue(const char* root, const char* key, const char* value, DWORD type, void* data,
               DWORD size) {
  if (std::string(root) != "machine") return false;
  HKEY handle = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  TRegKey owned(handle);
  DWORD found = 0;
  return ::RegQueryValueExA(handle, value, nullptr, &found, static_cast<BYTE*>(data), &size) ==
             ERROR_SUCCESS &&
         found == type;
}

MiscBool MISC_CALL RegReadNumberSlot(const char* root, const char* key, const char* value,
                                     std::int32_t* number) {
  return ReadValue(root, key, value, REG_DWORD, number, sizeof *number);
}

MiscBool MISC_CALL RegReadTextSlot(const char* root, const char* key, const char* value,
                                   char* buffer) {
  return ReadValue(root, key, value, REG_SZ, buffer, MISC_REGTEXT_BUFFER - 1);
}

MiscBool MISC_CALL FixedDriveRootsSlot(const char*, char* buffer, int size, int* outLength) {
  return Answer(TStandInMisc::DriveRoots, buffer, size, outLength);
}

IMisc BuildStandIn() {
  IMisc record{};
  record.Version = MISC_INTERFACE_VERSION;
  record.PathAppData = &PathSlot<45>;
  record.PathCommonAppData = &PathSlot<46>;
  record.PathCookies = &PathSlot<47>;
  record.PathCrashDumps = &PathSlot<48>;
  record.PathIeCache = &PathSlot<51>;
  record.AppInstallFolder = &AppInstallSlot;
  record.PathLocalAppData = &PathSlot<53>;
  record.PathOeStore = &PathSlot<54>;
  record.PathOfficeRecent = &PathSlot<55>;
  record.PathOperaCache = &PathSlot<56>;
  record.PathPrefetch = &PathSlot<57>;
  record.PathProfiles = &PathSlot<58>;
  record.PathCommonFiles = &PathSlot<59>;
  record.PathProgramFiles = &PathSlot<60>;
  record.PathRecent = &PathSlot<61>;
  record.PathUserProfile = &PathSlot<64>;
  record.PathUserTemp = &PathSlot<65>;
  record.PathWindows = &PathSlot<66>;
  record.PathSystem = &PathSlot<67>;
  record.PathWindowsTemp = &PathSlot<68>;
  record.IsSubFolder = &IsSubFolderSlot;
  record.FileTimeToDate = &FileTimeToDateSlot;
  record.RemoveFile = &RemoveFileSlot;
  record.RecycleFile = &RecycleFileSlot;
  record.RecycleFiles = &RecycleFilesSlot;
  record.RemoveTree = &RemoveTreeSlot;
  record.FolderTotals = &FolderTotalsSlot;
  record.RegKeyDelete = &RegKeyDeleteSlot;
  record.RegKeyExists = &RegKeyExistsSlot;
  record.RegReadNumber = &RegReadNumberSlot;
  record.RegReadText = &RegReadTextSlot;
  record.FixedDriveRoots = &FixedDriveRootsSlot;
  return record;
}

constexpr char kRecorderClass[] = "QlmProgressRecorder";

}  // namespace

TStandInMisc::TStandInMisc() : fSaved(::Misc) {
  Folders.clear();
  AppInstall.clear();
  OnFileTime = nullptr;
  OnRemoveFile = nullptr;
  Recycled.clear();
  RecycleBatches.clear();
  DriveRoots.clear();
  Record = BuildStandIn();
  ::Misc = &Record;
}

TStandInMisc::~TStandInMisc() {
  ::Misc = fSaved;
  OnFileTime = nullptr;
  OnRemoveFile = nullptr;
}

void TStandInMisc::BorrowServices(const IMisc& from) {
  Record.IsTrackingCookieFile = from.IsTrackingCookieFile;
  Record.MozHasTrackingCookie = from.MozHasTrackingCookie;
  Record.MozCleanCookies = from.MozCleanCookies;
  Record.MozCountCookies = from.MozCountCookies;
  Record.ProfileCacheFolder = from.ProfileCacheFolder;
  Record.ProfileCookiesFolder = from.ProfileCookiesFolder;
  Record.CloseProfiles = from.CloseProfiles;
  Record.ProfileCount = from.ProfileCount;
  Record.OpenProfiles = from.OpenProfiles;
  Record.CleanMruLists = from.CleanMruLists;
  Record.EmptyOutlookFolder = from.EmptyOutlookFolder;
  Record.MruTotals = from.MruTotals;
  Record.OutlookFolderTotals = from.OutlookFolderTotals;
  Record.OeMessageCount = from.OeMessageCount;
  Record.CleanAddressBar = from.CleanAddressBar;
  Record.CleanIeHistory = from.CleanIeHistory;
  Record.AddressBarTotals = from.AddressBarTotals;
  Record.IeHistoryTotals = from.IeHistoryTotals;
  Record.OutlookAvailable = from.OutlookAvailable;
}

TRealMisc::TRealMisc() : fSaved(::Misc) {
  if (LoadMiscLibrary(fModule, ProgramFolder()) && GetIMiscEntry != nullptr) {
    fReal = GetIMiscEntry();
    ::Misc = fReal;
  }
}

TRealMisc::~TRealMisc() {
  ::Misc = fSaved;
  if (fModule != nullptr) UnloadMiscLibrary(fModule);
}

TProgressRecorder::TProgressRecorder() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Proc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kRecorderClass;
  ::RegisterClassA(&windowClass);  // fails harmlessly when already registered
  fWindow = ::CreateWindowA(kRecorderClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            windowClass.hInstance, nullptr);
  ::SetWindowLongPtrA(fWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TProgressRecorder::~TProgressRecorder() {
  DiscardProgress(fWindow);
  ::DestroyWindow(fWindow);
}

LRESULT CALLBACK TProgressRecorder::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TProgressRecorder*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_CORE_PROGRESS) {
    DeliverProgress(window);
    return 0;
  }
  if (message >= WM_CORE_SCAN_END && message <= WM_CORE_UPDATE_CLEAN) {
    std::unique_ptr<TUpdateItem> item(reinterpret_cast<TUpdateItem*>(wParam));
    if (item && self) {
      self->Messages.push_back({message, *item});
      if (self->OnMessage) self->OnMessage(self->Messages.back());
    }
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

bool TProgressRecorder::PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!pred()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::DispatchMessageA(&msg);
    } else {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

bool TProgressRecorder::PumpUntilEnd(DWORD timeoutMs) {
  return PumpUntil([this] { return Count(WM_CORE_SCAN_END) > 0; }, timeoutMs);
}

std::size_t TProgressRecorder::Count(UINT message) const {
  std::size_t count = 0;
  for (const TRecordedMessage& m : Messages) count += m.Message == message;
  return count;
}

std::ostream& operator<<(std::ostream& out, const TLogLine& line) {
  return out << "[" << line.Level << "] " << line.Text;
}

std::vector<TLogLine> TraceEntries(const std::string& file) {
  std::vector<TLogLine> entries;
  for (const std::string& line : SplitLines(ReadFileBytes(file))) {
    if (line.size() < 5 || line[0] != '[' || line[3] != ']') continue;
    const std::size_t close = line.find("] ", 4);
    if (close == std::string::npos) continue;
    entries.push_back({std::stoi(line.substr(1, 2)), line.substr(close + 2)});
  }
  return entries;
}

void MakeTree(const std::string& root, const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) {
    if (entry.back() == '\\') {
      ::CreateDirectoryA((root + entry).c_str(), nullptr);
      continue;
    }
    const std::size_t equals = entry.find('=');
    const std::string name = entry.substr(0, equals);
    const std::size_t size = equals == std::string::npos ? 1 : std::stoul(entry.substr(equals + 1));
    WriteFileBytes(root + name, std::string(size, 'x'));
  }
}

std::string DbxStore(std::uint32_t messages) {
  std::string header(0x24bc, '\0');
  const unsigned char signature[16] = {0xCF, 0xAD, 0x12, 0xFE, 0xC5, 0xFD, 0x74, 0x6F,
                                       0x66, 0xE3, 0xD1, 0x11, 0x9A, 0x4E, 0x00, 0xC0};
  for (int i = 0; i < 16; ++i) header[i] = static_cast<char>(signature[i]);
  for (int i = 0; i < 4; ++i) header[0xC4 + i] = static_cast<char>((messages >> (8 * i)) & 0xFF);
  return header;
}

std::unique_ptr<TFolderItem> MakeItem(const std::string& folder, const std::string& masks,
                                      bool subFolders, int category, bool nested) {
  auto item = std::make_unique<TFolderItem>();
  item->Folder = LowerText(folder);
  item->Path = item->Folder;
  item->SubFolders = subFolders;
  item->Category = category;
  item->Nested = nested;
  if (!masks.empty()) item->IncludeMasks = SplitDelimited(masks, '|');
  return item;
}

void CollectTestItems(TScanContext& core) {
  if (CollectForTest) CollectForTest(core);
}

TScanFixture::TScanFixture(int level) {
  FoundList.HandTo(TListSide::Window);
  FoundList.Window().clear();
  CollectForTest = nullptr;
  fTrace =
      std::make_unique<TTrace>(fFolder.Path() + "quillmere.exe", level, false, "traces", "", 0);
}

TScanFixture::~TScanFixture() {
  FoundList.HandTo(TListSide::Window);
  FoundList.Window().clear();
  CollectForTest = nullptr;
}

TCoreInit TScanFixture::Init() {
  TCoreInit init;
  init.Trace = fTrace.get();
  init.Window = Recorder.Handle();
  return init;
}

void TScanFixture::Scan(TCore& core, std::function<void(TScanContext&)> collect) {
  CollectForTest = std::move(collect);
  core.Parts().Collectors[9].Run = &CollectTestItems;
  RunOperation(core, TOptions{}, OPTYPE_SCAN);
}

void TScanFixture::ScanWith(TCore& core, const TOptions& options) {
  RunOperation(core, options, OPTYPE_SCAN);
}

void TScanFixture::CleanWith(TCore& core, const TOptions& options) {
  RunOperation(core, options, OPTYPE_CLEAN);
}

void TScanFixture::RunOperation(TCore& core, const TOptions& options, int opType) {
  TCoreInit init = Init();
  init.Options = options;
  core.SetInit(init);
  core.SetOpType(opType);
  FoundList.HandTo(TListSide::Worker);
  core.Run();
  const UINT end = opType == OPTYPE_SCAN ? WM_CORE_SCAN_END : WM_CORE_CLEAN_END;
  Recorder.PumpUntil([this, end] { return Recorder.Count(end) > 0; });
}

TTestRegKey::TTestRegKey(const std::string& key) : fKey(key) {
  HKEY handle = nullptr;
  fMade = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &handle, nullptr) == ERROR_SUCCESS;
  TRegKey owned(handle);
}

TTestRegKey::~TTestRegKey() {
  if (fMade) ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, fKey.c_str());
}

void TTestRegKey::SetValue(const std::string& name, DWORD type, const void* data, DWORD size) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, fKey.c_str(), 0, KEY_SET_VALUE, &handle) !=
      ERROR_SUCCESS) {
    return;
  }
  TRegKey owned(handle);
  ::RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

void TTestRegKey::SetText(const std::string& name, const std::string& value) {
  SetValue(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TTestRegKey::SetNumber(const std::string& name, DWORD value) {
  SetValue(name, REG_DWORD, &value, sizeof value);
}

bool RegKeyPresent(const std::string& key) {
  HKEY handle = nullptr;
  const bool open = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) ==
                    ERROR_SUCCESS;
  TRegKey owned(handle);
  return open;
}

FILETIME FileTimeHoursAgo(double hours) {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  const std::uint64_t value = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                              now.dwLowDateTime;
  const std::uint64_t then = value - static_cast<std::uint64_t>(hours * 36000000000.0);
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(then);
  result.dwHighDateTime = static_cast<DWORD>(then >> 32);
  return result;
}

bool SetAgeHours(const std::string& path, double hours) {
  TFileHandle file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return false;
  const FILETIME time = FileTimeHoursAgo(hours);
  return ::SetFileTime(file.Get(), &time, &time, &time);
}
