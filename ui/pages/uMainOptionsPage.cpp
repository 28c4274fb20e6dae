// The main options page: language, scan behaviour, trace log and Recycle
// Bin, in a scrolling area above the Save and Cancel bar.
#include "ui/pages/uPageLayouts.h"
#include "ui/uCaptionKeys.h"
#include "ui/uControlIds.h"

namespace qlm {

namespace {
using enum TControlKind;
constexpr const char* kOwn = KEY_OWN_NAME;
constexpr const char* kArea = "sbMainOptions";

constexpr TControlSpec kRows[] = {
    {"sbMainOptions", ScrollArea, ID_sbMainOptions, nullptr, 0, 0, 681, 387, nullptr, ""},
    {"imgMainOptions", Picture, ID_imgMainOptions, kArea, 12, 8, 64, 64, nullptr, ""},
    {"lbCapOptions", SubHeading, ID_lbCapOptions, kArea, 88, 12, 480, 24, kOwn, ""},

    {"lbLanguage", SectionLabel, ID_lbLanguage, kArea, 8, 86, 640, 16, kOwn, ""},
    {"lbSelLanguage", Label, ID_lbSelLanguage, kArea, 16, 112, 180, 14, kOwn, ""},
    {"cbxLanguage", DropList, ID_cbxLanguage, kArea, 200, 108, 200, 160, nullptr, ""},
    {"lbLngFileVersion", Value, ID_lbLngFileVersion, kArea, 410, 112, 120, 14, nullptr, ""},

    {"lbOptionsCore", SectionLabel, ID_lbOptionsCore, kArea, 8, 146, 640, 16, kOwn, ""},
    {"cbScanLowPriority", CheckBox, ID_cbScanLowPriority, kArea, 16, 170, 310, 17, kOwn, ""},
    {"cbSelFoundObjs", CheckBox, ID_cbSelFoundObjs, kArea, 16, 194, 310, 17, kOwn, ""},
    {"cbRemObjsInEnd", CheckBox, ID_cbRemObjsInEnd, kArea, 16, 218, 310, 17, kOwn, ""},
    {"cbObjsInRB", CheckBox, ID_cbObjsInRB, kArea, 16, 242, 310, 17, kOwn, ""},
    {"cbHidePath", CheckBox, ID_cbHidePath, kArea, 340, 170, 310, 17, kOwn, ""},

    {"lbOptionsLog", SectionLabel, ID_lbOptionsLog, kArea, 8, 276, 640, 16, kOwn, ""},
    {"lbLogLevel", Label, ID_lbLogLevel, kArea, 16, 302, 180, 14, kOwn, ""},
    {"cbxLogLevel", DropList, ID_cbxLogLevel, kArea, 200, 298, 200, 160, nullptr, ""},
    {"lbRetention", Label, ID_lbRetention, kArea, 16, 330, 180, 14, kOwn, ""},
    {"eRetention", Edit, ID_eRetention, kArea, 200, 326, 60, 21, nullptr, "0"},
    {"lbRetentionError", ErrorNote, ID_lbRetentionError, kArea, 268, 324, 380, 30,
     KEY_RETENTION_ERROR, ""},
    {"cbDelSaveLog", CheckBox, ID_cbDelSaveLog, kArea, 16, 356, 500, 17, kOwn, ""},

    {"lbOptionsRbin", SectionLabel, ID_lbOptionsRbin, kArea, 8, 390, 640, 16, kOwn, ""},
    {"cbAskConfirm", CheckBox, ID_cbAskConfirm, kArea, 16, 414, 500, 17, kOwn, ""},
    {"cbShowProgress", CheckBox, ID_cbShowProgress, kArea, 16, 438, 500, 17, kOwn, ""},
    {"cbPlaySound", CheckBox, ID_cbPlaySound, kArea, 16, 462, 500, 17, kOwn, ""},
    {"cbEmptyRBin", CheckBox, ID_cbEmptyRBin, kArea, 16, 486, 500, 17, kOwn, ""},

    {"bbmoSave", Button, ID_bbmoSave, nullptr, 463, 395, 100, 25, "bbSave", "Save"},
    {"bbmoCancel", Button, ID_bbmoCancel, nullptr, 569, 395, 100, 25, "bbCancel", "Cancel"},
};
}  // namespace

TLayout MainOptionsPageLayout() { return kRows; }

}  // namespace qlm
