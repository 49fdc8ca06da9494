#pragma once
// A cell's value as the text a program of the system reads from a sheet: text unchanged,
// numbers in their shortest form of 15 significant digits with ".", date cells as dates in the
// regional short-date order (time only when not midnight), booleans "True"/"False".

#include <optional>
#include <string>

#include "platform/conversions/datetime.hpp"
#include "platform/workbook/cell.hpp"

namespace vt::workbook {

struct TextFormats {
  std::string datePattern = "dd/MM/yyyy";
  std::string timePattern = "hh:mm:ss";
};

// A serial day number of a sheet as date and time (nearest second); nullopt outside years
// 1899..9999. Serials 1 to 59 of the 1900 system count from 31/12/1899 and 60 reads 28/02/1900,
// as the spreadsheet's own calendar has a 29/02/1900.
std::optional<conv::DateTime> serialToDateTime(double serial, bool date1904);

// Error and FormulaWithoutValue cells give ""; the caller reports them.
std::string cellText(const Cell& cell, bool date1904, const TextFormats& formats = {});

// "A1" style name of a 0-based position.
std::string cellReference(std::uint32_t row, std::uint32_t col);

}  // namespace vt::workbook
