// The scan options page: what a scan looks for, in a scrolling area above
// the Save and Cancel bar.
#include "ui/pages/uPageLayouts.h"
#include "ui/uControlIds.h"

namespace qlm {

namespace {
using enum TControlKind;
constexpr const char* kOwn = KEY_OWN_NAME;
constexpr const char* kArea = "sbScanOptions";

constexpr TControlSpec kRows[] = {
    {"sbScanOptions", ScrollArea, ID_sbScanOptions, nullptr, 0, 0, 681, 387, nullptr, ""},
    {"imgScanOptions", Picture, ID_imgScanOptions, kArea, 12, 8, 64, 64, nullptr, ""},
    {"lbCapScanOptions", SubHeading, ID_lbCapScanOptions, kArea, 88, 12, 480, 24, kOwn, ""},
    {"lbSearchFor", Label, ID_lbSearchFor, kArea, 88, 50, 150, 14, kOwn, ""},
    {"cbxConfigSelect", DropList, ID_cbxConfigSelect, kArea, 242, 46, 180, 120, nullptr, ""},

    {"lbOptionsUser", SectionLabel, ID_lbOptionsUser, kArea, 8, 86, 640, 16, kOwn, ""},
    {"gbCookies", OptionGroup, ID_gbCookies, kArea, 16, 108, 312, 208, kOwn, ""},
    {"cbTrackCookies", CheckBox, ID_cbTrackCookies, "gbCookies", 12, 22, 290, 17, kOwn, ""},
    {"cbEraseAll", CheckBox, ID_cbEraseAll, "gbCookies", 28, 44, 274, 17, kOwn, ""},
    {"cbCookiesIndexDat", CheckBox, ID_cbCookiesIndexDat, "gbCookies", 28, 66, 274, 17, kOwn, ""},
    {"cbFireFoxCookies", CheckBox, ID_cbFireFoxCookies, "gbCookies", 12, 88, 290, 17, kOwn, ""},
    {"cbFlockCookies", CheckBox, ID_cbFlockCookies, "gbCookies", 12, 110, 290, 17, kOwn, ""},
    {"lbCookiesDef", Label, ID_lbCookiesDef, "gbCookies", 12, 136, 288, 14, "leCookiesDef", ""},
    {"leCookiesDef", Edit, ID_leCookiesDef, "gbCookies", 12, 152, 256, 21, nullptr, ""},
    {"bbBrowseCookies", Button, ID_bbBrowseCookies, "gbCookies", 272, 152, 28, 21, nullptr, "..."},
    {"cbUseDef", CheckBox, ID_cbUseDef, "gbCookies", 12, 182, 290, 17, kOwn, ""},

    {"gbIE", OptionGroup, ID_gbIE, kArea, 340, 108, 312, 208, kOwn, ""},
    {"cbCache", CheckBox, ID_cbCache, "gbIE", 12, 22, 290, 17, kOwn, ""},
    {"cbForceDel", CheckBox, ID_cbForceDel, "gbIE", 28, 44, 274, 17, kOwn, ""},
    {"cbShowFiles", CheckBox, ID_cbShowFiles, "gbIE", 28, 66, 274, 17, kOwn, ""},
    {"cbIEIndexDat", CheckBox, ID_cbIEIndexDat, "gbIE", 12, 88, 290, 17, kOwn, ""},
    {"cbIEUpdates", CheckBox, ID_cbIEUpdates, "gbIE", 12, 110, 290, 17, kOwn, ""},
    {"cbAddressBarUrls", CheckBox, ID_cbAddressBarUrls, "gbIE", 12, 132, 290, 17, kOwn, ""},
    {"cbHistory", CheckBox, ID_cbHistory, "gbIE", 12, 154, 290, 17, kOwn, ""},
    {"cbOleDeleted", CheckBox, ID_cbOleDeleted, "gbIE", 12, 176, 290, 17, kOwn, ""},

    {"gbTemp", OptionGroup, ID_gbTemp, kArea, 16, 326, 312, 114, kOwn, ""},
    {"cbWinRecents", CheckBox, ID_cbWinRecents, "gbTemp", 12, 22, 290, 17, kOwn, ""},
    {"cbOffRecents", CheckBox, ID_cbOffRecents, "gbTemp", 12, 44, 290, 17, kOwn, ""},
    {"cbTemp", CheckBox, ID_cbTemp, "gbTemp", 12, 66, 290, 17, kOwn, ""},
    {"cbMRUHistory", CheckBox, ID_cbMRUHistory, "gbTemp", 12, 88, 290, 17, kOwn, ""},

    {"gbOffice", OptionGroup, ID_gbOffice, kArea, 340, 326, 312, 70, kOwn, ""},
    {"cbOlDeleted", CheckBox, ID_cbOlDeleted, "gbOffice", 12, 22, 290, 17, kOwn, ""},
    {"cbOlJunk", CheckBox, ID_cbOlJunk, "gbOffice", 12, 44, 290, 17, kOwn, ""},

    {"gbOther", OptionGroup, ID_gbOther, kArea, 340, 404, 312, 92, kOwn, ""},
    {"cbDBcache", CheckBox, ID_cbDBcache, "gbOther", 12, 22, 290, 17, "cbDBCache", ""},
    {"cbFireFoxCache", CheckBox, ID_cbFireFoxCache, "gbOther", 12, 44, 290, 17, kOwn, ""},
    {"cbFlockCache", CheckBox, ID_cbFlockCache, "gbOther", 12, 66, 290, 17, kOwn, ""},

    {"lbOptionsWin", SectionLabel, ID_lbOptionsWin, kArea, 8, 512, 640, 16, kOwn, ""},
    {"cbWinUpdates", CheckBox, ID_cbWinUpdates, kArea, 16, 536, 500, 17, kOwn, ""},
    {"lbwuDaysOlder", Label, ID_lbwuDaysOlder, kArea, 36, 562, 150, 14, kOwn, ""},
    {"sewuDays", SpinEdit, ID_sewuDays, kArea, 191, 558, 56, 21, nullptr, "7"},
    {"lbwuDays", Label, ID_lbwuDays, kArea, 252, 562, 120, 14, kOwn, ""},
    {"cbwuOptionalUpdates", CheckBox, ID_cbwuOptionalUpdates, kArea, 36, 586, 480, 17, kOwn, ""},
    {"cbwuOrphanUpdates", CheckBox, ID_cbwuOrphanUpdates, kArea, 16, 610, 500, 17, kOwn, ""},
    {"cbWinTemp", CheckBox, ID_cbWinTemp, kArea, 16, 634, 500, 17, kOwn, ""},
    {"cbPrefetch", CheckBox, ID_cbPrefetch, kArea, 16, 660, 200, 17, kOwn, ""},
    {"sepfDays", SpinEdit, ID_sepfDays, kArea, 221, 658, 56, 21, nullptr, "7"},
    {"lbpfDays", Label, ID_lbpfDays, kArea, 282, 662, 120, 14, "lbDays", ""},

    {"lbSystem", SectionLabel, ID_lbSystem, kArea, 8, 696, 640, 16, kOwn, ""},
    {"cbFixedDrives", CheckBox, ID_cbFixedDrives, kArea, 16, 720, 500, 17, kOwn, ""},
    {"cbAddFolders", CheckBox, ID_cbAddFolders, kArea, 16, 744, 500, 17, kOwn, ""},
    {"gbAddFolders", OptionGroup, ID_gbAddFolders, kArea, 16, 768, 636, 152, nullptr, ""},
    {"lbAddDescr", Note, ID_lbAddDescr, "gbAddFolders", 12, 18, 610, 28, kOwn, ""},
    {"lbxFolders", ListBox, ID_lbxFolders, "gbAddFolders", 12, 50, 496, 90, nullptr, ""},
    {"bbAdd", Button, ID_bbAdd, "gbAddFolders", 520, 50, 104, 25, kOwn, "Add"},
    {"bbRemove", Button, ID_bbRemove, "gbAddFolders", 520, 82, 104, 25, kOwn, "Remove"},
    {"cbDefExts", CheckBox, ID_cbDefExts, kArea, 16, 932, 330, 17, kOwn, ""},
    {"lbShow", Link, ID_lbShow, kArea, 352, 933, 150, 14, kOwn, ""},
    {"lbxDefExts", ColumnList, ID_lbxDefExts, kArea, 440, 958, 212, 72, nullptr, ""},
    {"lbAddExts", Label, ID_lbAddExts, kArea, 16, 960, 400, 14, kOwn, ""},
    {"eAddExts", Edit, ID_eAddExts, kArea, 16, 976, 400, 21, nullptr, ""},
    {"lbDaysOlder", Label, ID_lbDaysOlder, kArea, 16, 1012, 200, 14, kOwn, ""},
    {"seDays", SpinEdit, ID_seDays, kArea, 221, 1008, 56, 21, nullptr, "0"},
    {"lbDays", Label, ID_lbDays, kArea, 282, 1012, 120, 14, kOwn, ""},

    {"bbcoSave", Button, ID_bbcoSave, nullptr, 463, 395, 100, 25, "bbSave", "Save"},
    {"bbcoCancel", Button, ID_bbcoCancel, nullptr, 569, 395, 100, 25, "bbCancel", "Cancel"},
};
}  // namespace

TLayout ScanOptionsPageLayout() { return kRows; }

}  // namespace qlm
