#pragma once
// A purchases sheet built from a valid base row of May 2013 for the demo company, a started
// library on a copy of the fixture database, and one call of ATS2013_Compras with its log.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "hoja_test_support.hpp"
#include "platform/automation/string_matrix.hpp"

namespace compras_test {

inline const std::string kEmpresa = "1792045185001";

using Row = std::vector<std::string>;                      // columns 0 to 67
using Changes = std::vector<std::pair<int, std::string>>;  // (column, cell)

// A supplier invoice of May 2013 that passes every check of its columns.
Row baseRow();
// The base row with a few cells changed.
Row row(const Changes& changes);
// Row 0 is the header (left empty); `lastCol` below 67 gives a narrower array.
vt::automation::StringMatrixRef sheetOf(const std::vector<Row>& rows, long lastCol = 67);

// The block of the sheet row `r` (its data row r, header being row 1 of the sheet: "Registro: r+1").
std::string block(long r, const std::vector<std::string>& lines);

using Outcome = hoja_test::Outcome;

class Compras : public ::testing::Test, public frame_test::LibraryFixture {
 public:
  std::string logPath() const { return (folder / "tolvexError_2013-05.txt").string(); }
  Outcome validate(const vt::automation::StringMatrixRef& sheet, std::string nu_mes = "5",
                   std::string nu_anio = "2013", std::string co_empresa = kEmpresa, int16_t mode = 1,
                   double tolerance = 0.01);
  Outcome validateRow(const Row& r, std::string nu_mes = "5") {
    return validate(sheetOf({r}), std::move(nu_mes));
  }
};

using Case = hoja_test::Case;
void expectBlocks(Compras& t, const std::vector<Case>& cases, const std::string& nu_mes = "5");

}  // namespace compras_test
