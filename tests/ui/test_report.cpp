// The report on the real main window, filled from hand-made found lists:
// its rows, the marks that the clean obeys, sorting, the keyboard and the
// mouse, the menu with its open-folder and save-list actions, and the purge
// of old saved lists.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/uExecutable.h"
#include "base/uFileSystem.h"
#include "engine/uCoreTypes.h"
#include "engine/uCustomDefine.h"
#include "ui/report/uSavedLists.h"
#include "ui/uCaptionKeys.h"
#include "ui/uClock.h"
#include "ui/uControlIds.h"
#include "ui/uMain.h"
#include "tests/support/uTestSupport.h"
#include "tests/ui/uUiTestSupport.h"

using namespace qlm;

namespace {

struct TRecordSpec {
  int Category;
  const char* Path;
  std::int64_t Size;
  std::int64_t Count = -1;
  const char* Owner = "";
  const char* Caption = "";
};

class Report : public TMainWindowTest {
 protected:
  void SetUp() override {
    TMainWindowTest::SetUp();
    FoundList.Window().clear();
    Options().SelFoundObjs = true;
  }

  TOptions& Options() { return fForm->Config().Options; }
  TReportTree& Tree() { return *fForm->ReportTree(); }
  const TReportModel& Model() { return fForm->Report(); }

