// Scans and cleans from the real main window with the real engine on a
// fixture tree: the running page, the current and final status, the four
// values, the report and what the settings file holds afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "base/uHandles.h"
#include "base/uText.h"
#include "engine/uProgressQueue.h"
#include "engine/uScanContext.h"
#include "startup/uMiscLoad.h"
#include "ui/controls/uGroupBoxEx.h"
#include "ui/controls/uImageEx.h"
#include "ui/uCaptionKeys.h"
#include "ui/uMain.h"
#include "tests/support/uTestSupport.h"
#include "tests/ui/uUiTestSupport.h"

using namespace qlm;

namespace {

struct TPlanted {
  const char* Name;
  int Size;
  // Held open without delete sharing while the first clean runs.
  bool Locked;
};

// The steps a user takes, in order.
enum class TStep { Scan, Stop, Finish, Clean, Unlock };

struct TJourney {
  const char* Name;
  std::vector<TPlanted> Files;
  std::vector<TStep> Steps;
  // An engine step after the walk: none, one that fails, or one that holds
  // the scan until it is stopped.
  enum { Plain, FailAfterWalk, HoldUntilStopped } Engine;
  const char* CurrKey;
  // The final status, or none when the report is shown.
  const char* FinalKey;
  int FinalImage;
  std::int64_t ObjsFound, SizeFound, ObjsRem, SizeRem;
  // The settings file's last operation: saved by a clean only.
  bool Saved;
  std::vector<const char*> LeftOnDisk;
};

void FailingStep(TScanContext&) { throw std::runtime_error("the store cannot be read"); }

// Set while the holding step waits: the walk is over by then.
std::atomic<bool> gHolding{false};

void HoldingStep(TScanContext& scan) {
  gHolding = true;
  while (!scan.IsStopped()) ::Sleep(1);
  gHolding = false;
}

class Operation : public TMainWindowTest {
 protected:
  void SetUp() override {
    TMainWindowTest::SetUp();
    SearchOnly(fFolder.Path());
  }
  // Only this folder is searched, for "*.tmp".
  void SearchOnly(const std::string& folder) {
    fRoot = folder;
    TOptions& options = fForm->Config().Options;
    options.Core = TCoreOptions{};
    options.Core.System.SelFolders = true;
    options.Core.System.AddFolders = folder;
    options.Core.System.AddExts = "*.tmp";
  }
  std::string Path(const char* name) const { return fRoot + name; }
  std::string Size(std::int64_t bytes) const {
    char text[64] = {};
    int length = 0;
    EXPECT_TRUE(Misc->SizeToText(text, sizeof text, &length, bytes));
    return std::string(text, length);
  }
  void Click(const char* name) { ::SendMessageA(C(name), BM_CLICK, 0, 0); }
  // From the running page to where the report or the final status waits.
  void Next() {
    if (fForm->ActivePage() == ::GetParent(C("bbNext"))) Click("bbNext");
    ASSERT_EQ(fForm->ActivePage(), ::GetParent(C("gbFinalStatus")));
  }
  // Pumps until the operation's end message has been handled.
  void WaitForEnd() {
    ASSERT_TRUE(PumpUntil([this] { return !fForm->OperationRunning(); }, 30000))
        << "the operation did not end";
  }

