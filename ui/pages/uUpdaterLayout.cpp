// The update window's controls: the list of newer files over its notes and
// status, the four buttons along the bottom.
#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"

namespace qlm {

namespace {
using enum TControlKind;

constexpr TControlSpec kUpdaterRows[] = {
    {"lvUpdates", CheckListView, ID_lvUpdates, nullptr, 8, 8, 489, 120, nullptr, ""},
    {"lbNews", Label, ID_lbNews, nullptr, 8, 136, 300, 14, "FormUpdater.lbNews", "lbNews"},
    {"lbChanges", ListBox, ID_lbChanges, nullptr, 8, 152, 300, 46, nullptr, ""},
    {"lbDownload", Label, ID_lbDownload, nullptr, 318, 152, 179, 46, "FormUpdater.lbDownload",
     "..."},
    {"btnCheck", Button, ID_btnCheck, nullptr, 8, 204, 90, 23, "FormUpdater.btnCheck",
     "btnCheck"},
    {"btnSelAll", Button, ID_btnSelAll, nullptr, 104, 204, 100, 23, "FormUpdater.btnSelAll",
     "btnSelAll"},
    {"btnUpdate", Button, ID_btnUpdate, nullptr, 311, 204, 90, 23, "FormUpdater.btnUpdate",
     "btnUpdate"},
    {"btnClose", Button, ID_btnClose, nullptr, 407, 204, 90, 23, "FormUpdater.btnClose",
     "btnClose"},
};
}  // namespace

TLayout UpdaterLayout() { return kUpdaterRows; }

}  // namespace qlm
