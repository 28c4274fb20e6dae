// The applications page: the application folders that the custom define
// scripts describe, ticked or not, above the Close bar.
#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"

namespace qlm {

namespace {
using enum TControlKind;
constexpr const char* kOwn = KEY_OWN_NAME;
constexpr const char* kArea = "sbAppsOptions";

constexpr TControlSpec kRows[] = {
    {"sbAppsOptions", ScrollArea, ID_sbAppsOptions, nullptr, 0, 0, 681, 387, nullptr, ""},
    {"imgAppsOptions", Picture, ID_imgAppsOptions, kArea, 12, 8, 64, 64, nullptr, ""},
    {"lbCapAppsOptions", SubHeading, ID_lbCapAppsOptions, kArea, 88, 12, 480, 24, kOwn, ""},
    {"lbOptionsApps", SectionLabel, ID_lbOptionsApps, kArea, 8, 86, 640, 16, kOwn, ""},
    {"lvApps", CheckListView, ID_lvApps, kArea, 16, 110, 632, 262, nullptr, ""},
    {"bbaoClose", Button, ID_bbaoClose, nullptr, 569, 395, 100, 25, "bbClose", "Close"},
};
}  // namespace

TLayout AppsOptionsPageLayout() { return kRows; }

}  // namespace qlm
