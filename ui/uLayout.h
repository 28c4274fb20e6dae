// The layout tables of the window's pages: one row per control with its
// design name, kind, stable id, container, rectangle in design pixels (96
// dots per inch) and the language key of its caption. The file needs no
// Windows header.
#pragma once

#include <span>
#include <string_view>

namespace qlm {

enum class TControlKind {
  Label,         // a static text
  Value,         // a static text showing a value (no mnemonic prefix)
  PathValue,     // a value that is a path: a long one keeps its last part
  Heading,       // a bold heading of 16 points
  SubHeading,    // a bold heading of 12 points
  SectionLabel,  // a section label with a line to the right edge
  Link,          // a link label: navy, hand cursor, underlined under the mouse
  Note,          // a grey text of up to two lines
  ErrorNote,     // a red text of up to two lines, beside the field it is about
  Rule,          // a horizontal line
  CheckBox,
  GroupBox,      // a group box with a caption band (holds controls)
  OptionGroup,   // a group box with an etched frame (holds controls)
  Button,
  Edit,
  SpinEdit,      // an edit with its up-down control
  DropList,      // a drop-down list
  ListBox,
  ColumnList,    // a list box in three columns, scrolling across
  ListView,      // a report list with a header
  CheckListView, // a report list with check boxes
  ReportTree,    // the report's check-box tree
  Picture,
  MenuPicture,   // a picture with a context menu, reached with the keyboard too
  Marquee,
  ScrollArea,    // a vertically scrolling area (holds controls)
  BarButton,     // a top-bar button with a picture
  BarDropDown,   // the narrow drop-down arrow beside a top-bar button
};

// The caption key of a control that follows the rule "the key is the
// control's name".
inline constexpr char KEY_OWN_NAME[] = "=";

struct TControlSpec {
  const char* Name;
  TControlKind Kind;
  int Id;
  const char* Container;  // the name of the group box it sits in; nullptr: the page
  int X, Y, Width, Height;
  const char* Key;      // language key of the caption; nullptr: none
  const char* Caption;  // the caption shown before any language, or the fixed one
};

using TLayout = std::span<const TControlSpec>;

// A page of the main window: a panel of 681 by 427 at (8, 79).
struct TPageSpec {
  const char* Name;
  int Id;
  unsigned Background;  // RGB as 0xRRGGBB
  int ScrollRange;      // the content height of its scroll area; 0: none
  TLayout Layout;
};

inline constexpr int PAGE_LEFT = 8;
inline constexpr int PAGE_TOP = 79;
inline constexpr int PAGE_WIDTH = 681;
inline constexpr int PAGE_HEIGHT = 427;

// The key that feeds a control's caption; empty when none does.
std::string_view CaptionKey(const TControlSpec& spec);

// The row of the named control, or nullptr.
const TControlSpec* FindControl(TLayout layout, std::string_view name);

}  // namespace qlm

namespace qlm {

// A label followed by a spin box and its unit label, laid out again once the
// label has its translated text: the spin box starts `gap` after the end of
// the text and the unit label 5 after the spin box.
struct TSpinRowPlacement {
  int SpinLeft;
  int UnitLeft;
};
TSpinRowPlacement PlaceSpinRow(int labelLeft, int textWidth, int gap, int spinWidth,
                               int unitGap);

}  // namespace qlm
