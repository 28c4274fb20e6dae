// A row of a window's command table: the control, the notification code and
// the member handler that it calls.
#pragma once

#include <windows.h>

#include <span>

namespace qlm {

class TFormMain;

struct TCommandRoute {
  int Id;
  WORD Code;
  void (TFormMain::*Handler)();
};

// The options pages' rows of the main window's command table.
std::span<const TCommandRoute> OptionsRoutes();

}  // namespace qlm
