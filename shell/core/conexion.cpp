#include "shell/core/conexion.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/database/file_lookup.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"

namespace ambrix {

namespace {

constexpr int kCursorCliente = 3;
constexpr int kTiempoConexionOledb = 60;

void addTrailingSlash(std::string& folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
}

}  // namespace

std::string connectionText(const vt::ConfiguracionSistema& cfg) {
  switch (vt::db::parseEngine(vt::conv::Upper(cfg.gsMotorBD))) {
    case vt::db::Engine::Access:
      return cfg.gsPathDB + cfg.gsNombreBD;
    case vt::db::Engine::Sql:
      if (cfg.gsTipoConexion == "OLEDB")
        return "Driver=" + cfg.gsProveedorBD + ";" + "Server=" + cfg.gsServidorBD + ";" +
               "Uid=" + cfg.gsUsuarioBD + ";" + "Pwd=" + cfg.gsClaveBD + ";" + "Database=" + cfg.gsNombreBD;
      return "Provider=sqloledb;Data Source=" + cfg.gsServidorBD + ";Initial Catalog=" + cfg.gsNombreBD +
             ";User Id=" + cfg.gsUsuarioBD + ";Password=" + cfg.gsClaveBD + "; ";
    case vt::db::Engine::Oracle:
      return "Driver={Microsoft ODBC for Oracle};Server=" + cfg.gsServidorBD + ";Uid=" + cfg.gsUsuarioBD +
             ";Pwd=" + cfg.gsClaveBD + ";";
    default:
      return "";
  }
}

void gsConectaBD() {
  vt::ConfiguracionSistema& cfg = vt::currentConfiguration().sistema;
  gConexion = vt::db::Connection::create();
  for (std::string* folder : {&cfg.gsPathApp, &cfg.gsPathReportAccess, &cfg.gsPathReportSQL,
                              &cfg.gsPathReportOracle, &cfg.gsPathDB})
    addTrailingSlash(*folder);

  const std::string texto = connectionText(cfg);
  try {
    switch (motorActual()) {
      case vt::db::Engine::Access:
        gConexion->setProvider(cfg.gsProveedorBD);
        if (!vt::db::findFileNoCase(texto))
          showBox("No se ha encontrado base de datos en la ruta: " + texto, vt::Icono::Critico);
        gConexion->open(texto, cfg.gsUsuarioBD, cfg.gsClaveBD);
        break;
      case vt::db::Engine::Sql:
        if (cfg.gsTipoConexion == "OLEDB") {
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
    return;
  }
  gConexion->setCommandTimeout(cfg.giTimeoutBD);
}

void gsCierraBD() {
  if (gConexion->state() == vt::db::State::Open) gConexion->close();
}

}  // namespace ambrix
