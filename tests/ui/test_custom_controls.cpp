#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <ostream>
#include <string>
#include <vector>

#include "base/uHandles.h"
#include "ui/controls/uCheckBoxEx.h"
#include "ui/controls/uCustomControls.h"
#include "ui/controls/uGroupBoxEx.h"
#include "ui/controls/uImageEx.h"
#include "ui/controls/uLabelEx.h"
#include "ui/controls/uMarqueeBar.h"

using namespace qlm;

namespace {

constexpr char kParentClass[] = "QlmControlTestParent";
constexpr int kControlId = 101;

struct TImageListTraits {
  static HIMAGELIST None() noexcept { return nullptr; }
  static void Close(HIMAGELIST list) noexcept { ::ImageList_Destroy(list); }
};
using TImageList = TOwned<HIMAGELIST, TImageListTraits>;

// A notification as the parent received it.
struct TEvent {
  WORD Code;
  HWND Source;
  bool operator==(const TEvent&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TEvent& event) {
  return out << "code 0x" << std::hex << event.Code << std::dec << " from " << event.Source;
}
std::vector<TEvent> gEvents;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kControlId) {
    gEvents.push_back({HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

class CustomControls : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    ASSERT_TRUE(RegisterCustomControls(instance));
    WNDCLASSEXA parentClass{};
    parentClass.cbSize = sizeof parentClass;
    parentClass.lpfnWndProc = &ParentProc;
    parentClass.hInstance = instance;
    parentClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    parentClass.lpszClassName = kParentClass;
    ASSERT_NE(::RegisterClassExA(&parentClass), 0);
  }

  void SetUp() override {
    fParent = ::CreateWindowExA(0, kParentClass, "Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                10, 400, 300, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                                nullptr);
    ASSERT_NE(fParent, nullptr);
    gEvents.clear();
  }

  void TearDown() override {
    if (fParent != nullptr) ::DestroyWindow(fParent);
  }

  HWND Create(const char* className, const char* caption, int width, int height,
              HWND parent = nullptr) {
    HWND control = ::CreateWindowExA(0, className, caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                     4, 4, width, height, parent != nullptr ? parent : fParent,
                                     reinterpret_cast<HMENU>(kControlId),
                                     ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(control, nullptr) << className;
    return control;
  }

  TCheckBoxEx* CreateCheckBox(const char* caption, HWND* window) {
    *window = Create(CHECK_BOX_EX_CLASS, caption, 120, 20);
    TCheckBoxEx* box = TCheckBoxEx::From(*window);
    EXPECT_NE(box, nullptr);
    return box;
  }

  HWND fParent = nullptr;
};

std::vector<TEvent> Events(std::initializer_list<WORD> codes, HWND source) {
  std::vector<TEvent> events;
  for (WORD code : codes) events.push_back({code, source});
  return events;
}

TEST_F(CustomControls, FromFindsOnlyItsOwnClass) {
  HWND box = Create(CHECK_BOX_EX_CLASS, "Box", 80, 20);
  HWND label = Create(LABEL_EX_CLASS, "Label", 80, 20);
  EXPECT_NE(TCheckBoxEx::From(box), nullptr);
  EXPECT_EQ(TCheckBoxEx::From(label), nullptr);
  EXPECT_EQ(TCheckBoxEx::From(fParent), nullptr);
  EXPECT_NE(TLabelEx::From(label), nullptr);
}

TEST_F(CustomControls, SetCheckedRaisesChangeEvenWithoutChange) {
  HWND window = nullptr;
  TCheckBoxEx* box = CreateCheckBox("Option", &window);
  ASSERT_NE(box, nullptr);
  box->SetChecked(false);
  EXPECT_EQ(gEvents, Events({CBXN_CHANGE}, window));
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(gEvents, Events({CBXN_CHANGE, CBXN_CHANGE, CBXN_CHANGE}, window));
  EXPECT_TRUE(box->Checked());
}

TEST_F(CustomControls, UserClickTogglesRaisesChangeThenClickAndTakesFocus) {
  struct TCase {
    const char* Action;
    void (*Act)(HWND);
  };
  const TCase actions[] = {
      {"BM_CLICK", [](HWND w) { ::SendMessageA(w, BM_CLICK, 0, 0); }},
      {"mouse",
       [](HWND w) {
         ::SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
         ::SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
       }},
      {"space",
       [](HWND w) {
         ::SendMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
         ::SendMessageA(w, WM_KEYUP, VK_SPACE, 0xC0000001);
       }},
  };
  struct TStart {
    WPARAM Check;
    TCheckBoxState After;
  };
  const TStart starts[] = {{BST_UNCHECKED, cbChecked},
                           {BST_CHECKED, cbUnchecked},
                           {BST_INDETERMINATE, cbChecked}};
  for (const TCase& action : actions) {
    for (const TStart& start : starts) {
      SCOPED_TRACE(testing::Message() << action.Action << " from " << start.Check);
      HWND window = nullptr;
      TCheckBoxEx* box = CreateCheckBox("Option", &window);
      ASSERT_NE(box, nullptr);
      ::SendMessageA(window, BM_SETCHECK, start.Check, 0);
      ::SetFocus(fParent);
      gEvents.clear();
      action.Act(window);
      EXPECT_EQ(gEvents, Events({CBXN_CHANGE, BN_CLICKED}, window));
      EXPECT_EQ(box->State(), start.After);
      EXPECT_EQ(::GetFocus(), window);
      ::DestroyWindow(window);
    }
  }
}

TEST_F(CustomControls, MouseReleasedOutsideIsNoClick) {
  HWND window = nullptr;
  TCheckBoxEx* box = CreateCheckBox("Option", &window);
  ASSERT_NE(box, nullptr);
  ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(-20, 3));
  EXPECT_TRUE(gEvents.empty());
  EXPECT_FALSE(box->Checked());
}

TEST_F(CustomControls, BmCheckMessagesMapToTheState) {
  HWND window = nullptr;
  TCheckBoxEx* box = CreateCheckBox("Option", &window);
  ASSERT_NE(box, nullptr);
  ::SendMessageA(window, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(box->State(), cbGrayed);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(::SendMessageA(window, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  box->SetChecked(true);
  EXPECT_EQ(::SendMessageA(window, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(gEvents, Events({CBXN_CHANGE, CBXN_CHANGE}, window));
}

// The dialog manager answers Alt and a caption's letter with BM_CLICK while
// the letter is down: the mark changes, but no click is reported.
TEST_F(CustomControls, AcceleratorTogglesWithChangeOnly) {
  HWND window = nullptr;
  TCheckBoxEx* box = CreateCheckBox("&Mark", &window);
  ASSERT_NE(box, nullptr);
  HWND other = Create(CHECK_BOX_EX_CLASS, "Other", 80, 20);
  ::SetFocus(other);
  gEvents.clear();

  BYTE keys[256] = {};
  ASSERT_TRUE(::GetKeyboardState(keys));
  BYTE pressed[256];
  std::copy(std::begin(keys), std::end(keys), std::begin(pressed));
  pressed['M'] = 0x80;
  pressed[VK_MENU] = 0x80;
  ASSERT_TRUE(::SetKeyboardState(pressed));
  MSG message{other, WM_SYSCHAR, 'm', 0x20000000, 0, {0, 0}};
  const BOOL handled = ::IsDialogMessageA(fParent, &message);
  ASSERT_TRUE(::SetKeyboardState(keys));

  EXPECT_TRUE(handled);
  EXPECT_EQ(gEvents, Events({CBXN_CHANGE}, window));
  EXPECT_TRUE(box->Checked());
}

TEST_F(CustomControls, CheckBoxTakesItsCaptionsSize) {
  HWND window = Create(CHECK_BOX_EX_CLASS, "A", 300, 40);
  RECT shortCaption{};
  ::GetClientRect(window, &shortCaption);
  ::SetWindowTextA(window, "A much longer caption than before");
  RECT longCaption{};
  ::GetClientRect(window, &longCaption);
  EXPECT_LT(shortCaption.right, 300);
  EXPECT_GT(longCaption.right, shortCaption.right + 50);
  EXPECT_GE(longCaption.bottom, 16);
  EXPECT_LT(longCaption.bottom, 40);
}

// The control rendered into a 32-bit bitmap, row by row.
std::vector<DWORD> Render(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0,
                    0, 0, 0};
  void* bits = nullptr;
  TWindowDC screen(nullptr);
  TBitmap bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  TMemoryDC dc(::CreateCompatibleDC(screen.Get()));
  if (!bitmap || !dc) return {};
  TSelectedObject selected(dc.Get(), bitmap.Get());
  ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
  ::GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  return std::vector<DWORD>(pixels, pixels + client.right * client.bottom);
}

TEST_F(CustomControls, CheckedBoxLooksDifferentFromUnchecked) {
  HWND window = nullptr;
  TCheckBoxEx* box = CreateCheckBox("Option", &window);
  ASSERT_NE(box, nullptr);
  box->SetStyle(cbsAdvance);
  const std::vector<DWORD> unchecked = Render(window);
  box->SetChecked(true);
  const std::vector<DWORD> checked = Render(window);
  ASSERT_FALSE(unchecked.empty());
  EXPECT_NE(checked, unchecked);
  box->SetChecked(false);
  EXPECT_EQ(Render(window), unchecked);
}

TEST_F(CustomControls, GroupBoxCutsItsCaptionHeight) {
  HWND window = Create(GROUP_BOX_EX_CLASS, "Status", 200, 100);
  TGroupBoxEx* box = TGroupBoxEx::From(window);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->CaptionHeight(), 24);
  box->SetCaptionHeight(40);
  EXPECT_EQ(box->CaptionHeight(), 25);
}

TEST_F(CustomControls, GroupBoxPassesItsChildrensEventsOn) {
  HWND group = Create(GROUP_BOX_EX_CLASS, "Options", 200, 100);
  HWND window = Create(CHECK_BOX_EX_CLASS, "Inside", 100, 20, group);
  TCheckBoxEx* box = TCheckBoxEx::From(window);
  ASSERT_NE(box, nullptr);
  ::SendMessageA(window, BM_CLICK, 0, 0);
  EXPECT_EQ(gEvents, Events({CBXN_CHANGE, BN_CLICKED}, window));
}

TEST_F(CustomControls, MarqueeKeepsWholeSlotsAndStopsEmpty) {
  HWND window = Create(MARQUEE_BAR_CLASS, "", 225, 15);
  TMarqueeBar* bar = TMarqueeBar::From(window);
  ASSERT_NE(bar, nullptr);
  RECT client{};
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, 221);
  const TMarqueeGeometry geometry = bar->Geometry();
  EXPECT_EQ(geometry.BlockWidth, 5);
  EXPECT_EQ(geometry.BlockHeight, 9);
  EXPECT_EQ(geometry.Slots, 31);

  // Resizing keeps whole slots too.
  ::SetWindowPos(window, nullptr, 0, 0, 230, 15, SWP_NOMOVE | SWP_NOZORDER);
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, 228);

  const std::vector<DWORD> empty = Render(window);
  bar->SetActive(true);
  for (int step = 0; step < 3; ++step) ::SendMessageA(window, WM_TIMER, 1, 0);
  EXPECT_EQ(bar->Position(), 3);
  EXPECT_NE(Render(window), empty);
  bar->SetActive(false);
  EXPECT_FALSE(bar->Active());
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(Render(window), empty);
}

TEST_F(CustomControls, MarqueeSpeedIsPositive) {
  TMarqueeBar* bar = TMarqueeBar::From(Create(MARQUEE_BAR_CLASS, "", 221, 15));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->AnimationSpeed(), 60);
  bar->SetAnimationSpeed(-40);
  EXPECT_EQ(bar->AnimationSpeed(), 40);
}

TEST_F(CustomControls, ImageIndexKeptWithinTheList) {
  TImageEx* image = TImageEx::From(Create(IMAGE_EX_CLASS, "", 16, 16));
  ASSERT_NE(image, nullptr);
  image->SetImageIndex(1);
  EXPECT_EQ(image->ImageIndex(), -1);  // no list: nothing to show

  TImageList list(::ImageList_Create(16, 16, ILC_COLOR32, 3, 0));
  ASSERT_TRUE(list);
  TWindowDC screen(nullptr);
  TBitmap picture(::CreateCompatibleBitmap(screen.Get(), 48, 16));
  ASSERT_TRUE(picture);
  ASSERT_EQ(::ImageList_Add(list.Get(), picture.Get(), nullptr), 0);
  ASSERT_EQ(::ImageList_GetImageCount(list.Get()), 3);
  image->SetImages(list.Get());

  struct TCase {
    int Index;
    int Shown;
  };
  for (const TCase c : {TCase{1, 1}, TCase{5, 2}, TCase{-1, -1}, TCase{0, 0}, TCase{-7, -1}}) {
    image->SetImageIndex(c.Index);
    EXPECT_EQ(image->ImageIndex(), c.Shown) << c.Index;
  }
  image->SetImages(nullptr);
}

TEST_F(CustomControls, LinkLabelReportsClicksAndKeys) {
  HWND window = Create(LABEL_EX_CLASS, "Visit the site", 120, 16);
  TLabelEx* label = TLabelEx::From(window);
  ASSERT_NE(label, nullptr);
  ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(gEvents.empty());  // a plain label is quiet

  label->SetLink(true);
  ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(::GetFocus(), window);
  ::SendMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
  ::SendMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(gEvents, Events({LXN_CLICK, LXN_CLICK, LXN_CLICK}, window));
  MSG enter{window, WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
  EXPECT_EQ(::SendMessageA(window, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
            DLGC_WANTMESSAGE);
}

}  // namespace
