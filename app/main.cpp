#include <windows.h>

#include "app/uStartup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunApplication(instance);
}
