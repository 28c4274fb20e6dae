#include "ui/uElevation.h"

#include <shellapi.h>

#include "ui/uRestartArgs.h"

namespace qlm {

bool NeedsAdministrator(const TCoreOptions& options) {
  return options.WinTemp || options.Prefetch || options.WinUpdates || options.IeUpdates;
}

TElevatedStart StartElevated(HWND owner, const std::string& program, std::string& error) {
  const std::string parameters = FormatRestartArgs(::GetCurrentProcessId());
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = "runas";
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExA(&info)) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_CANCELLED) return TElevatedStart::Declined;
    error = "system error " + std::to_string(code);
    return TElevatedStart::Failed;
  }
  return TElevatedStart::Started;
}

}  // namespace qlm
