// The About window's controls and the wait message window's.
#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"

namespace qlm {

namespace {
using enum TControlKind;
constexpr const char* kOwn = KEY_OWN_NAME;

constexpr TControlSpec kAboutRows[] = {
    {"imgAboutIcon", Picture, ID_imgAboutIcon, nullptr, 16, 16, 48, 48, nullptr, ""},
    {"imgAboutLogo", Picture, ID_imgAboutLogo, nullptr, 88, 15, 200, 50, nullptr, ""},
    {"lbAboutVersion", Label, ID_lbAboutVersion, nullptr, 16, 96, 130, 14, kOwn, ""},
    {"lbAboutVersionValue", Value, ID_lbAboutVersionValue, nullptr, 150, 96, 140, 14, nullptr, ""},
    {"lbAboutSupport", Label, ID_lbAboutSupport, nullptr, 16, 118, 130, 14, kOwn, ""},
    {"lbAboutSupportValue", Value, ID_lbAboutSupportValue, nullptr, 150, 118, 140, 14, nullptr, ""},
    {"lbAboutCopyright", Note, ID_lbAboutCopyright, nullptr, 16, 148, 273, 44, kOwn, ""},
    {"imgInfo", Picture, ID_imgInfo, nullptr, 16, 214, 16, 16, nullptr, ""},
    {"wlbsite", Link, ID_wlbsite, nullptr, 40, 215, 110, 16, kOwn, ""},
    {"wlbblog", Link, ID_wlbblog, nullptr, 168, 215, 110, 16, kOwn, ""},
    {"imgGlobe", Picture, ID_imgGlobe, nullptr, 16, 242, 16, 16, nullptr, ""},
    {"wlbshop", Link, ID_wlbshop, nullptr, 40, 243, 110, 16, kOwn, ""},
    {"wlbforum", Link, ID_wlbforum, nullptr, 168, 243, 110, 16, kOwn, ""},
    {"btnAboutOK", Button, ID_btnAboutOK, nullptr, 115, 306, 75, 25, kOwn, "OK"},
};

constexpr TControlSpec kMessageRows[] = {
    {"gbMessage", GroupBox, ID_gbMessage, nullptr, 0, 0, 228, 88, "gbMessage", ""},
    {"imgAction", Picture, ID_imgAction, "gbMessage", 12, 34, 32, 32, nullptr, ""},
    {"lbMessage", Note, ID_lbMessage, "gbMessage", 54, 34, 164, 44, nullptr, ""},
};
}  // namespace

TLayout AboutBoxLayout() { return kAboutRows; }
TLayout MessageFormLayout() { return kMessageRows; }

}  // namespace qlm
