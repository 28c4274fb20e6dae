// What the tests that drive a window in their own process share: message
// pumping and the real main window made against this program's folder.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "ui/uMain.h"

namespace qlm {

// Dispatches every message waiting for this thread.
void PumpMessages();
// Dispatches messages as they come until `done` holds; false when it still
// does not after `timeoutMs`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Answers the first message box with this caption that shows within ten
// seconds with the button given (OK unless told), keeping its text: a box
// the window shows modally while the test waits for the handler to return.
class TMessageBoxAnswer {
 public:
  explicit TMessageBoxAnswer(std::string caption, int button = IDOK);
  ~TMessageBoxAnswer();
  // Waits for the answer; empty when no box came.
  std::string Text();
  // Once the code that might have asked has returned: the text of the box
  // it asked, empty when none came, without waiting any longer.
  std::string Asked();

 private:
  std::string fCaption;
  int fButton;
  std::atomic<bool> fStop{false};
  std::string fText;
  std::thread fWatcher;
};

// A fresh main window for each test, on default settings.
class TMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static void DeleteSettings();
  void Open();
  void Close();
  HWND C(const char* name) const { return fForm->Control(name); }
  // The text of a key in the window's current language.
  std::string Text(const char* key) const;

  std::unique_ptr<TFormMain> fForm;
};

}  // namespace qlm
