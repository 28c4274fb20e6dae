// The report of a large scan in the real main window: synthetic records
// (paths of about 60 characters over 12 categories) filled into the report,
// then every category expanded, the view scrolled to the end, sorted by size
// twice and one category unticked, each step timed with the paint that
// shows it. Also the memory that the report's object rows hold.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "base/uExecutable.h"
#include "bench/uBenchSupport.h"
#include "engine/uCoreTypes.h"
#include "startup/uMiscLoad.h"
#include "ui/uMain.h"

using namespace qlm;

namespace {

constexpr int kCategories[] = {OBJTYPE_COOKIES,     OBJTYPE_RECENTS,     OBJTYPE_USER_JUNK,
                               OBJTYPE_WIN_UPDATES, OBJTYPE_WIN_TEMP,    OBJTYPE_SYSTEM_JUNK,
                               OBJTYPE_PREFETCH,    OBJTYPE_IE_UPDATES,  OBJTYPE_OE_DELETED,
                               OBJTYPE_FF_CACHE,    OBJTYPE_ORPHAN_UPDATES, OBJTYPE_DB_CACHE};

// Records as a scan makes them: the twenty objects of a folder share it.
void MakeRecords(int count) {
  TFoundList& list = FoundList.Window();
  list.clear();
  list.reserve(static_cast<std::size_t>(count));
  const TSharedText owner("C:\\qlm-bench\\tree\\");
  TFoundPlacePtr place;
  for (int index = 0; index < count; ++index) {
    if (index % 20 == 0) {
      place = MakeFoundPlace("C:\\qlm-bench\\tree\\" + Numbered("dir-", index / 20000, 2) + "\\" +
                                 Numbered("folder-", index / 20 % 1000, 4) + "\\",
                             TFoundTexts{owner});
    }
    auto record = std::make_unique<TFileRec>(place, Numbered("temporary-file-", index, 7) + ".tmp");
    record->Category = static_cast<std::int16_t>(kCategories[index % std::size(kCategories)]);
    record->Size = 1000 + (static_cast<std::int64_t>(index) * 7919) % 100000;
    record->Count = -1;
    record->Selected = true;
    list.push_back(std::move(record));
  }
}

// A step of the user's with the paint that shows its result.
template <typename TStep>
double Shown(TFormMain& form, TStep step) {
  HWND tree = form.ReportTree()->Handle();
  return Timed([&] {
    step();
    ::RedrawWindow(tree, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  });
}

struct TFigures {
  double FillMs = 0;
  double SlowestMs = 0;
  double BytesPerRow = 0;
};

TFigures Measure(TFormMain& form, int count) {
  MakeRecords(count);
  TFigures figures;
  TReportTree& tree = *form.ReportTree();
  figures.FillMs = Shown(form, [&] { form.FillReport(); });
  const int groups = static_cast<int>(form.Report().Groups().size());
  const double expandMs = Shown(form, [&] {
    for (int group = 0; group < groups; ++group) tree.SetExpanded(group, true);
  });
  const double endMs = Shown(form, [&] { ::SendMessageA(tree.Handle(), WM_KEYDOWN, VK_END, 0); });
  const double sortMs = Shown(form, [&] { tree.ClickHeader(REPORT_COLUMN_SIZE); });
  const double sortAgainMs = Shown(form, [&] { tree.ClickHeader(REPORT_COLUMN_SIZE); });
  const double untickMs = Shown(form, [&] { tree.ToggleMark({0, -1}); });
  std::printf("%d objects: fill %.0f ms, expand all %.0f ms, to the end %.0f ms, sort by size "
              "%.0f ms and %.0f ms, untick a category %.0f ms\n",
              count, figures.FillMs, expandMs, endMs, sortMs, sortAgainMs, untickMs);
  figures.SlowestMs = std::max({expandMs, endMs, sortMs, sortAgainMs, untickMs});
  figures.BytesPerRow = static_cast<double>(form.Report().ObjectRowBytes()) / count;
  return figures;
}

}  // namespace

int main() {
  HMODULE module = nullptr;
  if (!BindMisc(module)) return 1;
  Misc = GetIMiscEntry();
  ::DeleteFileA((ExecutableFolder() + SETTINGS_FILE).c_str());
  TFigures small;
  TFigures large;
  {
    TFormMain form(::GetModuleHandleA(nullptr));
    if (!form.Create()) {
      std::printf("the main window could not be made\n");
      return 1;
    }
    form.Config().Options.SelFoundObjs = true;
    ::ShowWindow(form.Control("gbStartupStatus"), SW_HIDE);
    ::ShowWindow(form.Control("vtReport"), SW_SHOW);
    small = Measure(form, 100000);
    large = Measure(form, 1000000);
    FoundList.Window().clear();
    form.FillReport();
    ::SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  }
  Misc = nullptr;
  UnloadMiscLibrary(module);
  std::printf("report fill 100k: %.2f s, fill 1M: %.2f s, slowest action at 1M: %.2f s, "
              "bytes per row: %.0f\n",
              small.FillMs / 1000, large.FillMs / 1000, large.SlowestMs / 1000,
              large.BytesPerRow);
  return 0;
}
