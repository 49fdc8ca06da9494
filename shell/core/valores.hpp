#pragma once
// Reading database values the way the program's text and number fields take them: Null as "" or 0.

#include <string>

#include "platform/database/value.hpp"

namespace ambrix {

// Text as concatenation gives it: Null "", numbers as the legacy CStr writes them, dates in the
// configured short format (with " hh:mm:ss" when they carry a time).
std::string textOf(const vt::db::Value& value);
// Number of a value: Null and text that is not a number give 0.
double numberOf(const vt::db::Value& value);

}  // namespace ambrix
