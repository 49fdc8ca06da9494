#pragma once
// A sales sheet built from a valid base row of May 2013 for the demo company, a started library on
// a copy of the fixture database, and one call of ATS2013_Ventas with its log.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "hoja_test_support.hpp"
#include "platform/automation/array.hpp"
#include "platform/automation/string_matrix.hpp"

namespace ventas_test {

inline const std::string kEmpresa = "1792045185001";

using Row = std::vector<std::string>;                      // columns 0 to 21
using Changes = std::vector<std::pair<int, std::string>>;  // (column, cell)

// An invoice (type 18) of May 2013 to a RUC client that passes every check of its columns.
Row baseRow();
// The base row with a few cells changed.
Row row(const Changes& changes);
// Row 0 is the header (left empty); `lastCol` below 21 gives a narrower array.
vt::automation::StringMatrixRef sheetOf(const std::vector<Row>& rows, long lastCol = 21);
// A sheet read from a ";"-separated text file of this folder, header line first.
vt::automation::StringMatrixRef sheetFromFile(const std::string& name);
// The sheet's data rows, 22 cells a row joined by ";", one line each.
std::string normalised(const vt::automation::StringMatrix& sheet);

// The block of data row `r` (the sheet's header being its line 1: "Registro: r+1").
std::string block(long r, const std::vector<std::string>& lines);

// The caller's options: the sales mode (not read), earlier months' withholdings, final consumer.
vt::automation::IntegerArrayRef options(int16_t retencionesAnteriores = 0, int16_t consumidorFinal = 0);

using Outcome = hoja_test::Outcome;

class Ventas : public ::testing::Test, public frame_test::LibraryFixture {
 public:
  std::string logPath() const { return (folder / "tolvexError_2013-05.txt").string(); }
  struct Call {
    std::string nu_mes = "5";
    std::string nu_anio = "2013";
    double tolerance = 0.01;
    vt::automation::IntegerArrayRef iOpciones = options();
    int16_t mode = 1;
    int32_t progress = 0;  // nFilaProgreso as handed in
  };
  Outcome validate(const vt::automation::StringMatrixRef& sheet, const Call& call);
  Outcome validate(const vt::automation::StringMatrixRef& sheet) { return validate(sheet, Call{}); }
};

using Case = hoja_test::Case;
void expectBlocks(Ventas& t, const std::vector<Case>& cases, const Ventas::Call& call = {});

}  // namespace ventas_test
