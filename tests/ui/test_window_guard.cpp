// A handler that throws never reaches Windows; one that throws while its
// window is being made leaves no half-made window behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "ui/controls/uControlWindow.h"
#include "ui/uWindow.h"

using namespace qlm;

namespace {

constexpr char kFormClass[] = "QlmThrowingForm";
constexpr char kControlClass[] = "QlmThrowingControl";

// Throws on the message given, answers the others as usual.
class TThrowingForm final : public TWindow {
 public:
  TThrowingForm(UINT failing) : TWindow(::GetModuleHandleA(nullptr)), fFailing(failing) {}
  bool Create() {
    return RegisterWindowClass(kFormClass, nullptr, nullptr) &&
           CreateCentred(kFormClass, "guard", WS_OVERLAPPEDWINDOW, 100, 100);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == fFailing) throw std::runtime_error("handler failed");
    return DefaultHandler(message, wParam, lParam);
  }

 private:
  UINT fFailing;
};

class TThrowingControl final : public TControlWindow {
 public:
  explicit TThrowingControl(HWND window) : TControlWindow(window) {}

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CREATE || message == WM_USER) throw std::runtime_error("handler failed");
    return TControlWindow::HandleMessage(message, wParam, lParam);
  }
  void Paint(HDC, const RECT&) override {}
};

}  // namespace

TEST(WindowGuard, AFormThatFailsToCreateIsNotMade) {
  TThrowingForm form(WM_CREATE);
  EXPECT_FALSE(form.Create());
  EXPECT_EQ(form.Handle(), nullptr);
}

TEST(WindowGuard, AFailingHandlerGetsTheDefaultAnswer) {
  TThrowingForm form(WM_USER + 1);
  ASSERT_TRUE(form.Create());
  EXPECT_EQ(::SendMessageA(form.Handle(), WM_USER + 1, 0, 0), 0);
  EXPECT_TRUE(::IsWindow(form.Handle()));
}

TEST(WindowGuard, AControlThatFailsToCreateIsNotMade) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  ASSERT_TRUE(TControlWindow::RegisterControlClass(instance, kControlClass,
                                                   &TControlWindow::Procedure<TThrowingControl>));
  HWND control = ::CreateWindowExA(0, kControlClass, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, instance, nullptr);
  EXPECT_EQ(control, nullptr);
}
