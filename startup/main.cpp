#include <windows.h>

#include "startup/uStartup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunApplication(instance);
}
