#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "base/uText.h"
#include "engine/uCoreThread.h"
#include "engine/uProgressQueue.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

// Starts an operation the way the main window does.
void StartScan(TCoreThread& thread, std::function<void(TScanContext&)> collect) {
  CollectForTest = std::move(collect);
  TCoreInit init;
  thread.GetInit(init);
  init.Options.SelFoundObjs = true;
  thread.SetInit(init);
  thread.SetOpType(OPTYPE_SCAN);
  thread.Resume();
  thread.Start();
}

std::unique_ptr<TCoreThread> MakeThread(TScanFixture& fixture) {
  auto thread = std::make_unique<TCoreThread>();
  thread->SetInit(fixture.Init());
  thread->Core().Parts().Collectors[9].Run = &CollectTestItems;
  return thread;
}

// One folder with one file, searched by `masks` copies of one mask: a
// message 1028 and an object per copy, without touching the disk again.
std::function<void(TScanContext&)> ManyMasks(const std::string& folder, std::size_t masks) {
  return [folder, masks](TScanContext& core) {
    auto item = MakeItem(folder, "", false, OBJTYPE_CUSTOM);
    item->IncludeMasks = TStringList{std::vector<std::string>(masks, "f*"), '|'};
    core.Folders().push_back(std::move(item));
  };
}

// A scan that stays busy for a long while: each of its 50,000 objects takes
// a millisecond; `found` counts them.
std::unique_ptr<TCoreThread> StartSlowScan(TScanFixture& fixture, std::atomic<int>& found) {
  MakeTree(fixture.Root(), {"m\\", "m\\f.tmp"});
  TStandInMisc::OnFileTime = [&found] {
    ++found;
    ::Sleep(1);
  };
  auto thread = MakeThread(fixture);
  StartScan(*thread, ManyMasks(LowerText(fixture.Root()) + "m\\", 50000));
  return thread;
}

bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs = 20000) {
  const DWORD start = ::GetTickCount();
  while (!pred()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(1);
  }
  return true;
}

// Points the process's trace log at a test's log while it lives.
class TGlobalTrace {
 public:
  explicit TGlobalTrace(TTrace* trace) : fSaved(::Trace) { ::Trace = trace; }
  ~TGlobalTrace() { ::Trace = fSaved; }

 private:
  TTrace* fSaved;
};

TEST(CoreThread, ScanFindsPostsAndEnds) {
  TScanFixture fixture;
  MakeTree(fixture.Root(), {"t\\", "t\\a.tmp=7", "t\\sub\\", "t\\sub\\b.tmp=2"});
  const std::string r = LowerText(fixture.Root());
  auto thread = MakeThread(fixture);
  thread->Stop();  // a stop while idle does not reach the next operation
  StartScan(*thread, [&](TScanContext& core) {
    core.Folders().push_back(MakeItem(r + "t\\", "*.tmp", true, OBJTYPE_CUSTOM));
  });
  ASSERT_TRUE(fixture.Recorder.PumpUntilEnd());
  EXPECT_TRUE(WaitFor([&] { return !thread->IsRunning(); }));
  const auto& end = fixture.Recorder.Messages.back();
  EXPECT_EQ(end.Message, WM_CORE_SCAN_END);
  EXPECT_FALSE(end.Item.Stopped || end.Item.Failed);
  ASSERT_EQ(FoundList.Window().size(), 2u);
  EXPECT_TRUE(FoundList.Window()[0]->Selected);
  EXPECT_EQ(fixture.Recorder.Count(WM_CORE_UPDATE_SCAN), 2u);
  EXPECT_EQ(fixture.Recorder.Count(WM_CORE_CURR_PATH), 2u);
}

TEST(CoreThread, StartRightAfterEachEndRunsThatOperation) {
  TScanFixture fixture(LVL_INFO);
  MakeTree(fixture.Root(), {"t\\", "t\\a.tmp"});
  const std::string r = LowerText(fixture.Root());
  auto thread = MakeThread(fixture);
  // Many items make the release of the folder list after the end message
  // long enough for the next start to land inside it.
  const auto collect = [&](TScanContext& core) {
    core.Folders().push_back(MakeItem(r + "t\\", "*", false, OBJTYPE_CUSTOM));
    for (int i = 0; i < 2000; ++i) {
      core.Folders().push_back(MakeItem(r + "missing\\", "*.x|*.y", false, OBJTYPE_CUSTOM));
    }
  };
  constexpr std::size_t kRuns = 30;
  // The next start is issued while the worker still clears its folder list.
  fixture.Recorder.OnMessage = [&](const TRecordedMessage& message) {
    if (message.Message == WM_CORE_SCAN_END &&
        fixture.Recorder.Count(WM_CORE_SCAN_END) < kRuns) {
      StartScan(*thread, collect);
    }
  };
  StartScan(*thread, collect);
  ASSERT_TRUE(fixture.Recorder.PumpUntil(
      [&] { return fixture.Recorder.Count(WM_CORE_SCAN_END) == kRuns; }));
  EXPECT_TRUE(WaitFor([&] { return !thread->IsRunning(); }));
  EXPECT_EQ(FoundList.Window().size(), kRuns);
}

// The found list is the worker's from the start to the end message; the
// window reaching for it in between is caught, and so is the worker
// reaching for it after.
TEST(CoreThread, FoundListChangesHandsAtStartAndEndMessage) {
  TScanFixture fixture(LVL_INFO);
  std::atomic<int> found{0};
  auto thread = StartSlowScan(fixture, found);
  EXPECT_THROW(FoundList.Window(), EOwnershipError);
  thread->Stop();
  ASSERT_TRUE(fixture.Recorder.PumpUntilEnd());
  EXPECT_NO_THROW(FoundList.Window());
  EXPECT_THROW(FoundList.Worker(), EOwnershipError);
}