  TFileRec* Add(const TRecordSpec& spec) {
    auto record = std::make_unique<TFileRec>();
    record->Category = spec.Category;
    record->SetPath(spec.Path);
    record->Size = spec.Size;
    record->Count = spec.Count;
    record->SetOwner(spec.Owner);
    record->SetCaption(spec.Caption);
    // The engine's own start: every record found is ticked.
    record->Selected = true;
    FoundList.Window().push_back(std::move(record));
    return FoundList.Window().back().get();
  }
  void AddAll(const std::vector<TRecordSpec>& specs) {
    for (const TRecordSpec& spec : specs) Add(spec);
  }
  int GroupNamed(const std::string& name) {
    const auto& groups = Model().Groups();
    for (int group = 0; group < static_cast<int>(groups.size()); ++group) {
      if (groups[group].Text == name) return group;
    }
    ADD_FAILURE() << "no row " << name;
    return -1;
  }
  std::vector<std::string> GroupTexts() {
    std::vector<std::string> texts;
    for (const TReportGroup& group : Model().Groups()) texts.push_back(group.Text);
    return texts;
  }
  // The Name cells of a category's object rows, as the tree asks for them.
  std::vector<std::string> ObjectTexts(int group) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(Model().Groups()[group].Objects.size());
    for (int object = 0; object < count; ++object) texts.push_back(Cell({group, object}, 0));
    return texts;
  }
  std::string Cell(TReportRow row, int column) {
    std::string text;
    fForm->vtReportGetText(row, column, text);
    return text;
  }
  void Key(WPARAM key) { ::SendMessageA(Tree().Handle(), WM_KEYDOWN, key, 0); }
  // A click of the left button at a point of a row.
  void ClickRow(TReportRow row, int x, UINT message = WM_LBUTTONDOWN) {
    const RECT rect = Tree().RowRect(row);
    ASSERT_FALSE(::IsRectEmpty(&rect)) << "the row is not in view";
    const int y = (rect.top + rect.bottom) / 2;
    ::SendMessageA(Tree().Handle(), message, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(Tree().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  // The x of a part of a row, found by the tree's own hit test.
  int XOf(TReportRow row, TRowPart part) {
    const RECT rect = Tree().RowRect(row);
    for (int x = 0; x < rect.right; ++x) {
      const TReportHit hit = Tree().HitTest({x, (rect.top + rect.bottom) / 2});
      if (hit.Row == row && hit.Part == part) return x;
    }
    ADD_FAILURE() << "no such part on the row";
    return 0;
  }
};

// The design's grouping, paths as shown, counts and sizes.
TEST_F(Report, RowsFollowTheGroupingTable) {
  TCustomDefineList defines;
  for (const char* display : {"Viewer Pro", "Mail Plus"}) {
    defines.Items.push_back(std::make_unique<TCustomDefine>("", display));
    defines.Items.back()->Display = display;
  }
  Options().Core.CustomDefines = &defines;
  Options().HidePath = true;
  AddAll({{OBJTYPE_OL_DELETED, "C:\\Mail\\outlook.pst", 5000, 7, "", "Deleted Items"},
          {OBJTYPE_USER_JUNK, "C:\\Temp\\sub\\x.tmp", 300, -1, "c:\\temp\\"},
          {OBJTYPE_MRU, "HKCU\\Software\\A\\B\\C\\Value", 300},
          {OBJTYPE_OL_JUNK, "C:\\Mail\\outlook.pst", 1000, 3, "", "Junk E-mail"},
          {OBJTYPE_MRU, "HKCU\\Software\\Z\\Y\\RunMRU\\b", 300},
          {OBJTYPE_CUSTOM + 1, "C:\\Mail Plus\\cache\\m.dat", 40, -1, "C:\\Mail Plus\\"},
          {OBJTYPE_OL_SENT, "C:\\Mail\\outlook.pst", 900, 4},
          {0, "C:\\nothing.dat", 900},
          {OBJTYPE_CUSTOM + 5, "C:\\Gone\\app.dat", 900},
          {OBJTYPE_CUSTOM, "C:\\Viewer\\thumbs.db", 2000, -1, "C:\\Viewer\\"}});
  fForm->FillReport();

  // Largest first at the first fill; rows not shown are left out.
  EXPECT_EQ(GroupTexts(), (std::vector<std::string>{"Microsoft Office files", "Viewer Pro",
                                                    "User Junk files", "Mail Plus"}));
  const TReportGroup& office = Model().Groups()[GroupNamed("Microsoft Office files")];
  EXPECT_EQ(office.Category, 0);
  EXPECT_EQ(office.Count, 10);
  EXPECT_EQ(office.Size, 6000);
  EXPECT_EQ(ObjectTexts(GroupNamed("Microsoft Office files")),
            (std::vector<std::string>{"Deleted Items", "Junk E-mail"}));
  EXPECT_EQ(Cell({GroupNamed("Microsoft Office files"), 0}, 1), "7");

  // Category 21 stands first, the last one found at the top, in its short
  // form; the owner folder is taken off the other paths. (Equal sizes: the
  // sort at the end of the fill keeps their order.)
  const int junk = GroupNamed("User Junk files");
  EXPECT_EQ(ObjectTexts(junk),
            (std::vector<std::string>{"Y\\RunMRU\\b", "B\\C\\Value", "sub\\x.tmp"}));
  EXPECT_EQ(Model().Groups()[junk].Count, 3) << "a single object counts one";
  EXPECT_EQ(Cell({junk, 2}, 1), "") << "no count is shown for a single object";

  EXPECT_EQ(Model().Groups()[GroupNamed("Viewer Pro")].Category, OBJTYPE_CUSTOM);
  EXPECT_EQ(ObjectTexts(GroupNamed("Mail Plus")), (std::vector<std::string>{"cache\\m.dat"}));

  // Every record shown is ticked; the ones the user cannot see never are.
  for (const auto& record : FoundList.Window()) {
    const bool shown = record->Category != OBJTYPE_OL_SENT && record->Category != 0 &&
                       record->Category != OBJTYPE_CUSTOM + 5;
    EXPECT_EQ(record->Selected, shown) << record->Path();
  }
  Options().Core.CustomDefines = nullptr;
}

// The worker takes the list at the start of an operation and may free its
// records: from then on the report refers to none of them.
TEST_F(Report, AnOperationStartsWithAnEmptyReport) {
  Add({OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900});
  fForm->FillReport();
  ASSERT_EQ(Model().VisibleCount(), 1);
  Options().Core = TCoreOptions{};
  fForm->bbScanClick();
  EXPECT_TRUE(Model().Groups().empty());
  EXPECT_EQ(Model().VisibleCount(), 0);
  ASSERT_TRUE(PumpUntil([this] { return !fForm->OperationRunning(); }, 30000));
}

TEST_F(Report, PathsShowWholeWithoutHidePath) {
  Options().HidePath = false;
  AddAll({{OBJTYPE_USER_JUNK, "C:\\Temp\\sub\\x.tmp", 300, -1, "c:\\temp\\"},
          {OBJTYPE_MRU, "HKCU\\Software\\A\\B\\C\\Value", 10}});
  fForm->FillReport();
  EXPECT_EQ(ObjectTexts(0), (std::vector<std::string>{"C:\\Temp\\sub\\x.tmp",
                                                      "HKCU\\Software\\A\\B\\C\\Value"}));
}

TEST_F(Report, TheCacheRowSumsWithoutRowsUnlessShowFilesIsOn) {
  for (const bool showFiles : {false, true}) {
    SCOPED_TRACE(showFiles ? "showfiles on" : "showfiles off");
    FoundList.Window().clear();
    Options().Core.ShowFiles = showFiles;
    TFileRec* first = Add({OBJTYPE_IE_CACHE, "C:\\Cache\\a.dat", 100});
    TFileRec* second = Add({OBJTYPE_IE_CACHE, "C:\\Cache\\b.dat", 200});
    fForm->FillReport();
    ASSERT_EQ(GroupTexts(), std::vector<std::string>{"Internet Explorer Cache"});
    const TReportGroup& cache = Model().Groups()[0];
    EXPECT_EQ(cache.Category, OBJTYPE_IE_CACHE);
    EXPECT_EQ(cache.Count, 2);
    EXPECT_EQ(cache.Size, 300);
    EXPECT_EQ(cache.Objects.size(), showFiles ? 2u : 0u);
    EXPECT_EQ(Model().Expandable(0), showFiles);

    // Unticking the row unticks every cache record, with or without rows.
    Tree().ToggleMark({0, -1});
    EXPECT_EQ(Model().MarkOf({0, -1}), TMark::Unchecked);
    EXPECT_FALSE(first->Selected);
    EXPECT_FALSE(second->Selected);
    Tree().ToggleMark({0, -1});
    EXPECT_TRUE(first->Selected && second->Selected);
  }
}

// The marks of a new report follow "selfoundobjs", also for the objects that
// a clean left and the user had unticked.
TEST_F(Report, EveryFillMarksWhatIsLeftAsTheOptionSays) {
  for (const bool selFoundObjs : {true, false}) {
    SCOPED_TRACE(selFoundObjs ? "selfoundobjs on" : "selfoundobjs off");
    FoundList.Window().clear();
    Options().SelFoundObjs = selFoundObjs;
    AddAll({{OBJTYPE_WIN_TEMP, "C:\\Windows\\Temp\\a.tmp", 10},
            {OBJTYPE_WIN_TEMP, "C:\\Windows\\Temp\\b.tmp", 20},
            {OBJTYPE_WIN_TEMP, "C:\\Windows\\Temp\\c.tmp", 30}});
    fForm->FillReport();
    EXPECT_EQ(Model().MarkOf({0, -1}), selFoundObjs ? TMark::Checked : TMark::Unchecked);
    // The user unticks two; a clean removes the third.
    for (int object = 0; object < 3; ++object) {
      if (FoundList.Window()[object]->Path() != "C:\\Windows\\Temp\\c.tmp") {
        FoundList.Window()[object]->Selected = false;
      }
    }
    FoundList.Window()[2].reset();
    fForm->FillReport();
    ASSERT_EQ(Model().Groups()[0].Objects.size(), 2u);
    EXPECT_EQ(Model().Groups()[0].Count, 2);
    for (int object = 0; object < 2; ++object) {
      EXPECT_EQ(Model().Groups()[0].Objects[object]->Selected, selFoundObjs);
      EXPECT_EQ(Model().MarkOf({0, object}),
                selFoundObjs ? TMark::Checked : TMark::Unchecked);
    }
  }
}

TEST_F(Report, TicksReachTheRecordsAndTheCategoryMarkFollows) {
  TFileRec* a = Add({OBJTYPE_SYSTEM_JUNK, "D:\\a.bak", 30});
  TFileRec* b = Add({OBJTYPE_SYSTEM_JUNK, "D:\\b.bak", 20});
  TFileRec* c = Add({OBJTYPE_PREFETCH, "C:\\Windows\\Prefetch\\c.pf", 10});
  fForm->FillReport();
  const int junk = GroupNamed("System Junk files");
  const int prefetch = GroupNamed("Prefetch files");
  Tree().SetExpanded(junk, true);
  Tree().SetExpanded(prefetch, true);
  struct TStep {
    TReportRow Row;
    TMark JunkMark;
    bool A, B, C;
  };
  const TStep steps[] = {
      {{junk, 1}, TMark::Mixed, true, false, true},      // b off: mixed
      {{junk, -1}, TMark::Checked, true, true, true},     // mixed row ticks all
      {{junk, -1}, TMark::Unchecked, false, false, true}, // and unticks all
      {{junk, 0}, TMark::Mixed, true, false, true},       // a on alone
      {{junk, 1}, TMark::Checked, true, true, true},      // both on: checked
      {{prefetch, 0}, TMark::Checked, true, true, false}, // another row is apart
  };
  for (const TStep& step : steps) {
    Tree().ToggleMark(step.Row);
    EXPECT_EQ(Model().MarkOf({junk, -1}), step.JunkMark);
    EXPECT_EQ(std::vector<bool>({a->Selected, b->Selected, c->Selected}),
              std::vector<bool>({step.A, step.B, step.C}));
  }
  EXPECT_EQ(Model().MarkOf({prefetch, -1}), TMark::Unchecked);
}

TEST_F(Report, HeaderClicksSortCountsAndSizes) {
  AddAll({{OBJTYPE_SYSTEM_JUNK, "D:\\small.bak", 10}, {OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900},
          {OBJTYPE_SYSTEM_JUNK, "D:\\mid.bak", 50},   {OBJTYPE_PREFETCH, "C:\\P\\1.pf", 400},
          {OBJTYPE_PREFETCH, "C:\\P\\2.pf", 500},     {OBJTYPE_WIN_TEMP, "C:\\W\\t.tmp", 1000}});
  fForm->FillReport();
  // Sizes: junk 960, prefetch 900, temp 1000; counts: 3, 2, 1.
  struct TStep {
    int Column;
    std::vector<std::string> Rows;
    std::vector<std::string> JunkObjects;
    int SortColumn;
    TSortDirection Direction;
  };
  const std::vector<std::string> bySizeDown = {"Temporary Windows files", "System Junk files",
                                               "Prefetch files"};
  const std::vector<std::string> bySizeUp = {"Prefetch files", "System Junk files",
                                             "Temporary Windows files"};
  const std::vector<std::string> objectsDown = {"D:\\big.bak", "D:\\mid.bak", "D:\\small.bak"};
  const std::vector<std::string> objectsUp = {"D:\\small.bak", "D:\\mid.bak", "D:\\big.bak"};
  const TStep steps[] = {
      {-1, bySizeDown, objectsDown, 2, TSortDirection::Descending},  // as the fill leaves it
      {2, bySizeUp, objectsUp, 2, TSortDirection::Ascending},
      {0, bySizeUp, objectsUp, 2, TSortDirection::Ascending},  // Name does nothing
      {1, {"System Junk files", "Prefetch files", "Temporary Windows files"}, objectsUp, 1,
       TSortDirection::Descending},  // counts only: the objects keep their order
      {1, {"Temporary Windows files", "Prefetch files", "System Junk files"}, objectsUp, 1,
       TSortDirection::Ascending},
      {2, bySizeDown, objectsDown, 2, TSortDirection::Descending},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE("column " + std::to_string(step.Column));
    if (step.Column >= 0) Tree().ClickHeader(step.Column);
    EXPECT_EQ(GroupTexts(), step.Rows);
    std::vector<std::string> objects;
    for (const TFileRec* record : Model().Groups()[GroupNamed("System Junk files")].Objects) {
      objects.push_back(record->Path());
    }
    EXPECT_EQ(objects, step.JunkObjects);
    EXPECT_EQ(Model().Sort().Column, step.SortColumn);
    EXPECT_EQ(Model().Sort().Direction, step.Direction);
  }
  // The direction survives into the next fill, which reverses it.
  fForm->FillReport();
  EXPECT_EQ(GroupTexts(), bySizeUp);
}

TEST_F(Report, TheSelectionStaysOnItsRowThroughASort) {
  AddAll({{OBJTYPE_SYSTEM_JUNK, "D:\\small.bak", 10}, {OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900}});
  fForm->FillReport();
  Tree().SetExpanded(0, true);
  Tree().Select({0, 0});
  ASSERT_EQ(Model().Path(Tree().Selection()), "D:\\big.bak");
  Tree().ClickHeader(REPORT_COLUMN_SIZE);
  EXPECT_EQ(Model().Path(Tree().Selection()), "D:\\big.bak");
  EXPECT_EQ(Tree().Selection(), (TReportRow{0, 1}));
}

TEST_F(Report, KeyboardMovesExpandsCollapsesAndTicks) {
  TFileRec* big = Add({OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900});
  Add({OBJTYPE_SYSTEM_JUNK, "D:\\small.bak", 10});
  Add({OBJTYPE_PREFETCH, "C:\\P\\1.pf", 5});
  fForm->FillReport();
  ::SetFocus(Tree().Handle());
  struct TStep {
    WPARAM Key;
    TReportRow Selected;
    bool JunkExpanded;
  };
  const TStep steps[] = {
      {VK_DOWN, {0, -1}, false},   // the first row
      {VK_RIGHT, {0, -1}, true},   // expands
      {VK_RIGHT, {0, 0}, true},    // to the first object
      {VK_DOWN, {0, 1}, true},
      {VK_DOWN, {1, -1}, true},    // on to the next category
      {VK_UP, {0, 1}, true},
      {VK_LEFT, {0, -1}, true},    // up to the category
      {VK_LEFT, {0, -1}, false},   // collapses
      {VK_END, {1, -1}, false},
      {VK_HOME, {0, -1}, false},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE("key " + std::to_string(step.Key));
    Key(step.Key);
    EXPECT_EQ(Tree().Selection(), step.Selected);
    EXPECT_EQ(Model().Groups()[0].Expanded, step.JunkExpanded);
  }
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key(VK_SPACE);
  EXPECT_FALSE(big->Selected) << "Space unticks the selected object";
  EXPECT_EQ(Model().MarkOf({0, -1}), TMark::Mixed);
  Key(VK_SPACE);
  EXPECT_TRUE(big->Selected);
}

TEST_F(Report, MouseTicksExpandsAndSelects) {
  TFileRec* big = Add({OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900});
  Add({OBJTYPE_SYSTEM_JUNK, "D:\\small.bak", 10});
  fForm->FillReport();
  ClickRow({0, -1}, XOf({0, -1}, TRowPart::Button));
  EXPECT_TRUE(Model().Groups()[0].Expanded);
  EXPECT_FALSE(Tree().Selection().Valid()) << "the button only expands";
  ClickRow({0, 0}, XOf({0, 0}, TRowPart::Check));
  EXPECT_FALSE(big->Selected);
  EXPECT_FALSE(Tree().Selection().Valid()) << "the box only ticks";
  ClickRow({0, 1}, XOf({0, 1}, TRowPart::Check) + 30);
  EXPECT_EQ(Tree().Selection(), (TReportRow{0, 1}));
  // A double click on a category row's text folds it.
  ClickRow({0, -1}, XOf({0, -1}, TRowPart::Check) + 30, WM_LBUTTONDBLCLK);
  EXPECT_FALSE(Model().Groups()[0].Expanded);
  EXPECT_EQ(Tree().Selection(), (TReportRow{0, -1}));
}

// The wheel scrolls the report under the mouse, also while another control
// has the focus.
TEST_F(Report, TheWheelScrollsTheReportUnderTheMouse) {
  for (int index = 0; index < 60; ++index) {
    Add({OBJTYPE_SYSTEM_JUNK, ("D:\\junk-" + std::to_string(index) + ".bak").c_str(), 100 + index});
  }
  fForm->FillReport();
  ::ShowWindow(C("gbStartupStatus"), SW_HIDE);
  ::ShowWindow(C("vtReport"), SW_SHOW);
  Tree().SetExpanded(0, true);
  ::SetFocus(C("bbFinish"));
  RECT rows{};
  ::GetWindowRect(Tree().Handle(), &rows);
  const POINT mouse{(rows.left + rows.right) / 2, (rows.top + rows.bottom) / 2};
  ASSERT_EQ(Tree().TopIndex(), 0);
  EXPECT_TRUE(fForm->FormMouseWheel(false, -WHEEL_DELTA, mouse));
  EXPECT_GT(Tree().TopIndex(), 0);
  const std::int64_t down = Tree().TopIndex();
  ::SendMessageA(Tree().Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(mouse.x, mouse.y));
  EXPECT_LT(Tree().TopIndex(), down);
}

// A cell whose text is cut shows it whole in a hint; a whole one shows none.
TEST_F(Report, HintsShowTheWholeTextOfACutCell) {
  const std::string longPath =
      "D:\\" + std::string(120, 'x') + "\\Projects and more projects\\report.bak";
  Add({OBJTYPE_SYSTEM_JUNK, longPath.c_str(), 900});
  Add({OBJTYPE_SYSTEM_JUNK, "D:\\a.bak", 10});
  Options().HidePath = false;
  fForm->FillReport();
  ::ShowWindow(C("gbStartupStatus"), SW_HIDE);
  ::ShowWindow(C("vtReport"), SW_SHOW);
  Tree().SetExpanded(0, true);
  HWND tips = Tree().Hints();
  ASSERT_NE(tips, nullptr);
  for (const int object : {0, 1}) {
    const RECT row = Tree().RowRect({0, object});
    POINT at{XOf({0, object}, TRowPart::Check) + 40, (row.top + row.bottom) / 2};
    ::ClientToScreen(Tree().Handle(), &at);
    ASSERT_TRUE(::SetCursorPos(at.x, at.y));
    NMTTDISPINFOA info{};
    info.hdr = {tips, 0, TTN_GETDISPINFOA};
    ::SendMessageA(Tree().Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(std::string(info.lpszText), object == 0 ? longPath : "") << object;
  }
}

TEST_F(Report, TheMenuOffersOpenFolderForTheSelectedObjectRowOnly) {
  AddAll({{OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900}, {OBJTYPE_SYSTEM_JUNK, "D:\\small.bak", 10}});
  fForm->FillReport();
  Tree().SetExpanded(0, true);
  Tree().Select({0, 0});
  struct TCase {
    TReportRow UnderMouse;
    bool Enabled;
  };
  const TCase cases[] = {{{0, 0}, true}, {{0, 1}, false}, {{0, -1}, false}, {{}, false}};
  for (const TCase& item : cases) {
    fForm->vtReportContextPopup(item.UnderMouse);
    const UINT state = ::GetMenuState(fForm->ReportMenu(), ID_pmOpenFolder, MF_BYCOMMAND);
    EXPECT_EQ((state & MF_GRAYED) == 0, item.Enabled);
    EXPECT_EQ(::GetMenuState(fForm->ReportMenu(), ID_pmSaveList, MF_BYCOMMAND) & MF_GRAYED, 0u);
  }
}

HMENU gShownMenu = nullptr;
UINT gShownState = 0;

// Run by the menu's own loop: reads the item and ends the menu.
void CALLBACK ReadMenuAndEndIt(HWND, UINT, UINT_PTR, DWORD) {
  gShownState = ::GetMenuState(gShownMenu, ID_pmOpenFolder, MF_BYCOMMAND);
  ::EndMenu();
}

// The menu key opens the menu at the selected row, which counts as the row
// under the mouse.
TEST_F(Report, TheMenuKeyOpensTheMenuForTheSelectedRow) {
  AddAll({{OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900}});
  fForm->FillReport();
  Tree().SetExpanded(0, true);
  Tree().Select({0, 0});
  gShownMenu = fForm->ReportMenu();
  gShownState = MF_GRAYED;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &ReadMenuAndEndIt);
  ::SendMessageA(Tree().Handle(), WM_KEYUP, VK_APPS, 0);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(gShownState & MF_GRAYED, 0u);
}

TEST_F(Report, OpenFolderExploresTheObjectsFolderBehindTheWaitMessage) {
  AddAll({{OBJTYPE_USER_JUNK, "C:\\Temp\\sub\\x.tmp", 900, -1, "C:\\Temp\\"}});
  fForm->FillReport();
  Tree().SetExpanded(0, true);
  Tree().Select({0, 0});
  std::vector<std::string> explored;
  std::string message;
  bool waitShown = false;
  fForm->SetShellDialogs({nullptr, [&](HWND owner, const std::string& folder) {
                           EXPECT_EQ(owner, fForm->Handle());
                           explored.push_back(folder);
                           HWND wait = fForm->MessageForm().Handle();
                           waitShown = ::IsWindowVisible(wait) != FALSE;
                           message = WindowText(fForm->MessageForm().Control("lbMessage"));
                           return false;  // the shell's own reaction
                         },
                         nullptr});
  ::SendMessageA(fForm->Handle(), WM_COMMAND, ID_pmOpenFolder, 0);
  EXPECT_EQ(explored, std::vector<std::string>{"C:\\Temp\\sub\\"}) << "the whole path, not the shown one";
  EXPECT_TRUE(waitShown);
  EXPECT_EQ(message, Text(KEY_MESSAGE_OPEN_FOLDER));
  EXPECT_FALSE(::IsWindowVisible(fForm->MessageForm().Handle())) << "hidden after a failure too";
}

TEST_F(Report, SaveListProposesItsNameInTheSavesFolderAndObeysTheDialog) {
  AddAll({{OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900}});
  fForm->FillReport();
  const std::string saves = ExecutableFolder() + SAVES_FOLDER;
  { TTempFolder earlier(TTempFolder::TTakeOver{}, saves); }
  TTempFolder made(TTempFolder::TTakeOver{}, saves);
  TTempFolder target;
  const std::string chosen = target.Path() + "chosen.txt";
  for (const bool accept : {false, true}) {
    std::string proposed;
    std::string folder;
    fForm->SetShellDialogs({[&](OPENFILENAMEA& dialog) {
                             proposed = dialog.lpstrFile;
                             folder = dialog.lpstrInitialDir;
                             EXPECT_EQ(dialog.lpstrFilter, nullptr);
                             EXPECT_EQ(dialog.lpstrDefExt, nullptr);
                             EXPECT_EQ(dialog.hwndOwner, fForm->Handle());
                             if (accept) lstrcpynA(dialog.lpstrFile, chosen.c_str(), dialog.nMaxFile);
                             return accept;
                           },
                           nullptr, nullptr});
    const std::string expected = SavedListName(Now());
    ::SendMessageA(fForm->Handle(), WM_COMMAND, ID_pmSaveList, 0);
    EXPECT_EQ(proposed, expected);
    EXPECT_EQ(folder, saves);
    EXPECT_TRUE(IsExistingFolder(saves)) << "made for the dialog";
    EXPECT_EQ(IsExistingFile(chosen), accept);
  }
  EXPECT_EQ(ReadFileBytes(chosen), Model().SavedListText());
}

TEST_F(Report, TheSavedListIsWrittenByteForByte) {
  Options().HidePath = true;
  AddAll({{OBJTYPE_SYSTEM_JUNK, "D:\\Old\\big.bak", 3000000000LL, -1, "D:\\Old\\"},
          {OBJTYPE_SYSTEM_JUNK, "D:\\Old\\small.bak", 10, -1, "D:\\Old\\"},
          {OBJTYPE_OL_DELETED, "C:\\Mail\\outlook.pst", 500, 7, "", "Deleted Items"}});
  fForm->FillReport();
  Tree().ToggleMark({0, 1});  // unticked rows are written all the same
  TTempFolder folder;
  const std::string file = folder.Path() + "list.txt";
  ASSERT_TRUE(fForm->SaveObjectsList(file));
  EXPECT_EQ(ReadFileBytes(file),
            "[System Junk files, objects 2, size 3000000010]\r\n"
            "    D:\\Old\\big.bak, type 7, count -1, size 3000000000\r\n"
            "    D:\\Old\\small.bak, type 7, count -1, size 10\r\n"
            "[Microsoft Office files, objects 7, size 500]\r\n"
            "    C:\\Mail\\outlook.pst, type 10, count 7, size 500\r\n");
}

TEST_F(Report, AListThatCannotBeWrittenShowsAnErrorAndLeavesTheFile) {
  AddAll({{OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900}});
  fForm->FillReport();
  TTempFolder folder;
  const std::string file = folder.Path() + "list.txt";
  WriteFileBytes(file, "kept");
  ASSERT_TRUE(::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  TMessageBoxAnswer answer(Text(KEY_CAP_ERROR));
  EXPECT_FALSE(fForm->SaveObjectsList(file));
  EXPECT_NE(answer.Text().find(file), std::string::npos);
  EXPECT_FALSE(::IsWindowVisible(fForm->MessageForm().Handle()));
  ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFileBytes(file), "kept");
}

TEST_F(Report, PurgeKeepsTheNewestSavedLists) {
  const std::string saves = ExecutableFolder() + SAVES_FOLDER;
  const std::vector<std::string> lists = {"quillmere_log_2026121009.txt", "QUILLMERE_LOG_2026121010.TXT",
                                          "quillmere_log_2026120923.txt", "quillmere_log_2026121101.txt",
                                          "quillmere_log_2026121012.txt"};
  const std::vector<std::string> others = {"notes.txt", "quillmere_log_2026010100.txt.bak"};
  struct TCase {
    int Keep;
    std::vector<std::string> Gone;
  };
  const TCase cases[] = {
      {3, {"quillmere_log_2026120923.txt", "quillmere_log_2026121009.txt"}},
      {0, {}},
      {5, {}},
  };
  for (const TCase& item : cases) {
    SCOPED_TRACE("maxretention " + std::to_string(item.Keep));
    ASSERT_TRUE(ForceFolders(saves));
    TTempFolder made(TTempFolder::TTakeOver{}, saves);
    for (const std::string& name : lists) WriteFileBytes(saves + name, name);
    for (const std::string& name : others) WriteFileBytes(saves + name, name);
    Options().MaxRetention = item.Keep;
    fForm->PurgeSavedLists();
    for (const std::string& name : lists) {
      const bool gone = std::find(item.Gone.begin(), item.Gone.end(), name) != item.Gone.end();
      EXPECT_EQ(IsExistingFile(saves + name), !gone) << name;
    }
    for (const std::string& name : others) EXPECT_TRUE(IsExistingFile(saves + name)) << name;
  }
}

// Start-up purges only when "delsavelog" is on.
TEST_F(Report, StartUpPurgesWhenTheOptionSaysSo) {
  const std::string saves = ExecutableFolder() + SAVES_FOLDER;
  for (const bool purge : {false, true}) {
    ASSERT_TRUE(ForceFolders(saves));
    TTempFolder made(TTempFolder::TTakeOver{}, saves);
    for (const char* name : {"quillmere_log_2026121001.txt", "quillmere_log_2026121002.txt"}) {
      WriteFileBytes(saves + name, name);
    }
    Options().DelSaveLog = purge;
    Options().MaxRetention = 1;
    fForm->Config().Save();
    Close();
    Open();
    EXPECT_EQ(IsExistingFile(saves + "quillmere_log_2026121001.txt"), !purge);
    EXPECT_TRUE(IsExistingFile(saves + "quillmere_log_2026121002.txt"));
  }
}

TEST_F(Report, ColumnsTakeTheirCaptionsAndTheRowsTheirHeights) {
  char caption[64] = {};
  HDITEMA item{};
  item.mask = HDI_TEXT;
  item.pszText = caption;
  item.cchTextMax = sizeof caption;
  for (int column = 0; column < REPORT_COLUMNS; ++column) {
    ASSERT_TRUE(::SendMessageA(Tree().Header(), HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(std::string(caption), Text(REPORT_COLUMN_KEYS[column]));
  }
  EXPECT_EQ(Tree().ColumnWidth(1), fForm->Scale().Px(100));
  EXPECT_EQ(Tree().ColumnWidth(2), fForm->Scale().Px(100));
  EXPECT_LE(Tree().ColumnWidth(0), fForm->Scale().Px(455));
  AddAll({{OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900}});
  fForm->FillReport();
  Tree().SetExpanded(0, true);
  const RECT group = Tree().RowRect({0, -1});
  const RECT object = Tree().RowRect({0, 0});
  EXPECT_EQ(group.bottom - group.top, fForm->Scale().Px(32));
  EXPECT_LT(object.bottom - object.top, group.bottom - group.top);
  EXPECT_EQ(object.top, group.bottom);
}

// Columns dragged to another place are painted and hit where they are; a
// double click on a divider fits the column to what it shows.
TEST_F(Report, ColumnsMoveAndFitToTheirTexts) {
  AddAll({{OBJTYPE_SYSTEM_JUNK, "D:\\big.bak", 900}});
  fForm->FillReport();
  int order[REPORT_COLUMNS] = {2, 0, 1};
  ASSERT_TRUE(Header_SetOrderArray(Tree().Header(), REPORT_COLUMNS, order));
  const RECT row = Tree().RowRect({0, -1});
  EXPECT_EQ(Tree().HitTest({2, (row.top + row.bottom) / 2}).Column, REPORT_COLUMN_SIZE);
  EXPECT_EQ(Tree().HitTest({Tree().ColumnWidth(2) + 1, (row.top + row.bottom) / 2}).Column,
            REPORT_COLUMN_NAME);

  NMHEADERA divider{};
  divider.hdr = {Tree().Header(), 0, HDN_DIVIDERDBLCLICKA};
  divider.iItem = REPORT_COLUMN_COUNT;
  ::SendMessageA(Tree().Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&divider));
  const int fitted = Tree().ColumnWidth(REPORT_COLUMN_COUNT);
  EXPECT_LT(fitted, fForm->Scale().Px(100)) << "a caption and a one-digit count";
  EXPECT_GT(fitted, 0);
}

}  // namespace
