#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <thread>

#include "startup/uLocaleText.h"
#include "startup/uTrace.h"
#include "startup/uTraceCrash.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

class TFakeClock final : public TTraceClock {
 public:
  explicit TFakeClock(SYSTEMTIME now) : fNow(now) {}
  SYSTEMTIME Now() const override { return fNow; }
  void Set(SYSTEMTIME now) { fNow = now; }

 private:
  SYSTEMTIME fNow;
};

SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second, int ms) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  t.wHour = static_cast<WORD>(hour);
  t.wMinute = static_cast<WORD>(minute);
  t.wSecond = static_cast<WORD>(second);
  t.wMilliseconds = static_cast<WORD>(ms);
  return t;
}

std::string Stamped(const SYSTEMTIME& t) { return ShortDateText(t) + " - " + LongTimeText(t); }

std::string EntryPrefix(int level, const char* time) {
  char text[64];
  std::snprintf(text, sizeof text, "[%.2d] %s   [%.8X] ", level, time,
                static_cast<unsigned>(::GetCurrentThreadId()));
  return text;
}

class TraceTest : public ::testing::Test {
 protected:
  std::unique_ptr<TTrace> Make(int level, bool unique, int retention = 0,
                               const std::string& suffix = "") {
    return std::make_unique<TTrace>(App(), level, unique, "traces", suffix, retention, fClock);
  }
  std::string App() const { return fFolder.Path() + "quillmere.exe"; }
  std::string Traces() const { return fFolder.Path() + "traces\\"; }
  std::vector<std::string> Lines(const std::string& name) const {
    return SplitLines(ReadFileBytes(Traces() + name));
  }

  TTempFolder fFolder;
  std::shared_ptr<TFakeClock> fClock =
      std::make_shared<TFakeClock>(At(2009, 3, 15, 14, 25, 30, 123));
};

// Once armed, holds the next reader of the time until released. The log reads
// its clock under its lock when it writes a note, so an armed clock lets a
// test keep the lock taken for as long as it likes.
class THoldingClock final : public TTraceClock {
 public:
  SYSTEMTIME Now() const override {
    if (fArmed.exchange(false)) {
      fInside.set_value();
      fReleased.wait();
    }
    return At(2009, 3, 15, 14, 25, 30, 123);
  }
  void Arm() { fArmed = true; }
  void WaitUntilHeld() { fInside.get_future().wait(); }
  void Release() { fRelease.set_value(); }

 private:
  mutable std::atomic<bool> fArmed{false};
  mutable std::promise<void> fInside;
  std::promise<void> fRelease;
  std::shared_future<void> fReleased{fRelease.get_future().share()};
};

}  // namespace

TEST_F(TraceTest, WholeFileByteForByte) {
  auto trace = Make(LVL_DEBUG, true);
  EXPECT_EQ(trace->FileName(), Traces() + "quillmere.20090315-142530-123.txt");
  EXPECT_FALSE(IsExistingFile(trace->FileName())) << "no file before the first line";

  trace->Log(LVL_DEBUG, "Set default inits...");
  trace->Log(LVL_TRASH, "not at level 6");
  fClock->Set(At(2009, 3, 15, 14, 26, 0, 0));
  trace.reset();

  const std::string rule(80, '\xBB');
  const std::string expected =
      rule + "\r\n" +
      "quillmere.exe, v?.?.?.?\r\n"
      "LOG Level: 6 [LVL_DEBUG]\r\n"
      "LOG Start: " + Stamped(At(2009, 3, 15, 14, 25, 30, 123)) + "\r\n\r\n" +
      EntryPrefix(6, "142530.123") + "Set default inits...\r\n"
      "\r\n"
      "LOG End: " + Stamped(At(2009, 3, 15, 14, 26, 0, 0)) + "\r\n" +
      rule + "\r\n";
  EXPECT_EQ(ReadFileBytes(Traces() + "quillmere.20090315-142530-123.txt"), expected);
}

