// The local time as a date-time, for the window's figures and the settings'
// dates.
#pragma once

#include "ui/uStatusRules.h"

namespace qlm {

TDateTime Now();

}  // namespace qlm
