#include <windows.h>

#include "app/uStartup.h"

using namespace qlm;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunApplication(instance);
}
