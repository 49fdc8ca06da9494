#pragma once
// The two ICE sheets: a valid base row of each for May 2013 of the demo company, a started library
// on a copy of the fixture database that holds the company's ICE products, and one call of either
// validator with its log.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "hoja_test_support.hpp"
#include "platform/automation/string_matrix.hpp"

namespace ice_test {

inline const std::string kEmpresa = "1792045185001";

using hoja_test::Cambios;
using hoja_test::Fila;

enum class Hoja { Importa, Ventas };

// The sheet word of the error blocks.
const char* palabra(Hoja hoja);
// A row (columns 0 to 21) that passes every check: an import cleared on 15/05/2013 from country
// 593, district 28, regime 4; a sale of type "L". Both to a RUC party, of product "3031".
Fila baseRow(Hoja hoja);
Fila row(Hoja hoja, const Cambios& changes);
vt::automation::StringMatrixRef sheetOf(const std::vector<Fila>& rows, long lastCol = 21);
vt::automation::StringMatrixRef sheetFromFile(const std::string& name);
std::string normalised(const vt::automation::StringMatrix& sheet);

using hoja_test::Case;
using hoja_test::Outcome;

class Ice : public ::testing::Test, public frame_test::LibraryFixture {
 public:
  // The company's products: "3031-CIG" and "ICE%50" active, "3051" inactive; "7777" belongs to
  // the other demo company.
  Ice();
  std::string logPath() const { return (folder / "errores-ice.txt").string(); }
  struct Call {
    std::string nu_mes = "5";
    std::string nu_anio = "2013";
    int16_t mode = 1;
    int32_t progress = 0;  // nFilaProgreso as handed in
  };
  Outcome validate(Hoja hoja, const vt::automation::StringMatrixRef& sheet, const Call& call);
  Outcome validate(Hoja hoja, const vt::automation::StringMatrixRef& sheet) {
    return validate(hoja, sheet, Call{});
  }
};

// Each case's row validated alone, its block under the sheet word.
void expectBlocks(Ice& t, Hoja hoja, const std::vector<Case>& cases, const Ice::Call& call = {});

}  // namespace ice_test
