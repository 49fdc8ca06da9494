#pragma once
// An exports sheet built from a valid base row of May 2013 for the demo company (an export of goods
// shipped after the FUE's last day), a started library on a copy of the fixture database, and one
// call of ATS2013_Exportaciones with its log.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "hoja_test_support.hpp"
#include "platform/automation/string_matrix.hpp"

namespace exportaciones_test {

inline const std::string kEmpresa = "1792045185001";

using Row = hoja_test::Fila;  // columns 0 to 23, as the loader hands them
using Changes = hoja_test::Cambios;

// A shipment of goods of May 2013 (district 028, regime 04, correlativo of eight digits, FUE 0)
// invoiced with a voucher 01, that passes every check.
Row baseRow();
// The base row with a few cells changed.
Row row(const Changes& changes);
// The same shipment in September 2012, before the FUE's last day: a six-digit correlativo with
// its check digit and a FUE of thirteen digits.
Row rowBeforeCutOff(const Changes& changes = {});
// Row 0 is the header (left empty); `lastCol` below 23 gives a narrower array.
vt::automation::StringMatrixRef sheetOf(const std::vector<Row>& rows, long lastCol = 23);
// A sheet read from a ";"-separated text file of this folder, header line first.
vt::automation::StringMatrixRef sheetFromFile(const std::string& name);
// The sheet's data rows, 24 cells a row joined by ";", one line each.
std::string normalised(const vt::automation::StringMatrix& sheet);
// The block of data row `r` (the sheet's header being its line 1: "Registro: r+1").
std::string block(long r, const std::vector<std::string>& lines);

using Outcome = hoja_test::Outcome;

class Exportaciones : public ::testing::Test, public frame_test::LibraryFixture {
 public:
  std::string logPath() const { return (folder / "tolvexError_2013-05.txt").string(); }
  struct Call {
    std::string nu_mes = "5";
    std::string nu_anio = "2013";
    int16_t mode = 1;
    int32_t progress = 0;  // nFilaProgreso as handed in
  };
  Outcome validate(const vt::automation::StringMatrixRef& sheet, const Call& call);
  Outcome validate(const vt::automation::StringMatrixRef& sheet) { return validate(sheet, Call{}); }
};

// A one-row case: the row and the exact lines of its block.
struct Case {
  Row cells;
  std::vector<std::string> lines;  // none: the row passes
  const char* why;
};
void expectBlocks(Exportaciones& t, const std::vector<Case>& cases, const Exportaciones::Call& call = {});

}  // namespace exportaciones_test
