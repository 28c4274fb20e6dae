// The local time as a date-time, for the window's figures and the settings'
// dates.
#pragma once

#include "base/uDateTime.h"

namespace qlm {

TDateTime Now();

}  // namespace qlm
