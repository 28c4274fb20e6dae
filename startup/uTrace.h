// The program's levelled, thread-safe trace log. Lines are appended to a file
// in a sub-folder of the application's folder; every file opens with a header
// and ends with a footer, a new file starts when the date changes, and the
// number of old files can be limited.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "base/uHandles.h"
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

class TTrace {
 public:
  TTrace(HMODULE module, std::string appName, int level, bool uniqueNames, std::string folder,
         std::string suffix, int retention, std::shared_ptr<const TTraceClock> clock = nullptr);
  TTrace(std::string appName, int level, bool uniqueNames, std::string folder,
         std::string suffix, int retention, std::shared_ptr<const TTraceClock> clock = nullptr);
  ~TTrace();
  TTrace(const TTrace&) = delete;
  TTrace& operator=(const TTrace&) = delete;

  // Writes one entry line when level <= the current level. Never waits longer
  // than one try, a 1 ms sleep and a second try; the line is dropped otherwise.
  void Log(int level, const std::string& message);
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
  // `now` is the time of the lines, which also decides a change of day.
  bool WriteLines(const std::string* lines, std::size_t count, const TTraceTime& now);
  bool AppendToStream(const std::string* lines, std::size_t count);
  void WriteNote(const std::string& text);
  bool WriteFooter();
  void CloseLog();
  bool IsSameDay(const TTraceTime& now) const;
  void PurgeOldFiles();
  std::string DateAndTimeText(const SYSTEMTIME& time) const;

  TCriticalSection fLock;
  bool fUniqueNames;
  // Read without the lock, so that a message above the level costs nothing
  // and logging never waits.
  std::atomic<int> fLevel;
  HMODULE fModule;
  std::string fAppName;
  std::string fFileName;
  std::string fFolder;
  std::string fSuffix;
  std::string fFileDay;
  TFileHandle fStream;
  bool fOpened = false;
  int fRetention = 0;
  std::shared_ptr<const TTraceClock> fClock;
};

// "?.?.?.?" unless the file's fixed version information can be read.
std::string VersionOfFile(const std::string& file);

// The one trace log of the process, created and freed by start-up.
extern TTrace* Trace;

// Logs through the process's trace log when there is one.
void Log(int level, const std::string& message);

}  // namespace qlm
