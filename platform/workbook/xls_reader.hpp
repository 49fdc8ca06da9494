#pragma once
// The sheet that is active when an .xls (BIFF8) workbook opens, with cached formula results,
// booleans told from errors, the 1904 date system and date formats of the cell styles.

#include <string>

#include "platform/workbook/worksheet.hpp"

namespace vt::workbook {

Worksheet readXlsActiveSheet(const std::string& path, const ReadLimits& limits);

}  // namespace vt::workbook
