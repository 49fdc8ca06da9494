#include "platform/workbook/cell_text.hpp"

#include <cmath>

#include "platform/automation/date.hpp"
#include "platform/conversions/conversions.hpp"

namespace vt::workbook {

std::optional<conv::DateTime> serialToDateTime(double serial, bool date1904) {
  if (date1904) serial += 1462;
  if (!(serial >= 0 && serial <= automation::kMaxDateSerial)) return std::nullopt;
  const double whole = std::floor(serial);
  if (whole >= 1 && whole < 60) serial += 1;
  return automation::Date{serial}.toDateTime();
}

std::string cellText(const Cell& cell, bool date1904, const TextFormats& formats) {
  switch (cell.kind) {
    case CellKind::Text:
      return std::string(cell.text);
    case CellKind::Boolean:
      return cell.number != 0 ? "True" : "False";
    case CellKind::Number: {
      if (cell.isDate) {
        if (const auto value = serialToDateTime(cell.number, date1904)) {
          const bool midnight = value->hour == 0 && value->minute == 0 && value->second == 0;
          if (value->date == conv::Date{1899, 12, 30})
            return conv::FormatDateTime(*value, formats.timePattern);
          if (midnight) return conv::FormatDate(value->date, formats.datePattern);
          return conv::FormatDateTime(*value, formats.datePattern + " " + formats.timePattern);
        }
      }
      return conv::VbStr(cell.number);
    }
    default:
      return "";
  }
}

std::string cellReference(std::uint32_t row, std::uint32_t col) {
  std::string letters;
  for (std::uint32_t n = col + 1; n > 0; n = (n - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters + std::to_string(row + 1);
}

}  // namespace vt::workbook