TEST_F(TraceTest, LevelDecidesWhatIsWritten) {
  struct Case {
    int current;
    int message;
    bool written;
  } cases[] = {{6, 7, false}, {6, 6, true}, {6, 1, true}, {0, 1, false}, {7, 7, true},
               {99, 1, false} /* an invalid level becomes 0 */};
  for (const Case& c : cases) {
    TTempFolder folder;
    {
      TTrace trace(folder.Path() + "quillmere.exe", c.current, false, "traces", "", 0, fClock);
      trace.Log(c.message, "the message");
    }
    const auto files = ListFiles(folder.Path() + "traces\\", "*.txt");
    const bool written =
        !files.empty() &&
        ReadFileBytes(folder.Path() + "traces\\" + files[0]).find("the message") !=
            std::string::npos;
    EXPECT_EQ(written, c.written) << "level " << c.current << ", message " << c.message;
  }
}

TEST_F(TraceTest, NotesNeedAnOpenFileAndHaveNoPrefix) {
  auto trace = Make(LVL_TRASH, false);
  trace->SetLevel(LVL_NOTICE);  // stored, but its note has no file yet
  trace->Log(LVL_ERROR, "first");
  trace->SetLevel(LVL_NOTICE);
  trace->SetRetention(3);
  trace->Log(LVL_TRASH, "above the new level");
  trace.reset();

  const auto lines = Lines("quillmere.20090315.txt");
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[2], "LOG Level: 5 [LVL_NOTICE]");
  EXPECT_EQ(lines[5], EntryPrefix(2, "142530.123") + "first");
  EXPECT_EQ(lines[6], "Level: 5");
  EXPECT_EQ(lines[7], "Retention #: 3");
  EXPECT_EQ(lines[8], "");
  EXPECT_EQ(lines.size(), 11u);
}

TEST_F(TraceTest, RetentionIsClampedAndPurgesTheOldestNames) {
  struct Case {
    int requested;
    int stored;
  } cases[] = {{17, 16}, {-1, 0}, {0, 0}, {3, 3}};
  for (const Case& c : cases) {
    auto trace = Make(LVL_DEBUG, true, c.requested);
    EXPECT_EQ(trace->Retention(), c.stored) << c.requested;
  }

  ::CreateDirectoryA(Traces().c_str(), nullptr);
  const char* existing[] = {"quillmere.20090311.txt", "quillmere.20090312.txt",
                            "QUILLMERE.20090313.txt", "quillmere.20090314.txt",
                            "quillmere.20090315.txt"};
  for (const char* name : existing) WriteFileBytes(Traces() + name, "old");
  WriteFileBytes(Traces() + "other.20090301.txt", "not ours");

  Make(LVL_DEBUG, false, 0);
  EXPECT_EQ(ListFiles(Traces(), "*.txt").size(), 6u) << "retention 0 keeps every file";

  Make(LVL_DEBUG, false, 3);
  EXPECT_EQ(ListFiles(Traces(), "quillmere*.txt"),
            (std::vector<std::string>{"QUILLMERE.20090313.txt", "quillmere.20090314.txt",
                                      "quillmere.20090315.txt"}));
  EXPECT_TRUE(IsExistingFile(Traces() + "other.20090301.txt"));
}

