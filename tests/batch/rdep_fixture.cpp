#include "rdep_fixture.hpp"

#include <filesystem>

#include "hoja_test_support.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "tests/support/files.hpp"

namespace rdep_test {

Row baseRow() {
  Row r(46);
  r[0] = kEmpresa;
  r[1] = "12";
  r[2] = "2013";
  r[3] = "C";
  r[4] = "1710034065";
  r[5] = "PEREZ LOPEZ";
  r[6] = "JUAN CARLOS";
  r[7] = "1";
  r[8] = "L";
  r[9] = "593";
  r[10] = "NO";
  r[11] = "NA";
  r[15] = "20000";  // salaries, the whole of this employer's sum
  r[25] = "20000";
  r[26] = "1";
  r[27] = "1890";  // IESS
  r[29] = "1000";  // housing, health, education, food, clothing: 3500
  r[30] = "1000";
  r[31] = "500";
  r[32] = "500";
  r[33] = "500";
  r[34] = "3500";
  r[37] = "5390";   // 1890 + 3500
  r[38] = "14610";  // 20000 - 5390
  r[39] = "304";    // 140 + (14610 - 12970) x 10 %
  r[42] = "304";
  r[43] = "1";
  return r;
}

Row row(const Changes& changes) { return hoja_test::conCambios(baseRow(), changes); }

vt::automation::StringMatrixRef sheetOf(const std::vector<Row>& rows, long lastCol) {
  return hoja_test::sheetOf(rows, lastCol);
}

vt::automation::StringMatrixRef sheetFromFile(const std::string& name) {
  return sheetOf(hoja_test::readRows(std::filesystem::path(VT_BATCH_DIR) / name, 46));
}

std::string normalised(const vt::automation::StringMatrix& sheet) { return hoja_test::normalised(sheet, 45); }

std::string block(long r, const std::vector<std::string>& lines) {
  return hoja_test::block("RDEP", r, lines);
}

Outcome Rdep::validate(const vt::automation::StringMatrixRef& sheet, const Call& call) {
  valtrone::CLSValidarInformacion validator;
  validator.lFraccionBasica = call.lFraccionBasica;
  Outcome run;
  run.sheet = sheet;
  run.progress = call.progress;
  std::string co_empresa = kEmpresa, nu_mes = "12", nu_anio = call.nu_anio, fileError = logPath();
  int16_t chk = call.chk_ValidaIR;
  double tolerance = call.tolerance;
  vt::automation::StringMatrixRef handle = sheet;
  run.result = validator.RDEP2013(call.mode, co_empresa, nu_mes, nu_anio, chk, tolerance, handle, fileError,
                                  run.progress);
  run.log = vt::testing::readOptionalFile(logPath());
  std::filesystem::remove(logPath());
  return run;
}

void expectBlocks(Rdep& t, const std::vector<Case>& cases, const Rdep::Call& call) {
  hoja_test::expectBlocks("RDEP", cases,
                          [&](const Changes& changes) { return t.validate(sheetOf({row(changes)}), call); });
}

}  // namespace rdep_test
