// Administrator rights for the categories that need them: which ticked
// categories only an administrator can clean fully, and the start of the
// program again through the shell's "runas" verb (the consent prompt).
#pragma once

#include <windows.h>

#include <string>

#include "engine/uCoreTypes.h"

namespace qlm {

// The temporary files of Windows, its Prefetch files and the uninstallation
// files of Windows and Internet Explorer updates lie in Windows' own
// folders, which an ordinary user may not list or change.
bool NeedsAdministrator(const TCoreOptions& options);

enum class TElevatedStart {
  Started,   // the new instance runs and waits for this one to end
  Declined,  // the user said no to the consent prompt
  Failed,
};

// Starts program with administrator rights, telling it to wait for this
// process; error receives the system's reason when it fails.
TElevatedStart StartElevated(HWND owner, const std::string& program, std::string& error);

}  // namespace qlm
