#include "ventas_fixture.hpp"

#include <filesystem>
#include <memory>

#include "hoja_test_support.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "tests/support/files.hpp"

namespace ventas_test {

Row baseRow() {
  Row r(22);
  r[0] = kEmpresa;
  r[1] = "5";
  r[2] = "2013";
  r[3] = "R";
  r[4] = "1791234561001";
  r[5] = "Comercial Andina";
  r[6] = "1";
  r[7] = "18";
  r[8] = "3";
  r[9] = "0";
  r[10] = "50";
  r[11] = "100";
  r[12] = "12";
  r[13] = "0";
  r[14] = "0";
  r[15] = "31/05/2013";
  r[16] = "1001";
  r[17] = "25";
  r[18] = "1234567890";
  return r;
}

Row row(const Changes& changes) { return hoja_test::conCambios(baseRow(), changes); }

vt::automation::StringMatrixRef sheetOf(const std::vector<Row>& rows, long lastCol) {
  return hoja_test::sheetOf(rows, lastCol);
}

vt::automation::StringMatrixRef sheetFromFile(const std::string& name) {
  return sheetOf(hoja_test::readRows(std::filesystem::path(VT_BATCH_DIR) / name, 22));
}

std::string normalised(const vt::automation::StringMatrix& sheet) { return hoja_test::normalised(sheet, 21); }

std::string block(long r, const std::vector<std::string>& lines) {
  return hoja_test::block("VENTAS", r, lines);
}

vt::automation::IntegerArrayRef options(int16_t retencionesAnteriores, int16_t consumidorFinal) {
  auto array = std::make_shared<vt::automation::IntegerArray>(0, 2);
  array->at(1) = retencionesAnteriores;
  array->at(2) = consumidorFinal;
  return array;
}

Outcome Ventas::validate(const vt::automation::StringMatrixRef& sheet, const Call& call) {
  valtrone::CLSValidarInformacion validator;
  validator.iPocIVA = 12;
  Outcome run;
  run.sheet = sheet;
  run.progress = call.progress;
  std::string co_empresa = kEmpresa, nu_mes = call.nu_mes, nu_anio = call.nu_anio, fileError = logPath();
  double tolerance = call.tolerance;
  vt::automation::StringMatrixRef handle = sheet;
  vt::automation::IntegerArrayRef opciones = call.iOpciones;
  run.result = validator.ATS2013_Ventas(call.mode, co_empresa, nu_mes, nu_anio, tolerance, handle, fileError,
                                        run.progress, opciones);
  run.log = hoja_test::takeLog(logPath());
  return run;
}

void expectBlocks(Ventas& t, const std::vector<Case>& cases, const Ventas::Call& call) {
  hoja_test::expectBlocks("VENTAS", cases,
                          [&](const Changes& changes) { return t.validate(sheetOf({row(changes)}), call); });
}

}  // namespace ventas_test
