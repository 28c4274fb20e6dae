// update.bin: finishes an update after the program has ended, by putting the
// program files it could not replace while running into its folder.
#include <windows.h>

#include "base/uExecutable.h"
#include "updatebin/uFormUpdateBin.h"
#include "updatebin/uUpdateBinLock.h"

using namespace qlm;
using namespace qlm::updatebin;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  TUpdateBinArgs args;
  if (!ParseUpdateBinArgs(::GetCommandLineA(), args)) {
    ::MessageBoxA(nullptr,
                  "Usage: update.bin \"caption\" \"close\" \"update\" \"restart\" window-handle",
                  "update.bin", MB_OK | MB_ICONERROR);
    return 2;
  }
  // update.bin lives in the program folder.
  const std::string folder = ExecutableFolder();
  if (folder.empty()) return 1;
  // The second copy leaves at once rather than waiting: the first one's
  // window already holds the user's choice, and a second window would only
  // report nothing left to install.
  THandle lock;
  if (!AcquireUpdateBinLock(folder, lock)) {
    ::MessageBoxA(nullptr, UPDATE_BIN_BUSY, args.Caption.c_str(), MB_OK | MB_ICONINFORMATION);
    return 3;
  }
  TFormUpdateBin form(instance, args, folder);
  if (!form.Create()) return 1;
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!::IsDialogMessageA(form.Handle(), &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return 0;
}
