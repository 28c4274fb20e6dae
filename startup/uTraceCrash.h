// The trace log's last word in a process that fails: while installed, an
// exception that nothing handles first writes the lines still waiting in the
// process's trace log, then goes on to the filter installed before.
#pragma once

#include <windows.h>

namespace qlm {

class TTraceCrashFilter {
 public:
  TTraceCrashFilter();
  // Puts back the filter that was there before.
  ~TTraceCrashFilter();
  TTraceCrashFilter(const TTraceCrashFilter&) = delete;
  TTraceCrashFilter& operator=(const TTraceCrashFilter&) = delete;
};

// What the system calls for an unhandled exception while the filter is
// installed.
LONG WINAPI TraceCrashFilter(EXCEPTION_POINTERS* exception);

}  // namespace qlm
