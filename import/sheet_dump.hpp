#pragma once
// A loaded sheet array as text: one line per data row (row 0 left out), cells separated by tabs;
// a tab, CR, LF or backslash inside a cell is written \t, \r, \n or \\.

#include <ostream>

#include "platform/automation/string_matrix.hpp"

namespace ambrix {

void writeSheetDump(const vt::automation::StringMatrix& hoja, std::ostream& out);

}  // namespace ambrix
