// The program's levelled, thread-safe trace log. Lines are appended to a file
// in a sub-folder of the application's folder; every file opens with a header
// and ends with a footer, a new file starts when the date changes, and the
// number of old files can be limited.
//
// A system call per line would cost a scan more than its walk, so lines wait
// in the log's own buffer and reach the file in blocks: at once for a line of
// level 3 or lower (warnings, errors and exceptions are on the disk before
// anything else happens), for the first line of a file or of a new day, when
// the buffer passes its size limit, at most 200 ms after a line came, at the
// end of every engine operation (Flush), at destruction, and from the crash
// filter (uTraceCrash.h). Their order is kept.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "base/uHandles.h"
#include "startup/uTraceFlusher.h"
#include "startup/uTraceFormat.h"

namespace qlm {

// Where the log reads the local time; tests replace it.
class TTraceClock {
 public:
  virtual ~TTraceClock() = default;
  virtual SYSTEMTIME Now() const = 0;
};

class TSystemClock final : public TTraceClock {
 public:
  SYSTEMTIME Now() const override;
};

// The longest a line waits in the log's buffer.
inline constexpr DWORD TRACE_FLUSH_DELAY_MS = 200;

class TTrace {
 public:
  // flushDelayMs: the longest a line waits for the disk (INFINITE: until
  // something else writes it).
  TTrace(HMODULE module, std::string appName, int level, bool uniqueNames, std::string folder,
         std::string suffix, int retention, std::shared_ptr<const TTraceClock> clock = nullptr,
         DWORD flushDelayMs = TRACE_FLUSH_DELAY_MS);
  TTrace(std::string appName, int level, bool uniqueNames, std::string folder,
         std::string suffix, int retention, std::shared_ptr<const TTraceClock> clock = nullptr,
         DWORD flushDelayMs = TRACE_FLUSH_DELAY_MS);
  ~TTrace();
  TTrace(const TTrace&) = delete;
  TTrace& operator=(const TTrace&) = delete;

  // Takes one entry line when level <= the current level. Never waits longer
  // than one try, a 1 ms sleep and a second try; the line is dropped otherwise.
  // A line that must be written at once is written before the call returns.
  void Log(int level, const std::string& message);
  // Writes every waiting line, waiting for a write under way.
  void Flush();
  // The flush of a process that is failing: a lock held elsewhere is tried
  // for a bounded time and otherwise given up.
  void FlushAfterCrash();
  int GetLevel() const { return fLevel.load(); }
  void SetLevel(int level);
  void SetRetention(int count);

  const std::string& FileName() const { return fFileName; }
  int Retention() const { return fRetention; }

 private:
  std::string BuildFileName(const std::string& suffix);
  bool OpenFile();
  void CloseStream();
  bool WriteHeader();
  bool EnsureOpen();
  bool AppendToStream(const std::string* lines, std::size_t count);
  bool WriteText(const std::string& text);
  void WriteNote(const std::string& text);
  bool WriteFooter();
  void CloseLog();
  void PurgeOldFiles();
  std::string DateAndTimeText(const SYSTEMTIME& time) const;

  // Lines of one day, joined with their line ends.
  struct TBlock {
    int Day = 0;
    std::string Text;
  };
  // Under fLock: queues a line of that day; true when it must be written at
  // once. wake: the flusher is to be woken, which is a system call and so
  // is left until fLock is free again.
  bool Queue(const std::string& line, int day, bool& wake);
  std::vector<TBlock> TakeQueued();
  // Under fWriteLock: the blocks in order, each in the file of its day.
  void WriteBlocks(const std::vector<TBlock>& blocks);

  // Guards the queued lines; held only to add a line or take them all, so
  // that a writer of the file never keeps a logging thread waiting.
  TCriticalSection fLock;
  // Guards the file and its name; taken before fLock, never after it.
  TCriticalSection fWriteLock;
  bool fUniqueNames;
  // Read without the lock, so that a message above the level costs nothing
  // and logging never waits.
  std::atomic<int> fLevel;
  HMODULE fModule;
  std::string fAppName;
  std::string fFileName;
  std::string fFolder;
  std::string fSuffix;
  int fFileDay = 0;
  TFileHandle fStream;
  bool fOpened = false;
  // fOpened as the queue sees it: lines are held back only for an open file.
  std::atomic<bool> fFileReady{false};
  int fRetention = 0;
  std::shared_ptr<const TTraceClock> fClock;
  std::vector<TBlock> fQueued;
  std::size_t fQueuedBytes = 0;
  int fQueuedDay = 0;
  // Last, so that it ends before anything it flushes goes.
  std::unique_ptr<TTraceFlusher> fFlusher;
};

// "?.?.?.?" unless the file's fixed version information can be read.
std::string VersionOfFile(const std::string& file);

// The one trace log of the process, created and freed by start-up.
extern TTrace* Trace;

// Logs through the process's trace log when there is one.
void Log(int level, const std::string& message);

}  // namespace qlm
