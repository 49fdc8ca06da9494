#pragma once
// A worksheet cell as a typed value, the way a spreadsheet hands it to a program.

#include <cstdint>
#include <string_view>

namespace vt::workbook {

enum class CellKind : std::uint8_t {
  Empty,
  Text,
  Number,
  Boolean,
  Error,               // text holds the error constant, e.g. "#N/A"
  FormulaWithoutValue  // a formula the file holds no computed result for
};

struct Cell {
  CellKind kind = CellKind::Empty;
  bool isDate = false;  // a number shown through a date/time format
  double number = 0;    // Number; Boolean: 1 or 0
  std::string_view text;
};

}  // namespace vt::workbook
