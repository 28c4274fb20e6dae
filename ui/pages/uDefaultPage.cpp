// The default page: the start-up status, the final status or the report in
// the upper area, the last-scan panel and the Recycle Bin below.
#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"

namespace qlm {

namespace {
using enum TControlKind;
constexpr const char* kOwn = KEY_OWN_NAME;

constexpr TControlSpec kRows[] = {
    {"gbStartupStatus", GroupBox, ID_gbStartupStatus, nullptr, 12, 15, 657, 90, kOwn, ""},
    {"imgStartupStatus", Picture, ID_imgStartupStatus, "gbStartupStatus", 14, 33, 48, 48, nullptr, ""},
    {"lbStartupStatus", Note, ID_lbStartupStatus, "gbStartupStatus", 74, 34, 404, 46, nullptr, ""},
    {"btnScanNow", Button, ID_btnScanNow, "gbStartupStatus", 493, 39, 148, 25, kOwn, "Scan now"},
    {"btnCheckUpdate", Button, ID_btnCheckUpdate, "gbStartupStatus", 493, 39, 148, 25, kOwn,
     "Check for updates"},

    {"gbFinalStatus", GroupBox, ID_gbFinalStatus, nullptr, 12, 15, 657, 250, kOwn, ""},
    {"imgEndStatus", Picture, ID_imgEndStatus, "gbFinalStatus", 16, 40, 48, 48, nullptr, ""},
    {"lbFinalStatus", Note, ID_lbFinalStatus, "gbFinalStatus", 80, 44, 560, 44, nullptr, ""},
    {"lbObjsFound", Label, ID_lbObjsFound, "gbFinalStatus", 80, 110, 220, 14, kOwn, ""},
    {"lbObjsFoundVal", Value, ID_lbObjsFoundVal, "gbFinalStatus", 304, 110, 240, 14, nullptr, ""},
    {"lbObjsFoundSize", Label, ID_lbObjsFoundSize, "gbFinalStatus", 80, 134, 220, 14, kOwn, ""},
    {"lbObjsFoundSizeVal", Value, ID_lbObjsFoundSizeVal, "gbFinalStatus", 304, 134, 240, 14,
     nullptr, ""},
    {"lbObjsRem", Label, ID_lbObjsRem, "gbFinalStatus", 80, 158, 220, 14, kOwn, ""},
    {"lbObjsRemVal", Value, ID_lbObjsRemVal, "gbFinalStatus", 304, 158, 240, 14, nullptr, ""},
    {"lbObjsRemSize", Label, ID_lbObjsRemSize, "gbFinalStatus", 80, 182, 220, 14, kOwn, ""},
    {"lbObjsRemSizeVal", Value, ID_lbObjsRemSizeVal, "gbFinalStatus", 304, 182, 240, 14, nullptr,
     ""},

    {"vtReport", ReportTree, ID_vtReport, nullptr, 12, 15, 657, 222, nullptr, ""},
    {"bbClean", Button, ID_bbClean, nullptr, 457, 245, 100, 25, kOwn, "Clean"},
    {"bbFinish", Button, ID_bbFinish, nullptr, 569, 245, 100, 25, kOwn, "Finish"},

    {"lbStatus", SectionLabel, ID_lbStatus, nullptr, 12, 278, 545, 16, kOwn, ""},
    {"gbStatus", OptionGroup, ID_gbStatus, nullptr, 12, 297, 545, 112, nullptr, ""},
    {"lbLastScan", Label, ID_lbLastScan, "gbStatus", 12, 18, 150, 14, kOwn, ""},
    {"lbLastScanVal", Value, ID_lbLastScanVal, "gbStatus", 166, 18, 130, 14, nullptr, ""},
    {"lbLastObjsFound", Label, ID_lbLastObjsFound, "gbStatus", 12, 40, 150, 14, kOwn, ""},
    {"lbLastObjsFoundVal", Value, ID_lbLastObjsFoundVal, "gbStatus", 166, 40, 130, 14, nullptr,
     ""},
    {"lbLastObjsRem", Label, ID_lbLastObjsRem, "gbStatus", 12, 62, 150, 14, kOwn, ""},
    {"lbLastObjsRemVal", Value, ID_lbLastObjsRemVal, "gbStatus", 166, 62, 130, 14, nullptr, ""},
    {"lbLastObjsRemSize", Label, ID_lbLastObjsRemSize, "gbStatus", 12, 84, 150, 14, kOwn, ""},
    {"lbLastObjsRemSizeVal", Value, ID_lbLastObjsRemSizeVal, "gbStatus", 166, 84, 130, 14,
     nullptr, ""},
    {"lbVersion", Label, ID_lbVersion, "gbStatus", 318, 18, 210, 14, kOwn, ""},
    {"lbDefExtensionsCap", Label, ID_lbDefExtensionsCap, "gbStatus", 330, 40, 110, 14, nullptr,
     "Junk Exts"},
    {"lbDefExtensions", Value, ID_lbDefExtensions, "gbStatus", 444, 40, 90, 14, nullptr, ""},
    {"lbDefCookiesCap", Label, ID_lbDefCookiesCap, "gbStatus", 330, 57, 110, 14, nullptr,
     "Cookies"},
    {"lbDefCookies", Value, ID_lbDefCookies, "gbStatus", 444, 57, 90, 14, nullptr, ""},
    {"lbScriptAppsCap", Label, ID_lbScriptAppsCap, "gbStatus", 330, 74, 110, 14, nullptr,
     "Apps Scripts"},
    {"lbScriptApps", Value, ID_lbScriptApps, "gbStatus", 444, 74, 90, 14, nullptr, ""},
    {"lbDefWindowsCap", Label, ID_lbDefWindowsCap, "gbStatus", 330, 91, 110, 14, nullptr,
     "Windows"},
    {"lbDefWindows", Value, ID_lbDefWindows, "gbStatus", 444, 91, 90, 14, nullptr, ""},

    {"imgRBin", MenuPicture, ID_imgRBin, nullptr, 580, 310, 75, 95, nullptr, ""},
};
}  // namespace

TLayout DefaultPageLayout() { return kRows; }

}  // namespace qlm
