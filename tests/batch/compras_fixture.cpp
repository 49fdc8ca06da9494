#include "compras_fixture.hpp"

#include <filesystem>

#include "hoja_test_support.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "tests/support/files.hpp"

namespace compras_test {

Row baseRow() {
  Row r(68);
  r[0] = kEmpresa;
  r[1] = "5";
  r[2] = "2013";
  r[3] = "10/05/2013";
  r[4] = "15/05/2013";
  r[5] = "R";
  r[6] = "1791234561001";
  r[10] = "1";
  r[11] = "1";
  r[12] = "1001";
  r[13] = "25";
  r[14] = "1234567890";
  r[15] = "0";
  r[16] = "50";
  r[17] = "100";
  r[18] = "12";
  r[23] = "L";
  r[32] = "1";
  return r;
}

Row row(const Changes& changes) { return hoja_test::conCambios(baseRow(), changes); }

vt::automation::StringMatrixRef sheetOf(const std::vector<Row>& rows, long lastCol) {
  return hoja_test::sheetOf(rows, lastCol);
}

std::string block(long r, const std::vector<std::string>& lines) {
  return hoja_test::block("COMPRAS", r, lines);
}

Outcome Compras::validate(const vt::automation::StringMatrixRef& sheet, std::string nu_mes,
                          std::string nu_anio, std::string co_empresa, int16_t mode, double tolerance) {
  valtrone::CLSValidarInformacion validator;
  validator.iPocIVA = 12;
  Outcome run;
  run.sheet = sheet;
  std::string fileError = logPath();
  vt::automation::StringMatrixRef handle = sheet;
  run.result = validator.ATS2013_Compras(mode, co_empresa, nu_mes, nu_anio, tolerance, handle, fileError,
                                         run.progress);
  run.log = hoja_test::takeLog(logPath());
  return run;
}

void expectBlocks(Compras& t, const std::vector<Case>& cases, const std::string& nu_mes) {
  hoja_test::expectBlocks(
      "COMPRAS", cases, [&](const Changes& changes) { return t.validate(sheetOf({row(changes)}), nu_mes); });
}

}  // namespace compras_test
