#pragma once
// The sheet that is active when an .xlsx workbook opens.

#include <string>

#include "platform/workbook/worksheet.hpp"

namespace vt::workbook {

Worksheet readXlsxActiveSheet(const std::string& path, const ReadLimits& limits);

// "_xHHHH_" escapes of the package format decoded ("_x000D_" is a carriage return).
std::string decodeEscapes(std::string_view text);

}  // namespace vt::workbook
