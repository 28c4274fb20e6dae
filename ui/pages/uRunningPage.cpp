// The running page: the current status of a scan or a clean with its live
// figures and the activity bar, and the Stop and Next buttons in one place.
#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"

namespace qlm {

namespace {
using enum TControlKind;
constexpr const char* kOwn = KEY_OWN_NAME;

constexpr TControlSpec kRows[] = {
    {"gbCurrStatus", GroupBox, ID_gbCurrStatus, nullptr, 12, 15, 657, 210, nullptr, ""},
    {"lbScanStartTime", Label, ID_lbScanStartTime, "gbCurrStatus", 16, 42, 190, 14, kOwn, ""},
    {"vScanStartTime", Value, ID_vScanStartTime, "gbCurrStatus", 210, 42, 430, 14, nullptr, ""},
    {"lbScanElapsedTime", Label, ID_lbScanElapsedTime, "gbCurrStatus", 16, 66, 190, 14, kOwn, ""},
    {"vScanElapsedTime", Value, ID_vScanElapsedTime, "gbCurrStatus", 210, 66, 430, 14, nullptr,
     ""},
    {"lbScanObjFound", Label, ID_lbScanObjFound, "gbCurrStatus", 16, 90, 190, 14, kOwn, ""},
    {"vScanObjFound", Value, ID_vScanObjFound, "gbCurrStatus", 210, 90, 430, 14, nullptr, ""},
    {"lbScanObjSize", Label, ID_lbScanObjSize, "gbCurrStatus", 16, 114, 190, 14, kOwn, ""},
    {"vSCanObjSize", Value, ID_vSCanObjSize, "gbCurrStatus", 210, 114, 430, 14, nullptr, ""},
    {"lbScanCurrFolder", Label, ID_lbScanCurrFolder, "gbCurrStatus", 16, 138, 190, 14, kOwn, ""},
    {"vScanCurrFolder", PathValue, ID_vScanCurrFolder, "gbCurrStatus", 210, 138, 430, 28, nullptr,
     ""},
    {"mbMain", Marquee, ID_mbMain, "gbCurrStatus", 16, 180, 221, 15, nullptr, ""},

    {"bbNext", Button, ID_bbNext, nullptr, 569, 392, 100, 25, kOwn, "Next"},
    {"bbStop", Button, ID_bbStop, nullptr, 569, 392, 100, 25, kOwn, "Stop"},
};
}  // namespace

TLayout RunningPageLayout() { return kRows; }

}  // namespace qlm