TEST_F(TraceTest, DayChangeClosesYesterdaysFileInTheSameCall) {
  fClock->Set(At(2009, 3, 15, 23, 59, 59, 990));
  auto trace = Make(LVL_DEBUG, true);
  trace->Log(LVL_INFO, "before midnight");
  fClock->Set(At(2009, 3, 16, 0, 0, 0, 10));
  trace->Log(LVL_INFO, "after midnight");

  const auto old = Lines("quillmere.20090315-235959-990.txt");
  ASSERT_GE(old.size(), 3u);
  EXPECT_EQ(old[old.size() - 3], "");
  EXPECT_EQ(old[old.size() - 2], "LOG End: " + Stamped(At(2009, 3, 16, 0, 0, 0, 10)));
  EXPECT_EQ(old.back(), std::string(80, '\xBB'));
  EXPECT_EQ(trace->FileName(), Traces() + "quillmere.20090316-000000-010.txt");

  const auto fresh = Lines("quillmere.20090316-000000-010.txt");
  ASSERT_EQ(fresh.size(), 6u);
  EXPECT_EQ(fresh[0], std::string(80, '\xBB'));
  EXPECT_EQ(fresh[3], "LOG Start: " + Stamped(At(2009, 3, 16, 0, 0, 0, 10)));
  EXPECT_EQ(fresh[5], EntryPrefix(4, "000000.010") + "after midnight");
}

TEST_F(TraceTest, DayNamingAppendsWithASecondHeader) {
  Make(LVL_DEBUG, false)->Log(LVL_INFO, "first run");
  Make(LVL_DEBUG, false)->Log(LVL_INFO, "second run");
  const std::string text = ReadFileBytes(Traces() + "quillmere.20090315.txt");
  std::size_t headers = 0;
  for (std::size_t at = text.find("LOG Start: "); at != std::string::npos;
       at = text.find("LOG Start: ", at + 1)) {
    ++headers;
  }
  EXPECT_EQ(headers, 2u);
  EXPECT_LT(text.find("first run"), text.find("second run"));
}