// The worker scans the applications as they were at SetInit, whatever the
// window does to its own list afterwards.
TEST(CoreThread, TheEngineScansItsOwnCopyOfTheApplications) {
  TScanFixture fixture;
  MakeTree(fixture.Root(), {"app\\", "app\\a.tmp"});
  TCustomDefineList windowList;
  auto define = std::make_unique<TCustomDefine>(std::string(), "App");
  define->Category = OBJTYPE_CUSTOM;
  define->ItemCount = 1;
  define->Items.push_back({false, false, fixture.Root() + "app", "", "*.tmp", "", "", ""});
  windowList.Items.push_back(std::move(define));
  TCore core;
  TCoreInit init = fixture.Init();
  init.Options.Core.CustomDefines = &windowList;
  core.SetInit(init);
  windowList.Items.clear();  // the window reloads its list
  core.SetOpType(OPTYPE_SCAN);
  FoundList.HandTo(TListSide::Worker);
  core.Run();
  ASSERT_TRUE(fixture.Recorder.PumpUntilEnd());
  ASSERT_EQ(FoundList.Window().size(), 1u);
  EXPECT_EQ(FoundList.Window()[0]->Path(), LowerText(fixture.Root()) + "app\\a.tmp");
}

TEST(CoreThread, StopEndsTheScanWithStopped) {
  TScanFixture fixture(LVL_INFO);
  std::atomic<int> found{0};
  auto thread = StartSlowScan(fixture, found);
  ASSERT_TRUE(WaitFor([&] { return found > 0; }));
  thread->Stop();
  ASSERT_TRUE(fixture.Recorder.PumpUntilEnd());
  EXPECT_TRUE(fixture.Recorder.Messages.back().Item.Stopped);
  EXPECT_FALSE(fixture.Recorder.Messages.back().Item.Failed);
  EXPECT_TRUE(WaitFor([&] { return !thread->IsRunning(); }));
  EXPECT_LT(FoundList.Window().size(), 1000u);
}

TEST(CoreThread, ExitWithARunningScanEndsWellBeforeTheWait) {
  TScanFixture fixture;
  TGlobalTrace global(fixture.TraceLog());
  std::atomic<int> found{0};
  auto thread = StartSlowScan(fixture, found);
  ASSERT_TRUE(WaitFor([&] { return found > 0; }));
  const DWORD start = ::GetTickCount();
  FreeCoreThread(thread);
  EXPECT_LT(::GetTickCount() - start, 2000u);
  EXPECT_EQ(thread, nullptr);
  const std::vector<TLogLine> entries = fixture.Entries();
  const auto at = [&entries](const std::string& text) {
    return std::find(entries.begin(), entries.end(), TLogLine{LVL_DEBUG, text});
  };
  EXPECT_LT(at("Freeing core thread..."), at("CoreThread.Terminate"));
  EXPECT_NE(at("CoreThread.Terminate"), entries.end());
  EXPECT_NE(at("Posting scan end..."), entries.end());
  EXPECT_EQ(at("WaitForSingleObject(CoreThread.Handle, 10000) = WAIT_TIMEOUT"), entries.end());
}

TEST(CoreThread, ExitWithAnIdleWorkerEndsAtOnce) {
  TScanFixture fixture;
  TGlobalTrace global(fixture.TraceLog());
  auto thread = MakeThread(fixture);
  const DWORD start = ::GetTickCount();
  FreeCoreThread(thread);
  EXPECT_LT(::GetTickCount() - start, 1000u);
  const std::vector<TLogLine> expected = {
      {6, "Freeing core thread..."},
      {6, "CoreThread.Terminate"},
  };
  EXPECT_EQ(fixture.Entries(), expected);
}

TEST(CoreThread, NoProgressMessageIsLostToAWindowThatDoesNotPump) {
  TScanFixture fixture(LVL_INFO);
  MakeTree(fixture.Root(), {"m\\", "m\\f.tmp=3"});
  constexpr std::size_t kMasks = 50000;
  auto thread = MakeThread(fixture);
  StartScan(*thread, ManyMasks(LowerText(fixture.Root()) + "m\\", kMasks));
  ASSERT_TRUE(WaitFor([&] { return !thread->IsRunning(); }, 60000));
  MSG pending;
  // The window's own queue holds one wake-up, not the progress itself.
  ASSERT_TRUE(::PeekMessageA(&pending, fixture.Recorder.Handle(), 0, 0, PM_NOREMOVE));
  EXPECT_EQ(pending.message, WM_CORE_PROGRESS);
  ASSERT_TRUE(fixture.Recorder.PumpUntilEnd());
  const auto& messages = fixture.Recorder.Messages;
  ASSERT_EQ(messages.size(), kMasks + 2);
  EXPECT_EQ(messages.front().Message, WM_CORE_CURR_PATH);
  std::int64_t count = 0, size = 0;
  for (std::size_t i = 1; i <= kMasks; ++i) {
    EXPECT_EQ(messages[i].Message, WM_CORE_UPDATE_SCAN);
    count += messages[i].Item.Count;
    size += messages[i].Item.Size;
  }
  EXPECT_EQ(count, static_cast<std::int64_t>(kMasks));
  EXPECT_EQ(size, static_cast<std::int64_t>(3 * kMasks));
  EXPECT_EQ(messages.back().Message, WM_CORE_SCAN_END);
  EXPECT_EQ(FoundList.Window().size(), kMasks);
}

}  // namespace
