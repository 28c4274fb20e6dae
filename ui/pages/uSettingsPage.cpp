// The settings page: a heading and three entries, each a picture, a link and
// a description, leading to the options pages.
#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"

namespace qlm {

namespace {
using enum TControlKind;
constexpr const char* kOwn = KEY_OWN_NAME;

constexpr TControlSpec kRows[] = {
    {"lbCapSettings", Heading, ID_lbCapSettings, nullptr, 24, 16, 620, 30, kOwn, ""},
    {"lbSettings", Label, ID_lbSettings, nullptr, 24, 52, 620, 16, kOwn, ""},
    {"lnSettings", Rule, ID_lnSettings, nullptr, 24, 76, 633, 2, nullptr, ""},
    {"iScanOptions", Picture, ID_iScanOptions, nullptr, 32, 100, 64, 64, nullptr, ""},
    {"bbScanOptions", Link, ID_bbScanOptions, nullptr, 108, 104, 230, 16, kOwn, "Scan options"},
    {"bbSODescr", Note, ID_bbSODescr, nullptr, 108, 124, 230, 42, kOwn, ""},
    {"iMainOptions", Picture, ID_iMainOptions, nullptr, 360, 100, 64, 64, nullptr, ""},
    {"bbMainOptions", Link, ID_bbMainOptions, nullptr, 436, 104, 230, 16, kOwn, "Main options"},
    {"bbMODescr", Note, ID_bbMODescr, nullptr, 436, 124, 230, 42, kOwn, ""},
    {"iAppsOptions", Picture, ID_iAppsOptions, nullptr, 32, 200, 64, 64, nullptr, ""},
    {"bbAppsOptions", Link, ID_bbAppsOptions, nullptr, 108, 204, 230, 16, kOwn, "Applications"},
    {"bbAODescr", Note, ID_bbAODescr, nullptr, 108, 224, 230, 42, kOwn, ""},
};
}  // namespace

TLayout SettingsPageLayout() { return kRows; }

}  // namespace qlm