  TTempFolder fFolder;
  std::string fRoot;
};

TEST_F(Operation, JourneysEndWithTheirStatusValuesAndSettings) {
  using enum TStep;
  const TJourney journeys[] = {
      {"nothing found", {{"keep.txt", 10, false}}, {Scan}, TJourney::Plain,
       KEY_CURR_STATUS_OPER_OK, KEY_FINAL_STATUS_NO_FOUND, 0, 0, 0, 0, 0, false, {"keep.txt"}},
      {"finish right after a scan", {{"a.tmp", 100, false}, {"b.tmp", 300, false}},
       {Scan, Finish}, TJourney::Plain, KEY_CURR_STATUS_OPER_OK, KEY_FINAL_STATUS_FREE_SPACE, 1,
       2, 400, 0, 0, false, {"a.tmp", "b.tmp"}},
      {"a clean that removes all",
       {{"a.tmp", 100, false}, {"b.tmp", 300, false}, {"keep.txt", 5, false}}, {Scan, Clean},
       TJourney::Plain, KEY_CURR_STATUS_OPER_OK, KEY_FINAL_STATUS_ALL_REM, 0, 2, 400, 2, 400,
       true, {"keep.txt"}},
      {"a clean that leaves some, then a second clean",
       {{"a.tmp", 100, false}, {"b.tmp", 300, true}}, {Scan, Clean, Unlock, Clean},
       TJourney::Plain, KEY_CURR_STATUS_OPER_OK, KEY_FINAL_STATUS_ALL_REM, 0, 2, 400, 2, 400,
       true, {}},
      {"95 percent removed", {{"a.tmp", 950, false}, {"b.tmp", 50, true}},
       {Scan, Clean, Finish}, TJourney::Plain, KEY_CURR_STATUS_OPER_OK,
       KEY_FINAL_STATUS_MAJOR_OBJS, 0, 2, 1000, 1, 950, true, {"b.tmp"}},
      {"only empty files", {{"a.tmp", 0, false}, {"b.tmp", 0, false}}, {Scan, Finish},
       TJourney::Plain, KEY_CURR_STATUS_OPER_OK, KEY_FINAL_STATUS_MAJOR_OBJS, 0, 2, 0, 0, 0,
       false, {"a.tmp", "b.tmp"}},
      {"a scan that fails after finding objects", {{"a.tmp", 100, false}}, {Scan},
       TJourney::FailAfterWalk, KEY_CURR_STATUS_OPER_ERROR, KEY_FINAL_STATUS_OPER_ERROR, 2, 1,
       100, 0, 0, false, {"a.tmp"}},
      {"a stopped scan, then finish", {{"a.tmp", 100, false}}, {Scan, Stop, Finish},
       TJourney::HoldUntilStopped, KEY_CURR_STATUS_OPER_ABORT, KEY_FINAL_STATUS_FREE_SPACE, 1, 1,
       100, 0, 0, false, {"a.tmp"}},
  };
  for (const TJourney& journey : journeys) {
    SCOPED_TRACE(journey.Name);
    TearDown();
    SetUp();
    TTempFolder root;
    SearchOnly(root.Path());
    for (const TPlanted& file : journey.Files) {
      WriteFileBytes(Path(file.Name), std::string(static_cast<std::size_t>(file.Size), 'j'));
    }
    std::vector<THandle> locks;
    for (const TPlanted& file : journey.Files) {
      if (!file.Locked) continue;
      locks.emplace_back(::CreateFileA(Path(file.Name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(locks.back().Valid());
    }
    if (journey.Engine == TJourney::FailAfterWalk) {
      fForm->Worker()->Core().Parts().CollectOutlook = &FailingStep;
    } else if (journey.Engine == TJourney::HoldUntilStopped) {
      fForm->Worker()->Core().Parts().CollectOutlook = &HoldingStep;
    }
    for (const TStep step : journey.Steps) {
      switch (step) {
        case Scan:
          Click("bbScan");
          EXPECT_TRUE(fForm->OperationRunning());
          EXPECT_TRUE(::IsWindowVisible(C("bbStop")));
          EXPECT_FALSE(::IsWindowEnabled(C("bbHome")));
          if (journey.Engine == TJourney::HoldUntilStopped) continue;
          WaitForEnd();
          break;
        case Stop:
          ASSERT_TRUE(PumpUntil([] { return gHolding.load(); }, 30000));
          Click("bbStop");
          WaitForEnd();
          break;
        case Clean:
          Next();
          ASSERT_TRUE(::IsWindowVisible(C("bbClean"))) << "the report offers a clean";
          Click("bbClean");
          WaitForEnd();
          break;
        case Finish:
          Next();
          ASSERT_TRUE(::IsWindowVisible(C("bbFinish")));
          Click("bbFinish");
          break;
        case Unlock:
          locks.clear();
          break;
      }
      EXPECT_FALSE(fForm->OperationRunning());
      EXPECT_TRUE(::GetWindowLongA(C("bbNext"), GWL_STYLE) & WS_VISIBLE);
      EXPECT_FALSE(::GetWindowLongA(C("bbStop"), GWL_STYLE) & WS_VISIBLE);
      EXPECT_TRUE(::IsWindowEnabled(C("bbScan")));
    }
    locks.clear();
    EXPECT_EQ(WindowText(C("gbCurrStatus")), Text(journey.CurrKey));
    Next();
    ASSERT_TRUE(::IsWindowVisible(C("gbFinalStatus")));
    EXPECT_FALSE(::IsWindowVisible(C("vtReport")));
    EXPECT_EQ(WindowText(C("lbFinalStatus")), Text(journey.FinalKey));
    EXPECT_EQ(TImageEx::From(C("imgEndStatus"))->ImageIndex(), journey.FinalImage);
    const TLastOperation& last = fForm->Last();
    EXPECT_EQ(last.ObjsFound, journey.ObjsFound);
    EXPECT_EQ(last.SizeFound, journey.SizeFound);
    EXPECT_EQ(last.ObjsRem, journey.ObjsRem);
    EXPECT_EQ(last.SizeRem, journey.SizeRem);
    EXPECT_EQ(WindowText(C("lbObjsFoundVal")), std::to_string(journey.ObjsFound));
    EXPECT_EQ(WindowText(C("lbObjsFoundSizeVal")), Size(journey.SizeFound));
    EXPECT_EQ(WindowText(C("lbObjsRemVal")), std::to_string(journey.ObjsRem));
    EXPECT_EQ(WindowText(C("lbObjsRemSizeVal")), Size(journey.SizeRem));

    TConfig saved(SETTINGS_FILE);
    saved.Load();
    if (journey.Saved) {
      EXPECT_NE(saved.Options.OperTime, 0);
      EXPECT_NEAR(saved.Options.OperTime, last.OperTime, 1.0 / 86400);
      EXPECT_EQ(saved.Options.ObjsFound, journey.ObjsFound);
      EXPECT_EQ(saved.Options.ObjsRem, journey.ObjsRem);
      EXPECT_EQ(saved.Options.SizeRem, journey.SizeRem);
      EXPECT_EQ(WindowText(C("lbLastObjsRemVal")), std::to_string(journey.ObjsRem));
    } else {
      EXPECT_EQ(saved.Options.OperTime, 0) << "a scan end never saves";
    }
    std::vector<std::string> left;
    for (const TPlanted& file : journey.Files) {
      if (IsExistingFile(Path(file.Name))) left.push_back(file.Name);
    }
    EXPECT_EQ(left, std::vector<std::string>(journey.LeftOnDisk.begin(), journey.LeftOnDisk.end()));
  }
}

TEST_F(Operation, RunningPageCountsWhileTheReportShowsWhatIsLeft) {
  WriteFileBytes(Path("a.tmp"), std::string(100, 'a'));
  WriteFileBytes(Path("b.tmp"), std::string(300, 'b'));
  THandle lock(::CreateFileA(Path("b.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock.Valid());
  Click("bbScan");
  EXPECT_EQ(WindowText(C("gbCurrStatus")), Text(KEY_CURR_STATUS_SCAN_RUN));
  EXPECT_TRUE(::IsWindowVisible(C("mbMain")));
  EXPECT_EQ(WindowText(C("vScanStartTime")).size(), 5u) << "hh.nn";
  WaitForEnd();
  EXPECT_EQ(WindowText(C("vScanObjFound")), "2");
  EXPECT_EQ(WindowText(C("vSCanObjSize")), Size(400));
  EXPECT_EQ(WindowText(C("vScanCurrFolder")), "");
  EXPECT_FALSE(::IsWindowVisible(C("mbMain")));
  EXPECT_EQ(fForm->ActivePage(), ::GetParent(C("bbNext"))) << "the running page stays in front";

  Click("bbNext");
  ASSERT_TRUE(::IsWindowVisible(C("vtReport")));
  EXPECT_FALSE(::IsWindowVisible(C("gbFinalStatus")));
  const TReportModel& report = fForm->Report();
  ASSERT_EQ(report.Groups().size(), 1u);
  EXPECT_EQ(report.Groups()[0].Count, 2);

  Click("bbClean");
  EXPECT_EQ(WindowText(C("gbCurrStatus")), Text(KEY_CURR_STATUS_CLEAN_RUN));
  WaitForEnd();
  // A clean counts down from the scan's figures: only a.tmp went.
  EXPECT_EQ(fForm->TotObjs(), 1);
  EXPECT_EQ(fForm->TotSize(), 300);
  EXPECT_EQ(WindowText(C("vScanObjFound")), "1");
  Click("bbNext");
  EXPECT_TRUE(::IsWindowVisible(C("vtReport"))) << "the report of what is left";
  ASSERT_EQ(report.Groups().size(), 1u);
  EXPECT_EQ(report.Groups()[0].Count, 1);
  EXPECT_TRUE(IsExistingFile(Path("b.tmp")));
}

// What is ticked is what goes: the user unticks two objects and the clean
// removes exactly the others.
TEST_F(Operation, ACleanRemovesExactlyWhatTheReportLeavesTicked) {
  fForm->Config().Options.SelFoundObjs = true;
  const std::vector<std::string> names = {"a.tmp", "b.tmp", "c.tmp", "d.tmp"};
  for (const std::string& name : names) WriteFileBytes(Path(name.c_str()), name);
  Click("bbScan");
  WaitForEnd();
  Click("bbNext");
  TReportTree& tree = *fForm->ReportTree();
  const TReportModel& report = fForm->Report();
  ASSERT_EQ(report.Groups().size(), 1u);
  tree.SetExpanded(0, true);
  int unticked = 0;
  for (int object = 0; object < static_cast<int>(report.Groups()[0].Objects.size()); ++object) {
    const std::string& path = report.Path({0, object});
    if (SameTextIgnoringCase(path, Path("b.tmp")) || SameTextIgnoringCase(path, Path("d.tmp"))) {
      tree.ToggleMark({0, object});
      ++unticked;
    }
  }
  ASSERT_EQ(unticked, 2);
  EXPECT_EQ(report.MarkOf({0, -1}), TMark::Mixed);
  Click("bbClean");
  WaitForEnd();
  for (const std::string& name : names) {
    EXPECT_EQ(IsExistingFile(Path(name.c_str())), name == "b.tmp" || name == "d.tmp") << name;
  }
  // The report of what is left: ticked again, as "selfoundobjs" says.
  Click("bbNext");
  ASSERT_EQ(report.Groups().size(), 1u);
  EXPECT_EQ(report.Groups()[0].Count, 2);
  EXPECT_EQ(report.MarkOf({0, -1}), TMark::Checked);
}

TEST_F(Operation, ClosingDuringAScanStopsItAndKeepsEverything) {
  WriteFileBytes(Path("a.tmp"), std::string(100, 'a'));
  fForm->Worker()->Core().Parts().CollectOutlook = &HoldingStep;
  Click("bbScan");
  ASSERT_TRUE(PumpUntil([] { return gHolding.load(); }, 30000));
  const HWND window = fForm->Handle();
  ::SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(fForm->Worker(), nullptr) << "the worker ended within its wait";
  EXPECT_EQ(FoundList.Holder(), TListSide::Window);
  EXPECT_TRUE(FoundList.Window().empty());
  EXPECT_EQ(PendingProgress(window), 0u) << "every queued payload was freed";
  EXPECT_TRUE(IsExistingFile(Path("a.tmp")));
  TConfig saved(SETTINGS_FILE);
  saved.Load();
  EXPECT_EQ(saved.Options.OperTime, 0);
}

TEST_F(Operation, ProgressMessagesThatTheQueueDidNotDeliverAreIgnored) {
  // A message of the engine's numbers sent by anyone else carries no
  // payload of ours: the window neither reads nor frees its parameter.
  TUpdateItem foreign;
  foreign.Count = 5;
  ::SendMessageA(fForm->Handle(), WM_CORE_UPDATE_SCAN, reinterpret_cast<WPARAM>(&foreign), 0);
  ::SendMessageA(fForm->Handle(), WM_CORE_SCAN_END, 12345, 0);
  EXPECT_EQ(fForm->TotObjs(), 0);
  EXPECT_FALSE(::IsWindowVisible(C("gbFinalStatus")));

  // Through the queue, in order, a missing payload changes nothing.
  auto found = std::make_unique<TUpdateItem>();
  found->Count = 3;
  found->Size = 30;
  PostProgress(fForm->Handle(), WM_CORE_UPDATE_SCAN, std::move(found));
  PostProgress(fForm->Handle(), WM_CORE_UPDATE_SCAN, nullptr);
  PostProgress(fForm->Handle(), WM_CORE_CURR_PATH, nullptr);
  PumpMessages();
  EXPECT_EQ(fForm->TotObjs(), 3);
  EXPECT_EQ(WindowText(C("vScanObjFound")), "3");
}

// The engine wakes the window at most every few milliseconds; what it posts
// meanwhile waits in the queue. The window's clock takes whatever waits,
// even when a wake-up never came; the labels show the last of it. The end
// of an operation comes after everything posted before it.
TEST_F(Operation, QueuedProgressReachesTheWindowWithoutItsOwnWakeUp) {
  const HWND window = fForm->Handle();
  auto found = std::make_unique<TUpdateItem>();
  found->Count = 2;
  found->Size = 20;
  PostProgress(window, WM_CORE_UPDATE_SCAN, std::move(found));
  auto path = std::make_unique<TUpdateItem>();
  path->Text = "C:\\somewhere\\";
  PostProgress(window, WM_CORE_CURR_PATH, std::move(path));
  MSG lost;
  ASSERT_TRUE(::PeekMessageA(&lost, window, WM_CORE_PROGRESS, WM_CORE_PROGRESS, PM_REMOVE));
  EXPECT_EQ(fForm->TotObjs(), 0);

  fForm->tScanTimer();
  EXPECT_EQ(fForm->TotObjs(), 2);
  EXPECT_EQ(WindowText(C("vScanObjFound")), "2");
  EXPECT_EQ(WindowText(C("vScanCurrFolder")), "C:\\somewhere\\");

  auto more = std::make_unique<TUpdateItem>();
  more->Count = 1;
  PostProgress(window, WM_CORE_UPDATE_SCAN, std::move(more));
  PostProgress(window, WM_CORE_SCAN_END, std::make_unique<TUpdateItem>());
  PumpMessages();
  EXPECT_EQ(WindowText(C("vScanObjFound")), "3");
  EXPECT_EQ(WindowText(C("vScanCurrFolder")), "");
  EXPECT_TRUE(::IsWindowVisible(C("vtReport")) || ::IsWindowVisible(C("gbFinalStatus")));
}

}  // namespace
