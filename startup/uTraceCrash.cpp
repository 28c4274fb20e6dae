#include "startup/uTraceCrash.h"

#include "startup/uTrace.h"

namespace qlm {

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER gPrevious = nullptr;

}  // namespace

TTraceCrashFilter::TTraceCrashFilter() { gPrevious = ::SetUnhandledExceptionFilter(&TraceCrashFilter); }

TTraceCrashFilter::~TTraceCrashFilter() {
  ::SetUnhandledExceptionFilter(gPrevious);
  gPrevious = nullptr;
}

LONG WINAPI TraceCrashFilter(EXCEPTION_POINTERS* exception) {
  if (Trace != nullptr) Trace->FlushAfterCrash();
  return gPrevious != nullptr ? gPrevious(exception) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace qlm