TEST_F(TraceTest, OthersMayReadButNotWriteTheOpenLog) {
  auto trace = Make(LVL_DEBUG, true);
  trace->Log(LVL_INFO, "open now");
  TFileHandle reader(::CreateFileA(trace->FileName().c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
  EXPECT_TRUE(reader.Valid());
  TFileHandle writer(::CreateFileA(trace->FileName().c_str(), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
  EXPECT_FALSE(writer.Valid());
}

TEST_F(TraceTest, PurgeLeavesNamesThatOnlyStartLikeOurs) {
  ::CreateDirectoryA(Traces().c_str(), nullptr);
  const char* ours[] = {"quillmere.20090301-101010-001.txt", "quillmere.20090302-101010-001.txt",
                        "Quillmere.20090303-101010-001.txt"};
  const char* others[] = {
      "quillmere.old.20090201-101010-001.txt",  // the trace of quillmere.old.exe
      "quillmere2.20090201-101010-001.txt",
      "quillmere.old_20090201-101010-001.txt",
      "quillmere_20090201-101010-001.txt",
      "quillmere.20090201-101010-001-x.txt",  // another suffix
      "quillmere.2009020a-101010-001.txt",
      "quillmere.20090201-101010-0011.txt",
  };
  for (const char* name : ours) WriteFileBytes(Traces() + name, "ours");
  for (const char* name : others) WriteFileBytes(Traces() + name, "not ours");

  Make(LVL_DEBUG, true, 1);
  for (const char* name : others) EXPECT_TRUE(IsExistingFile(Traces() + name)) << name;
  EXPECT_EQ(ListFiles(Traces(), "*.txt").size(), std::size(others) + 1);
  EXPECT_TRUE(IsExistingFile(Traces() + ours[2]));
}

TEST_F(TraceTest, ALineLoggedWhileTheLockIsHeldIsDroppedNotWaitedFor) {
  auto clock = std::make_shared<THoldingClock>();
  auto trace = std::make_unique<TTrace>(App(), LVL_DEBUG, true, "traces", "", 0, clock);
  trace->Log(LVL_INFO, "first");
  clock->Arm();
  std::thread holder([&] { trace->SetLevel(LVL_DEBUG); });
  clock->WaitUntilHeld();
  trace->Log(LVL_INFO, "while held");
  clock->Release();
  holder.join();
  trace->Log(LVL_INFO, "after");
  const std::string name = trace->FileName();
  trace.reset();

  const std::string file = ReadFileBytes(name);
  EXPECT_NE(file.find("] first"), std::string::npos);
  EXPECT_NE(file.find("Level: 6"), std::string::npos);
  EXPECT_NE(file.find("] after"), std::string::npos);
  EXPECT_EQ(file.find("while held"), std::string::npos);
}

TEST_F(TraceTest, ConcurrentLinesNeverInterleave) {
  auto trace = Make(LVL_DEBUG, true);
  trace->Log(LVL_INFO, "start");
  const std::string payload(200, 'x');
  auto writer = [&](char tag) {
    for (int i = 0; i < 300; ++i) trace->Log(LVL_INFO, std::string(1, tag) + payload);
  };
  std::thread a(writer, 'A');
  std::thread b(writer, 'B');
  a.join();
  b.join();
  const std::string name = trace->FileName();
  trace.reset();

  int written = 0;
  for (const std::string& line : SplitLines(ReadFileBytes(name))) {
    const std::size_t at = line.find("] A");
    const std::size_t bt = line.find("] B");
    if (at == std::string::npos && bt == std::string::npos) continue;
    EXPECT_EQ(line.substr((at != std::string::npos ? at : bt) + 3), payload);
    ++written;
  }
  // Lines may be dropped under contention, but most get through.
  EXPECT_GT(written, 300);
  EXPECT_LE(written, 600);
}

TEST_F(TraceTest, AFolderThatCannotBeMadeLosesLinesWithoutHarm) {
  TTrace trace(fFolder.Path() + "missing\\deeper\\quillmere.exe", LVL_DEBUG, true, "traces", "",
               0, fClock);
  trace.Log(LVL_INFO, "lost");
  trace.SetLevel(LVL_INFO);
  EXPECT_FALSE(IsExistingFolder(fFolder.Path() + "missing"));
}

// The entry lines of a file, without their time and thread prefix.
std::vector<std::string> Messages(const std::string& file) {
  std::vector<std::string> messages;
  for (const std::string& line : SplitLines(ReadFileBytes(file))) {
    const std::size_t at = line.find("] ", 5);
    if (line.rfind("[0", 0) == 0 && at != std::string::npos) messages.push_back(line.substr(at + 2));
  }
  return messages;
}

// A log whose lines wait until something other than the flusher writes them.
class HeldTraceTest : public TraceTest {
 protected:
  std::unique_ptr<TTrace> MakeHeld(int level) {
    return std::make_unique<TTrace>(App(), level, true, "traces", "", 0, fClock, INFINITE);
  }
};

TEST_F(HeldTraceTest, WarningsReachTheDiskAtOnceAfterEveryLineBeforeThem) {
  auto trace = MakeHeld(LVL_DEBUG);
  trace->Log(LVL_INFO, "opens the file");
  trace->Log(LVL_DEBUG, "detail");
  trace->Log(LVL_INFO, "information");
  EXPECT_EQ(Messages(trace->FileName()), std::vector<std::string>{"opens the file"});
  const struct {
    int Level;
    const char* Text;
  } urgent[] = {{LVL_WARNING, "warning"}, {LVL_ERROR, "error"}, {LVL_EXCEPT, "exception"}};
  std::vector<std::string> expected = {"opens the file", "detail", "information"};
  for (const auto& line : urgent) {
    trace->Log(line.Level, line.Text);
    expected.push_back(line.Text);
    EXPECT_EQ(Messages(trace->FileName()), expected) << line.Text;
    trace->Log(LVL_DEBUG, std::string("after ") + line.Text);
    expected.push_back(std::string("after ") + line.Text);
  }
  const std::string name = trace->FileName();
  trace.reset();
  EXPECT_EQ(Messages(name), expected);
}

TEST_F(HeldTraceTest, AFullBufferIsWrittenWithoutWaiting) {
  auto trace = MakeHeld(LVL_DEBUG);
  trace->Log(LVL_INFO, "opens the file");
  const std::string payload(100, 'x');
  for (int i = 0; i < 1000; ++i) trace->Log(LVL_DEBUG, payload);
  const std::vector<std::string> written = Messages(trace->FileName());
  EXPECT_GT(written.size(), 100u);
  EXPECT_LT(written.size(), 1001u) << "the lines after the last full block still wait";
}

TEST_F(HeldTraceTest, FlushWritesTheWaitingLinesInOrder) {
  auto trace = MakeHeld(LVL_DEBUG);
  trace->Log(LVL_INFO, "one");
  trace->Log(LVL_DEBUG, "two");
  trace->SetLevel(LVL_DEBUG);
  trace->Log(LVL_DEBUG, "three");
  trace->Flush();
  const auto lines = Lines("quillmere.20090315-142530-123.txt");
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[5], EntryPrefix(4, "142530.123") + "one");
  EXPECT_EQ(lines[6], EntryPrefix(6, "142530.123") + "two");
  EXPECT_EQ(lines[7], "Level: 6");
  EXPECT_EQ(lines[8], EntryPrefix(6, "142530.123") + "three");
}

TEST_F(HeldTraceTest, WaitingLinesOfTheOldDayGoToTheOldFileBeforeItsFooter) {
  fClock->Set(At(2009, 3, 15, 23, 59, 59, 990));
  auto trace = MakeHeld(LVL_DEBUG);
  trace->Log(LVL_INFO, "opens the file");
  trace->Log(LVL_DEBUG, "waits before midnight");
  fClock->Set(At(2009, 3, 16, 0, 0, 0, 10));
  trace->Log(LVL_DEBUG, "after midnight");

  const auto old = Lines("quillmere.20090315-235959-990.txt");
  ASSERT_EQ(old.size(), 10u);
  EXPECT_EQ(old[5], EntryPrefix(4, "235959.990") + "opens the file");
  EXPECT_EQ(old[6], EntryPrefix(6, "235959.990") + "waits before midnight");
  EXPECT_EQ(old[8], "LOG End: " + Stamped(At(2009, 3, 16, 0, 0, 0, 10)));
  const auto fresh = Lines("quillmere.20090316-000000-010.txt");
  ASSERT_EQ(fresh.size(), 6u);
  EXPECT_EQ(fresh[5], EntryPrefix(6, "000000.010") + "after midnight");
}

TEST_F(HeldTraceTest, TheCrashFilterWritesTheWaitingLines) {
  auto trace = MakeHeld(LVL_DEBUG);
  trace->Log(LVL_INFO, "opens the file");
  trace->Log(LVL_DEBUG, "last words");
  TTrace* const before = Trace;
  Trace = trace.get();
  LPTOP_LEVEL_EXCEPTION_FILTER installed = nullptr;
  {
    TTraceCrashFilter filter;
    installed = ::SetUnhandledExceptionFilter(&TraceCrashFilter);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = 0xE0515100;  // a failure no other filter knows
    CONTEXT context{};
    EXCEPTION_POINTERS pointers{&record, &context};
    installed(&pointers);
  }
  Trace = before;
  EXPECT_EQ(installed, &TraceCrashFilter);
  EXPECT_EQ(Messages(trace->FileName()),
            (std::vector<std::string>{"opens the file", "last words"}));
}

TEST_F(TraceTest, TheFlusherWritesAWaitingLineByItself) {
  auto trace = Make(LVL_DEBUG, true);
  trace->Log(LVL_INFO, "opens the file");
  trace->Log(LVL_DEBUG, "waits");
  const auto written = [&] { return Messages(trace->FileName()).size() == 2; };
  for (int i = 0; i < 1000 && !written(); ++i) ::Sleep(10);
  EXPECT_TRUE(written());
}

TEST(TraceVersion, VersionOfFile) {
  EXPECT_EQ(VersionOfFile(ProgramFolder() + "quillmere.exe"), "1.0.0.0");
  EXPECT_EQ(VersionOfFile("C:\\no\\such\\file.exe"), "?.?.?.?");
}
