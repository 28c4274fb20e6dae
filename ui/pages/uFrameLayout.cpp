// The frame's own controls: the top bar's buttons and the logo.
#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"

namespace qlm {

namespace {
using enum TControlKind;
constexpr const char* kOwn = KEY_OWN_NAME;

constexpr TControlSpec kRows[] = {
    {"bbHome", BarButton, ID_bbHome, nullptr, 48, 16, 106, 41, kOwn, "Home"},
    {"bbScan", BarButton, ID_bbScan, nullptr, 167, 16, 106, 41, kOwn, "Scan"},
    {"bbSettings", BarButton, ID_bbSettings, nullptr, 287, 16, 106, 41, kOwn, "Settings"},
    {"bbHelp", BarButton, ID_bbHelp, nullptr, 407, 16, 42, 41, kOwn, "Help"},
    {"bbHelpMenu", BarDropDown, ID_bbHelpMenu, nullptr, 447, 16, 18, 41, nullptr, ""},
    {"iLogo", Picture, ID_iLogo, nullptr, 488, 8, 200, 50, nullptr, ""},
};
}  // namespace

TLayout FrameLayout() { return kRows; }

}  // namespace qlm
