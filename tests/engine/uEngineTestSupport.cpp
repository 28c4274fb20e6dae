#include "tests/engine/uEngineTestSupport.h"

#include <ostream>

#include "engine/uFolderRelation.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"
#include "startup/uShared.h"

std::map<int, std::string> TStandInMisc::Folders;
std::string TStandInMisc::AppInstall;
std::function<void()> TStandInMisc::OnFileTime;
std::function<void(TCore&)> CollectForTest;

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
  return record;
}

const IMisc kStandIn = BuildStandIn();

constexpr char kRecorderClass[] = "QlmProgressRecorder";

}  // namespace

TStandInMisc::TStandInMisc() : fSaved(::Misc) {
  Folders.clear();
  AppInstall.clear();
  OnFileTime = nullptr;
  ::Misc = &kStandIn;
}

TStandInMisc::~TStandInMisc() {
  ::Misc = fSaved;
  OnFileTime = nullptr;
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

void CollectTestItems(TCore& core) {
  if (CollectForTest) CollectForTest(core);
}

TScanFixture::TScanFixture(int level) {
  FoundList.clear();
  CollectForTest = nullptr;
  fTrace = std::make_unique<TTrace>(fFolder.Path() + "quillmere.exe", level, false, "traces", "", 0);
}

TScanFixture::~TScanFixture() {
  FoundList.clear();
  CollectForTest = nullptr;
}

TCoreInit TScanFixture::Init() {
  TCoreInit init;
  init.Trace = fTrace.get();
  init.Window = Recorder.Handle();
  return init;
}

void TScanFixture::Scan(TCore& core, std::function<void(TCore&)> collect) {
  CollectForTest = std::move(collect);
  core.SetInit(Init());
  core.Parts().Collectors[9].Run = &CollectTestItems;
  core.SetOpType(OPTYPE_SCAN);
  core.Run();
  Recorder.PumpUntilEnd();
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

bool MakeJunction(const std::string& link, const std::string& target) {
  if (!::CreateDirectoryA(link.c_str(), nullptr)) return false;
  TFileHandle folder(::CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                   nullptr));
  if (!folder) return false;
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
  const bool made = ::DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, &data,
                                      data.ReparseDataLength + 8, nullptr, 0, &returned, nullptr);
  folder.Reset();
  if (!made) ::RemoveDirectoryA(link.c_str());
  return made;
}
