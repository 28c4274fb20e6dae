#include "tests/ui/uUiTestSupport.h"

#include <algorithm>

#include "base/uExecutable.h"
#include "startup/uMiscLoad.h"
#include "tests/support/uTestSupport.h"

namespace qlm {

namespace {
// The services library for every window test, as start-up binds it.
class TMiscEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(LoadMiscLibrary(fLibrary, ""));
    Misc = GetIMiscEntry();
  }
  void TearDown() override {
    Misc = nullptr;
    UnloadMiscLibrary(fLibrary);
  }

 private:
  HMODULE fLibrary = nullptr;
};
const auto* const kMisc = ::testing::AddGlobalTestEnvironment(new TMiscEnvironment);
}  // namespace

void PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    PumpMessages();
    if (done()) return true;
    // Unsigned differences stay right across the counter's wrap.
    const DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    // The condition may also change without a message: look again soon.
    constexpr DWORD kSliceMs = 10;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(kSliceMs, timeoutMs - elapsed),
                                QS_ALLINPUT);
  }
}

TMessageBoxAnswer::TMessageBoxAnswer(std::string caption, int button)
    : fCaption(std::move(caption)), fButton(button) {
  fWatcher = std::thread([this] {
    for (int tries = 0; tries < 1000 && !fStop; ++tries) {
      HWND box = ::FindWindowA("#32770", fCaption.c_str());
      if (box != nullptr && ::IsWindowVisible(box)) {
        fText = WindowText(::GetDlgItem(box, 0xFFFF));
        ::PostMessageA(box, WM_COMMAND, fButton, 0);
        return;
      }
      ::Sleep(10);
    }
  });
}

TMessageBoxAnswer::~TMessageBoxAnswer() {
  if (fWatcher.joinable()) fWatcher.join();
}

std::string TMessageBoxAnswer::Text() {
  if (fWatcher.joinable()) fWatcher.join();
  return fText;
}

std::string TMessageBoxAnswer::Asked() {
  fStop = true;
  return Text();
}

void TMainWindowTest::SetUp() {
  DeleteSettings();
  Open();
}

void TMainWindowTest::TearDown() { Close(); }

void TMainWindowTest::DeleteSettings() {
  ::DeleteFileA((ExecutableFolder() + SETTINGS_FILE).c_str());
}

void TMainWindowTest::Open() {
  fForm = std::make_unique<TFormMain>(::GetModuleHandleA(nullptr));
  ASSERT_TRUE(fForm->Create());
  PumpMessages();
}

void TMainWindowTest::Close() {
  fForm.reset();
  PumpMessages();
}

std::string TMainWindowTest::Text(const char* key) const {
  return fForm->Language().GetString(fForm->LangIndex(), key);
}

}  // namespace qlm
