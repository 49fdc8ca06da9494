#pragma once
// An employee-income sheet built from a valid base row of 2013 for the demo company, a started
// library on a copy of the fixture database, and one call of RDEP2013 with its log.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "hoja_test_support.hpp"
#include "platform/automation/string_matrix.hpp"

namespace rdep_test {

inline const std::string kEmpresa = "1792045185001";
// The basic fraction of the demo brackets of 2013.
inline constexpr double kFraccion2013 = 10180;

using Row = std::vector<std::string>;                      // columns 0 to 45
using Changes = std::vector<std::pair<int, std::string>>;  // (column, cell)

// A 2013 employee with a cédula, local, without disability, whose incomes, deductions, base and
// tax (304.00 on the demo brackets) all agree.
Row baseRow();
Row row(const Changes& changes);
// Row 0 is the header (left empty); `lastCol` below 45 gives a narrower array.
vt::automation::StringMatrixRef sheetOf(const std::vector<Row>& rows, long lastCol = 45);
vt::automation::StringMatrixRef sheetFromFile(const std::string& name);
// The sheet's data rows, 46 cells a row joined by ";", one line each.
std::string normalised(const vt::automation::StringMatrix& sheet);
std::string block(long r, const std::vector<std::string>& lines);

using Outcome = hoja_test::Outcome;

class Rdep : public ::testing::Test, public frame_test::LibraryFixture {
 public:
  std::string logPath() const { return (folder / "tolvexError_2013-12.txt").string(); }
  struct Call {
    std::string nu_anio = "2013";
    int16_t chk_ValidaIR = 1;
    double tolerance = 0.01;
    double lFraccionBasica = kFraccion2013;
    int16_t mode = 1;
    int32_t progress = 0;  // nFilaProgreso as handed in
  };
  Outcome validate(const vt::automation::StringMatrixRef& sheet, const Call& call);
  Outcome validate(const vt::automation::StringMatrixRef& sheet) { return validate(sheet, Call{}); }
};

using Case = hoja_test::Case;
void expectBlocks(Rdep& t, const std::vector<Case>& cases, const Rdep::Call& call = {});

}  // namespace rdep_test
