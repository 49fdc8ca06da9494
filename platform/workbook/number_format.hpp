#pragma once
// Whether a cell's number format shows a date or a time, shared by the .xlsx and .xls readers.

#include <string_view>

namespace vt::workbook {

bool isBuiltInDateFormat(int formatId);
// A custom format code: its first section, without literals, escapes, fills and colour or
// condition brackets, holds any of d m y h s (elapsed [h] [m] [s] count too).
bool isDateFormatCode(std::string_view code);

}  // namespace vt::workbook
