#pragma once
// Opening a workbook by its content: .xlsx (zip package) or .xls (compound file, BIFF8).
// Failures raise vt::Error with a Spanish reason (see failure.hpp).

#include <string>

#include "platform/workbook/worksheet.hpp"

namespace vt::workbook {

enum class FileKind { Xlsx, Xls, Other };

FileKind detectKind(const std::string& path);  // CannotOpen when the file cannot be read
// The sheet that is active when the workbook opens.
Worksheet readActiveSheet(const std::string& path, const ReadLimits& limits = {});

}  // namespace vt::workbook
