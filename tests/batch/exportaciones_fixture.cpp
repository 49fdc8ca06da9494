#include "exportaciones_fixture.hpp"

#include <filesystem>
#include <memory>

#include "library/frame/cls_validar_informacion.hpp"
#include "tests/support/files.hpp"

namespace exportaciones_test {

Row baseRow() {
  Row r(24);
  r[0] = kEmpresa;
  r[1] = "5";
  r[2] = "2013";
  r[4] = "B";
  r[5] = "1";
  r[6] = "15/05/2013";
  r[7] = "28";
  r[8] = "2013";
  r[9] = "4";
  r[10] = "12345678";
  r[11] = "0";
  r[12] = "CEC0012345";
  r[13] = "0";
  r[14] = "1500.5";
  r[15] = "1500.5";
  r[16] = "15/05/2013";
  r[17] = "1001";
  r[18] = "25";
  r[19] = "1234567890";
  return r;
}

Row row(const Changes& changes) { return hoja_test::conCambios(baseRow(), changes); }

Row rowBeforeCutOff(const Changes& changes) {
  Row r = row({{1, "9"},
               {2, "2012"},
               {6, "28/09/2012"},
               {8, "2012"},
               {10, "123456"},
               {11, "7"},
               {13, "2812012400123"},
               {16, "28/09/2012"}});
  return hoja_test::conCambios(r, changes);
}

vt::automation::StringMatrixRef sheetOf(const std::vector<Row>& rows, long lastCol) {
  return hoja_test::sheetOf(rows, lastCol);
}

vt::automation::StringMatrixRef sheetFromFile(const std::string& name) {
  return sheetOf(hoja_test::readRows(std::filesystem::path(VT_BATCH_DIR) / name, 24));
}

std::string normalised(const vt::automation::StringMatrix& sheet) { return hoja_test::normalised(sheet, 23); }

std::string block(long r, const std::vector<std::string>& lines) {
  return hoja_test::block("EXPORTACIONES", r, lines);
}

Outcome Exportaciones::validate(const vt::automation::StringMatrixRef& sheet, const Call& call) {
  valtrone::CLSValidarInformacion validator;
  validator.iPocIVA = 12;
  Outcome run;
  run.sheet = sheet;
  run.progress = call.progress;
  std::string co_empresa = kEmpresa, nu_mes = call.nu_mes, nu_anio = call.nu_anio, fileError = logPath();
  double tolerance = 0.01;
  vt::automation::StringMatrixRef handle = sheet;
  run.result = validator.ATS2013_Exportaciones(call.mode, co_empresa, nu_mes, nu_anio, tolerance, handle,
                                               fileError, run.progress);
  run.log = hoja_test::takeLog(logPath());
  return run;
}

void expectBlocks(Exportaciones& t, const std::vector<Case>& cases, const Exportaciones::Call& call) {
  // Each whole row handed to the shared runner as the changes of an empty row.
  std::vector<hoja_test::Case> asChanges;
  for (const Case& c : cases) {
    Changes cells;
    for (std::size_t col = 0; col < c.cells.size(); ++col)
      cells.emplace_back(static_cast<int>(col), c.cells[col]);
    asChanges.push_back({cells, c.lines, c.why});
  }
  hoja_test::expectBlocks("EXPORTACIONES", asChanges, [&](const Changes& cells) {
    return t.validate(sheetOf({hoja_test::conCambios(Row(24), cells)}), call);
  });
}

}  // namespace exportaciones_test
