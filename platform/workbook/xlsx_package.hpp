#pragma once
// The small parts of an .xlsx package: which part is the active sheet, the 1904 date system,
// the date formats of the cell styles and where the shared strings live.

#include <string>
#include <vector>

#include "platform/workbook/limits.hpp"
#include "platform/workbook/zip_package.hpp"

namespace vt::workbook {

struct XlsxLayout {
  std::string sheetPart;          // the active worksheet
  std::string sharedStringsPart;  // empty when the workbook has none
  bool date1904 = false;
  std::vector<bool> styleIsDate;  // by cell style index (the cell's s attribute)
};

// NotAWorkbook when no workbook part is found, NotAWorksheet when the active sheet is a chart,
// dialog or macro sheet.
XlsxLayout readXlsxLayout(const ZipPackage& package, const ReadLimits& limits);

}  // namespace vt::workbook
