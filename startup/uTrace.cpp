#include "startup/uTrace.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "base/uDirEnum.h"
#include "base/uFileSystem.h"
#include "base/uPathText.h"
#include "startup/uLocaleText.h"

namespace qlm {

TTrace* Trace = nullptr;

void Log(int level, const std::string& message) {
  if (Trace != nullptr) Trace->Log(level, message);
}

namespace {

TTraceTime ToTraceTime(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

// yyyymmdd as a number: the same day exactly when the same "yyyymmdd" text.
int DayNumber(const TTraceTime& time) { return (time.Year * 100 + time.Month) * 100 + time.Day; }

// A block this large is written without waiting for the flusher.
constexpr std::size_t kBlockBytes = 32 * 1024;
// How long a failing process waits for a lock that another thread holds.
constexpr int kCrashLockTries = 100;

bool TryEnterFor(TCriticalSection& lock, int tries) {
  for (int i = 0; i < tries; ++i) {
    if (lock.TryEnter()) return true;
    ::Sleep(1);
  }
  return false;
}

}  // namespace

SYSTEMTIME TSystemClock::Now() const {
  SYSTEMTIME time;
  ::GetLocalTime(&time);
  return time;
}

TTrace::TTrace(HMODULE module, std::string appName, int level, bool uniqueNames,
               std::string folder, std::string suffix, int retention,
               std::shared_ptr<const TTraceClock> clock, DWORD flushDelayMs)
    : fUniqueNames(uniqueNames),
      fLevel(level >= LVL_NONE && level <= LVL_TRASH ? level : LVL_NONE),
      fModule(module),
      fAppName(std::move(appName)),
      fFolder(std::move(folder)),
      fSuffix(std::move(suffix)),
      fClock(clock ? std::move(clock) : std::make_shared<TSystemClock>()) {
  fFileName = BuildFileName(fSuffix);
  SetRetention(retention);
  PurgeOldFiles();
  fFlusher = std::make_unique<TTraceFlusher>(flushDelayMs, [this] { Flush(); });
}

TTrace::TTrace(std::string appName, int level, bool uniqueNames, std::string folder,
               std::string suffix, int retention, std::shared_ptr<const TTraceClock> clock,
               DWORD flushDelayMs)
    : TTrace(nullptr, std::move(appName), level, uniqueNames, std::move(folder),
             std::move(suffix), retention, std::move(clock), flushDelayMs) {}

TTrace::~TTrace() {
  fFlusher.reset();
  Flush();
  CloseLog();
}

std::string TTrace::BuildFileName(const std::string& suffix) {
  std::string folder = FolderOf(fAppName);
  if (folder.empty()) {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(fModule, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      fAppName = std::string(path, length);
      folder = FolderOf(fAppName);
    }
  }
  const TTraceTime now = ToTraceTime(fClock->Now());
  fFileDay = DayNumber(now);
  const std::string name = TraceFileName(NameOf(fAppName), TraceStamp(now, fUniqueNames), suffix);
  const std::string logFolder = folder + fFolder + "\\";
  // One level only; a folder that cannot be made shows up as a failed open.
  ::CreateDirectoryA(logFolder.c_str(), nullptr);
  return logFolder + name;
}

bool TTrace::OpenFile() {
  // Other programs may read the log while it is open, but not write to it.
  // Append-only access puts every write at the end of the file: no line is
  // ever rewritten, and no seek is needed before each one.
  constexpr DWORD kAccess = GENERIC_READ | FILE_APPEND_DATA;
  if (!IsExistingFile(fFileName)) {
    TFileHandle created(::CreateFileA(fFileName.c_str(), kAccess, FILE_SHARE_READ, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!created) return false;
  }
  fStream.Reset(::CreateFileA(fFileName.c_str(), kAccess, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return fStream.Valid();
}

void TTrace::CloseStream() { fStream.Reset(); }

std::string TTrace::DateAndTimeText(const SYSTEMTIME& time) const {
  return ShortDateText(time) + " - " + LongTimeText(time);
}

bool TTrace::WriteHeader() {
  if (!OpenFile()) return false;
  const std::string header[] = {
      TraceRule(),
      NameOf(fAppName) + ", v" + VersionOfFile(fAppName),
      TraceLevelLine(fLevel),
      "LOG Start: " + DateAndTimeText(fClock->Now()) + "\r\n",
  };
  return AppendToStream(header, std::size(header));
}

bool TTrace::EnsureOpen() {
  if (!fOpened) fOpened = WriteHeader();
  fFileReady = fOpened;
  return fOpened;
}

bool TTrace::AppendToStream(const std::string* lines, std::size_t count) {
  std::string block;
  for (std::size_t i = 0; i < count; ++i) {
    block += lines[i];
    block += "\r\n";
  }
  return WriteText(block);
}

bool TTrace::WriteText(const std::string& text) {
  if (!fStream) return false;
  DWORD written = 0;
  return ::WriteFile(fStream.Get(), text.data(), static_cast<DWORD>(text.size()), &written,
                     nullptr) &&
         written == text.size();
}

bool TTrace::Queue(const std::string& line, int day, bool& wake) {
  if (fQueued.empty() || fQueued.back().Day != day) {
    // Room for a whole block at once: the lock is not held through a growth
    // of the text at every few lines.
    fQueued.push_back({day, std::string()});
    fQueued.back().Text.reserve(kBlockBytes + line.size() + 2);
  }
  wake = fQueuedBytes == 0;
  std::string& text = fQueued.back().Text;
  text += line;
  text += "\r\n";
  fQueuedBytes += line.size() + 2;
  // The first line of a file and the first of a new day open that file now,
  // so that its name and header are there when the call returns.
  const bool newDay = day != std::exchange(fQueuedDay, day);
  return newDay || !fFileReady || fQueuedBytes >= kBlockBytes;
}

std::vector<TTrace::TBlock> TTrace::TakeQueued() {
  fQueuedBytes = 0;
  return std::exchange(fQueued, {});
}

void TTrace::WriteBlocks(const std::vector<TBlock>& blocks) {
  for (const TBlock& block : blocks) {
    try {
      if (block.Day != fFileDay) {
        if (fStream) WriteFooter();
        fFileName = BuildFileName(fSuffix);
        fOpened = false;
        fFileReady = false;
      }
      if (!fStream && !EnsureOpen()) continue;
      WriteText(block.Text);
    } catch (...) {
      // The lines of a block that fails are lost; the log never reports
      // its own failures.
    }
  }
}

void TTrace::Flush() {
  TLockGuard write(fWriteLock);
  std::vector<TBlock> blocks;
  {
    TLockGuard queue(fLock);
    blocks = TakeQueued();
  }
  WriteBlocks(blocks);
}

void TTrace::FlushAfterCrash() {
  // The failing thread may hold either lock itself: both are re-entrant.
  if (!TryEnterFor(fWriteLock, kCrashLockTries)) return;
  if (TryEnterFor(fLock, kCrashLockTries)) {
    std::vector<TBlock> blocks = TakeQueued();
    fLock.Leave();
    WriteBlocks(blocks);
  }
  fWriteLock.Leave();
}

void TTrace::WriteNote(const std::string& text) {
  if (!fLock.TryEnter()) return;
  bool wake = false;
  // A note given before the first entry line has no file to go to.
  if (fFileReady) Queue(text, DayNumber(ToTraceTime(fClock->Now())), wake);
  fLock.Leave();
  if (wake && fFlusher) fFlusher->Wake();
}

bool TTrace::WriteFooter() {
  const std::string footer[] = {
      std::string(),
      "LOG End: " + DateAndTimeText(fClock->Now()),
      TraceRule(),
  };
  AppendToStream(footer, std::size(footer));
  CloseStream();
  fFileReady = false;
  return true;
}

void TTrace::CloseLog() {
  if (fOpened) fOpened = !WriteFooter();
}

void TTrace::Log(int level, const std::string& message) {
  if (GetLevel() < level) return;
  const TTraceTime now = ToTraceTime(fClock->Now());
  const std::string line = TraceEntryLine(level, now, ::GetCurrentThreadId(), message);
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (attempt > 0) ::Sleep(1);
    if (fLock.TryEnter()) {
      bool wake = false;
      const bool atOnce = Queue(line, DayNumber(now), wake) || level <= LVL_WARNING;
      fLock.Leave();
      if (atOnce) {
        Flush();
      } else if (wake && fFlusher) {
        fFlusher->Wake();
      }
      return;
    }
  }
}

void TTrace::SetLevel(int level) {
  fLevel.store(level);
  WriteNote("Level: " + std::to_string(level));
}

void TTrace::SetRetention(int count) {
  fRetention = std::clamp(count, 0, 16);
  WriteNote("Retention #: " + std::to_string(fRetention));
  PurgeOldFiles();
}

void TTrace::PurgeOldFiles() {
  if (fRetention <= 0) return;
  const std::string folder = FolderOf(fFileName);
  const std::string appFileName = NameOf(fAppName);

  std::vector<std::string> files;
  TDirEnum listing(folder, "*.txt");
  TDirEntry entry;
  while (listing.Next(entry)) {
    // Another program may keep its traces in the same folder under a name
    // that merely starts like ours. Files of the other stamp kind are ours
    // too (written while the names were daily, or unique).
    if (entry.IsPlainFile() && entry.NameReadable() &&
        (IsTraceFileName(entry.Name, appFileName, true, fSuffix) ||
         IsTraceFileName(entry.Name, appFileName, false, fSuffix))) {
      files.push_back(folder + entry.Name);
    }
  }

  std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
    return ::lstrcmpiA(a.c_str(), b.c_str()) < 0;
  });
  const std::ptrdiff_t surplus = static_cast<std::ptrdiff_t>(files.size()) - fRetention;
  for (std::ptrdiff_t i = 0; i < surplus; ++i) ::DeleteFileA(files[static_cast<std::size_t>(i)].c_str());
}

std::string VersionOfFile(const std::string& file) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &ignored);
  if (size == 0) return "?.?.?.?";
  std::vector<char> data(size);
  if (!::GetFileVersionInfoA(file.c_str(), 0, size, data.data())) return "?.?.?.?";
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  char root[] = "\\";
  if (!::VerQueryValueA(data.data(), root, reinterpret_cast<void**>(&info), &length) ||
      info == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
    return "?.?.?.?";
  }
  char text[64];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", HIWORD(info->dwFileVersionMS),
                LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                LOWORD(info->dwFileVersionLS));
  return text;
}

}  // namespace qlm
