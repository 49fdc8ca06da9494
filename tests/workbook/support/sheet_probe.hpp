#pragma once
// Reads a cell of a loaded worksheet by its A1 name, as text, for assertions.

#include <optional>
#include <string>

#include "platform/errors/error.hpp"
#include "platform/workbook/cell_text.hpp"
#include "platform/workbook/failure.hpp"
#include "platform/workbook/workbook.hpp"
#include "platform/workbook/worksheet.hpp"

namespace vt::testing {

inline std::pair<std::uint32_t, std::uint32_t> position(const std::string& ref) {
  std::uint32_t col = 0;
  std::size_t i = 0;
  while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z')
    col = col * 26 + static_cast<std::uint32_t>(ref[i++] - 'A' + 1);
  return {static_cast<std::uint32_t>(std::stoul(ref.substr(i)) - 1), col - 1};
}

inline workbook::Cell cellAt(const workbook::Worksheet& sheet, const std::string& ref) {
  const auto [r, c] = position(ref);
  return sheet.cell(r, c);
}

inline std::string textAt(const workbook::Worksheet& sheet, const std::string& ref) {
  return workbook::cellText(cellAt(sheet, ref), sheet.date1904());
}

// Why reading the workbook failed; nullopt when it was read.
inline std::optional<workbook::Failure> readFailure(const std::string& path,
                                                    const workbook::ReadLimits& limits = {}) {
  using workbook::Failure;
  try {
    workbook::readActiveSheet(path, limits);
    return std::nullopt;
  } catch (const vt::Error& e) {
    for (Failure f : {Failure::CannotOpen, Failure::NotAWorkbook, Failure::PasswordProtected,
                      Failure::NotAWorksheet, Failure::Damaged, Failure::TooLarge, Failure::OldFormat}) {
      if (e.number() == workbook::failureNumber(f)) return f;
    }
    throw;
  }
}

}  // namespace vt::testing
