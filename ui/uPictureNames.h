// Names and sizes of the program's pictures: the bitmaps of the resource
// library qlmres.dll and the program's own bitmaps in quillmere.exe. The
// bitmaps are 32-bit with premultiplied alpha (draw them with AlphaBlend or a
// 32-bit image list). The file needs no Windows header.
#pragma once

namespace qlm {

struct TPictureName {
  const char* Name;
  int Width;
  int Height;
};

// qlmres.dll. The Recycle Bin pair and the three end-status images each
// fill an image list of equal-sized images.
inline constexpr TPictureName RES_MAIN_LOGO = {"MAINLOGO", 200, 50};
inline constexpr TPictureName RES_MAIN_ICON = {"MAINICON", 48, 48};
inline constexpr TPictureName RES_INFO_SMALL = {"INFOSMALL", 16, 16};
inline constexpr TPictureName RES_GLOBE_SMALL = {"GLOBESMALL", 16, 16};
inline constexpr TPictureName RES_RBIN_EMPTY = {"RBINEMPTY", 75, 95};
inline constexpr TPictureName RES_RBIN_FULL = {"RBINFULL", 75, 95};
inline constexpr TPictureName RES_END_STATUS_OK = {"ESOK", 48, 48};
inline constexpr TPictureName RES_END_STATUS_WARNING = {"ESWARNING", 48, 48};
inline constexpr TPictureName RES_END_STATUS_ERROR = {"ESERROR", 48, 48};
inline constexpr TPictureName RES_MAIN_OPTIONS = {"MAINOPTS", 64, 64};
inline constexpr TPictureName RES_SCAN_OPTIONS = {"SCANOPTS", 64, 64};
inline constexpr TPictureName RES_APPS_OPTIONS = {"APPSOPTS", 64, 64};

inline constexpr TPictureName RESOURCE_LIBRARY_PICTURES[] = {
    RES_MAIN_LOGO,     RES_MAIN_ICON,          RES_INFO_SMALL,       RES_GLOBE_SMALL,
    RES_RBIN_EMPTY,    RES_RBIN_FULL,          RES_END_STATUS_OK,    RES_END_STATUS_WARNING,
    RES_END_STATUS_ERROR, RES_MAIN_OPTIONS,    RES_SCAN_OPTIONS,     RES_APPS_OPTIONS};

// quillmere.exe: check-box strips of eight 16 by 16 frames (0 checked, 1
// checked with the mouse over it, 2 checked and pressed, 3 checked and
// disabled, 4 to 7 the same for unchecked), in the order of the styles.
inline constexpr int CHECK_FRAME_SIZE = 16;
inline constexpr TPictureName CHECK_BOX_STRIPS[] = {
    {"ADVANCE", 128, 16}, {"CROSS", 128, 16}, {"FLAT", 128, 16}, {"NORMAL", 128, 16},
    {"TICK", 128, 16},    {"VISTA", 128, 16}, {"XP", 128, 16}};

// quillmere.exe: the top-bar button pictures, two 32 by 32 frames each
// (0 normal, 1 with the mouse over the button).
inline constexpr int BUTTON_FRAME_SIZE = 32;
inline constexpr TPictureName BUTTON_STRIPS[] = {
    {"IMHOME", 64, 32}, {"IMSCAN", 64, 32}, {"IMSETTINGS", 64, 32}, {"IMHELP", 64, 32}};

// quillmere.exe: the program icon (16, 32 and 48 pixels).
inline constexpr char PROGRAM_ICON[] = "MAINICON";

}  // namespace qlm
