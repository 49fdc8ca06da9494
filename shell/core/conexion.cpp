#include "shell/core/conexion.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/database/connection_text.hpp"
#include "platform/database/file_lookup.hpp"
#include "platform/profile/system_info.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"

namespace ambrix {

namespace {

constexpr int kCursorCliente = 3;
constexpr int kTiempoConexionOledb = 60;

}  // namespace

std::string connectionText(const vt::ConfiguracionSistema& cfg) {
  const vt::db::Engine engine = vt::db::parseEngine(vt::conv::Upper(cfg.gsMotorBD));
  if (engine == vt::db::Engine::Access) return cfg.gsPathDB + cfg.gsNombreBD;
  // The program names its Oracle driver itself; the library takes dbProvider_OLEDB.
  return vt::db::serverConnectionText(engine,
                                      {cfg.gsTipoConexion, cfg.gsProveedorBD, cfg.gsServidorBD,
                                       cfg.gsNombreBD, cfg.gsUsuarioBD, cfg.gsClaveBD},
                                      "{Microsoft ODBC for Oracle}");
}

void gsConectaBD() {
  vt::ConfiguracionSistema& cfg = vt::currentConfiguration().sistema;
  gConexion = vt::db::Connection::create();
  for (std::string* folder : {&cfg.gsPathApp, &cfg.gsPathReportAccess, &cfg.gsPathReportSQL,
                              &cfg.gsPathReportOracle, &cfg.gsPathDB})
    *folder = vt::withTrailingSlash(*folder);

  const std::string texto = connectionText(cfg);
  // Before the open: the file engine takes its wait for another writer from here.
  gConexion->setCommandTimeout(cfg.giTimeoutBD);
  try {
    switch (motorActual()) {
      case vt::db::Engine::Access:
        gConexion->setProvider(cfg.gsProveedorBD);
        if (!vt::db::findFileNoCase(texto))
          showBox("No se ha encontrado base de datos en la ruta: " + texto, vt::Icono::Critico);
        gConexion->open(texto, cfg.gsUsuarioBD, cfg.gsClaveBD);
        break;
      case vt::db::Engine::Sql:
        if (vt::db::usesSqlServerDriver(vt::db::Engine::Sql, cfg.gsTipoConexion)) {
          gConexion->setCursorLocation(kCursorCliente);
          gConexion->setConnectionTimeout(kTiempoConexionOledb);
        }
        gConexion->open(texto);
        break;
      case vt::db::Engine::Oracle:
        gConexion->open(texto);
        break;
      default:
        break;  // nothing is opened
    }
  } catch (...) {
    showCurrentError("Error al intentar conectarse a la base de datos \r\n");
  }
}

void gsCierraBD() {
  if (gConexion->state() == vt::db::State::Open) gConexion->close();
}

}  // namespace ambrix
