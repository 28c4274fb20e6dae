#include "startup/uProcess.h"

#include <windows.h>

#include <vector>

#include "base/uHandles.h"

namespace qlm {

bool RunProgram(const std::string& program, const std::string& parameters, bool wait) {
  std::string line = program + " " + parameters;
  // CreateProcessA may write into the command line.
  std::vector<char> commandLine(line.begin(), line.end());
  commandLine.push_back('\0');

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &info)) {
    return false;
  }
  THandle process(info.hProcess);
  THandle thread(info.hThread);
  if (wait) ::WaitForSingleObject(process.Get(), INFINITE);
  return true;
}

}  // namespace qlm
