#include "ui/uControlSet.h"

#include <commctrl.h>

#include "ui/controls/uCheckBoxEx.h"
#include "ui/controls/uGroupBoxEx.h"
#include "ui/controls/uImageEx.h"
#include "ui/controls/uLabelEx.h"
#include "ui/controls/uMarqueeBar.h"
#include "ui/report/uReportTree.h"
#include "ui/uBarButton.h"
#include "ui/uPanel.h"

namespace qlm {

namespace {
// An up-down control's id is its edit's plus this.
constexpr int kSpinIdOffset = 10000;

constexpr COLORREF kLinkColor = RGB(0x00, 0x00, 0x80);
constexpr COLORREF kNoteColor = RGB(0x6D, 0x6D, 0x6D);
constexpr COLORREF kErrorColor = RGB(0xC0, 0x00, 0x00);
constexpr int kListColumns = 3;
constexpr COLORREF kPanelBorder = RGB(0xA0, 0xA0, 0x96);
constexpr COLORREF kPanelBand = RGB(0xE8, 0xE7, 0xE3);
constexpr int kStatusCaptionHeight = 24;

struct TWindowKind {
  const char* ClassName;
  DWORD Style;
  DWORD ExStyle;
};

TWindowKind WindowKindOf(TControlKind kind) {
  using enum TControlKind;
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case Label:
      return {"STATIC", kChild | SS_LEFT, 0};
    case Value:
      return {"STATIC", kChild | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0};
    case PathValue:
      return {"STATIC", kChild | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 0};
    case Heading:
    case SubHeading:
    case SectionLabel:
    case Note:
    case ErrorNote:
      return {LABEL_EX_CLASS, kChild, 0};
    case Link:
      return {LABEL_EX_CLASS, kChild | WS_TABSTOP, 0};
    case Rule:
      return {"STATIC", kChild | SS_ETCHEDHORZ, 0};
    case CheckBox:
      return {CHECK_BOX_EX_CLASS, kChild | WS_TABSTOP, 0};
    case GroupBox:
    case OptionGroup:
      return {GROUP_BOX_EX_CLASS, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Button:
      return {"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Edit:
      return {"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case SpinEdit:
      return {"EDIT", kChild | WS_TABSTOP | ES_NUMBER | ES_RIGHT, WS_EX_CLIENTEDGE};
    case DropList:
      return {"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ListBox:
      return {"LISTBOX",
              kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ColumnList:
      return {"LISTBOX",
              kChild | WS_TABSTOP | WS_HSCROLL | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ListView:
    case CheckListView:
      return {WC_LISTVIEWA, kChild | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
              WS_EX_CLIENTEDGE};
    case ReportTree:
      return {REPORT_TREE_CLASS, kChild | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN,
              WS_EX_CLIENTEDGE};
    case Picture:
      return {IMAGE_EX_CLASS, kChild, 0};
    case MenuPicture:
      return {IMAGE_EX_CLASS, kChild | WS_TABSTOP, 0};
    case Marquee:
      return {MARQUEE_BAR_CLASS, kChild, 0};
    case ScrollArea:
      return {PANEL_CLASS, kChild | WS_VSCROLL | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case BarButton:
      return {BAR_BUTTON_CLASS, kChild | WS_TABSTOP, 0};
    case BarDropDown:
      return {BAR_BUTTON_CLASS, kChild | WS_TABSTOP | BBS_DROPDOWN, 0};
  }
  return {"STATIC", kChild, 0};
}

HFONT FontOf(TControlKind kind, const TUiFonts& fonts) {
  switch (kind) {
    case TControlKind::Heading:
      return fonts.Heading;
    case TControlKind::SubHeading:
      return fonts.SubHeading;
    case TControlKind::SectionLabel:
      return fonts.Bold;
    case TControlKind::Link:
      return fonts.Link;
    default:
      return fonts.Normal;
  }
}

// The looks that the kinds share, set once the control exists.
void Configure(HWND window, const TControlSpec& spec, HWND parent) {
  using enum TControlKind;
  switch (spec.Kind) {
    case SectionLabel:
      if (auto* label = TLabelEx::From(window)) {
        label->SetLineColor(kPanelBorder);
        label->SetShowLine(true);
        label->SetFitToParent(true);
      }
      break;
    case Link:
      if (auto* label = TLabelEx::From(window)) {
        label->SetTextColor(kLinkColor);
        label->SetLink(true);
      }
      break;
    case Note:
    case ErrorNote:
      if (auto* label = TLabelEx::From(window)) {
        label->SetTextColor(spec.Kind == Note ? kNoteColor : kErrorColor);
        label->SetWordBreak(true);
      }
      break;
    case ColumnList: {
      RECT client{};
      ::GetClientRect(window, &client);
      ::SendMessageA(window, LB_SETCOLUMNWIDTH, client.right / kListColumns, 0);
      break;
    }
    case CheckBox:
      if (auto* box = TCheckBoxEx::From(window)) box->SetStyle(cbsAdvance);
      break;
    case GroupBox:
      if (auto* box = TGroupBoxEx::From(window)) {
        box->SetColor(RGB(0xFF, 0xFF, 0xFF));
        box->SetBorderColor(kPanelBorder);
        box->SetCaptionColor(kPanelBand);
        box->SetCaptionFade(RGB(0xFF, 0xFF, 0xFF));
        box->SetCaptionGradient(gdVertical);
        box->SetCaptionHeight(kStatusCaptionHeight);
        box->SetStyle(gbsGradientCustom);
      }
      break;
    case OptionGroup:
      if (auto* box = TGroupBoxEx::From(window)) {
        if (auto* panel = TPanel::From(parent)) box->SetColor(panel->Color());
        box->SetStyle(gbsXP);
      }
      break;
    case ListView:
      ListView_SetExtendedListViewStyle(window, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                                                    LVS_EX_DOUBLEBUFFER);
      break;
    case CheckListView:
      ListView_SetExtendedListViewStyle(
          window, LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_DOUBLEBUFFER);
      break;
    default:
      break;
  }
}
}  // namespace

HWND SpinButtonOf(HWND edit) {
  return ::GetDlgItem(::GetParent(edit), ::GetDlgCtrlID(edit) + kSpinIdOffset);
}

HWND TControlSet::Make(HINSTANCE instance, HWND parent, const TControlSpec& spec,
                       const TDpiScale& scale, const TUiFonts& fonts) {
  const TWindowKind kind = WindowKindOf(spec.Kind);
  HWND window = ::CreateWindowExA(
      kind.ExStyle, kind.ClassName, spec.Caption, kind.Style, scale.Px(spec.X), scale.Px(spec.Y),
      scale.Px(spec.Width), scale.Px(spec.Height), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.Id)), instance, nullptr);
  if (window == nullptr) return nullptr;
  ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(spec.Kind, fonts)), FALSE);
  Configure(window, spec, parent);
  if (spec.Kind == TControlKind::SpinEdit) {
    HWND spin = ::CreateWindowExA(
        0, UPDOWN_CLASSA, "",
        WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
        0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.Id + kSpinIdOffset)), instance, nullptr);
    if (spin == nullptr) return nullptr;
    ::SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(window), 0);
  }
  return window;
}

bool TControlSet::Build(HINSTANCE instance, HWND parent, TLayout layout, const TDpiScale& scale,
                        const TUiFonts& fonts) {
  for (const TControlSpec& spec : layout) {
    HWND container = spec.Container != nullptr ? Get(spec.Container) : parent;
    if (container == nullptr) return false;
    HWND window = Make(instance, container, spec, scale, fonts);
    if (window == nullptr) return false;
    fControls.push_back({&spec, window});
  }
  return true;
}

HWND TControlSet::Get(std::string_view name) const {
  for (const TPlacedControl& placed : fControls) {
    if (name == placed.Spec->Name) return placed.Window;
  }
  return nullptr;
}

void TControlSet::ApplyCaptions(
    const std::function<std::string(const std::string&)>& textOf) const {
  for (const TPlacedControl& placed : fControls) {
    const std::string_view key = CaptionKey(*placed.Spec);
    if (!key.empty()) ::SetWindowTextA(placed.Window, textOf(std::string(key)).c_str());
  }
}

const TControlSpec* TControlSet::SpecOf(int id) const {
  for (const TPlacedControl& placed : fControls) {
    if (placed.Spec->Id == id) return placed.Spec;
  }
  return nullptr;
}

}  // namespace qlm
