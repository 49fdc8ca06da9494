#include "ice_fixture.hpp"

#include <filesystem>

#include "library/frame/cls_validar_informacion.hpp"
#include "platform/database/connection.hpp"
#include "tests/support/files.hpp"

namespace ice_test {

const char* palabra(Hoja hoja) { return hoja == Hoja::Importa ? "ICE IMPORTACIONES" : "ICE VENTAS"; }

Fila baseRow(Hoja hoja) {
  Fila r(22);
  r[0] = kEmpresa;
  r[1] = "5";
  r[2] = "2013";
  r[3] = "R";
  r[4] = "1791234561001";
  r[5] = "Distribuidora Sierra";
  if (hoja == Hoja::Importa) {
    r[8] = "15/05/2013";
    r[9] = "593";
    r[10] = "Ecuador";
    r[11] = "100";
    r[12] = "28";
    r[13] = "2013";
    r[14] = "4";
    r[15] = "12";
    r[16] = "3031";
  } else {
    r[8] = "L";
    r[9] = "100";
    r[10] = "0";
    r[11] = "0";
    r[12] = "3031";
  }
  return r;
}

Fila row(Hoja hoja, const Cambios& changes) { return hoja_test::conCambios(baseRow(hoja), changes); }

vt::automation::StringMatrixRef sheetOf(const std::vector<Fila>& rows, long lastCol) {
  return hoja_test::sheetOf(rows, lastCol);
}

vt::automation::StringMatrixRef sheetFromFile(const std::string& name) {
  return sheetOf(hoja_test::readRows(std::filesystem::path(VT_BATCH_DIR) / name, 22));
}

std::string normalised(const vt::automation::StringMatrix& sheet) { return hoja_test::normalised(sheet, 21); }

Ice::Ice() {
  auto db = vt::db::Connection::create();
  db->open((folder / "global.mdb").string());
  db->execute(
      "insert into tbICE_Productos (co_empresa, co_producto, ds_producto, st_producto) values "
      "('1792045185001', '3031-CIG', 'Cigarrillos', 'A'), ('1792045185001', 'ICE%50', 'Cerveza', 'A'), "
      "('1792045185001', '3051', 'Licor', 'I'), ('0992314702001', '7777', 'Gaseosa', 'A')");
  db->close();
}

Outcome Ice::validate(Hoja hoja, const vt::automation::StringMatrixRef& sheet, const Call& call) {
  valtrone::CLSValidarInformacion validator;
  Outcome run;
  run.sheet = sheet;
  run.progress = call.progress;
  std::string co_empresa = kEmpresa, nu_mes = call.nu_mes, nu_anio = call.nu_anio, fileError = logPath();
  double tolerance = 0.01;
  vt::automation::StringMatrixRef handle = sheet;
  run.result = hoja == Hoja::Importa ? validator.ICE2014_Importa(call.mode, co_empresa, nu_mes, nu_anio,
                                                                 tolerance, handle, fileError, run.progress)
                                     : validator.ICE2014_Ventas(call.mode, co_empresa, nu_mes, nu_anio,
                                                                tolerance, handle, fileError, run.progress);
  run.log = hoja_test::takeLog(logPath());
  return run;
}

void expectBlocks(Ice& t, Hoja hoja, const std::vector<Case>& cases, const Ice::Call& call) {
  hoja_test::expectBlocks(palabra(hoja), cases, [&](const Cambios& changes) {
    return t.validate(hoja, sheetOf({row(hoja, changes)}), call);
  });
}

}  // namespace ice_test
