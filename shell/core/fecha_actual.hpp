#pragma once
// The machine's local date and time (today's month and year of the lists, log names).

#include "platform/conversions/datetime.hpp"

namespace ambrix {

vt::conv::DateTime currentDateTime();

}  // namespace ambrix
