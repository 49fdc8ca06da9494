#include "tests/support/shell_fixture.hpp"

#include <fstream>

#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "tests/support/files.hpp"

namespace ambrix::testing {

namespace fs = std::filesystem;

vt::ContextoConfiguracion fileEngineSettings(const fs::path& folder, const std::string& file) {
  vt::ContextoConfiguracion ctx;
  ctx.regional.gsFormatoFecha = "dd/MM/yyyy";
  ctx.regional.gsFormatoHora = "HH:mm:ss";
  auto& s = ctx.sistema;
  s.gsPathApp = folder.string() + "/";
  s.gsPathDB = folder.string() + "/";
  s.gsPathLog = folder.string() + "/";
  s.gsFechaCorta = "dd/MM/yyyy";
  s.gsHora = "HH:mm:ss";
  s.gsFechaHora = "dd/MM/yyyy HH:mm:ss";
  s.gsTipoConexion = "ACCESS";
  s.gsMotorBD = "ACCESS";
  s.gsNombreBD = file;
  s.gsUsuarioBD = "admin";
  s.gsProveedorBD = "Microsoft.Jet.OLEDB.4.0";
  s.giTimeoutBD = 90;
  return ctx;
}

void writeStartUpSettings(const fs::path& folder) {
  const std::string dir = folder.string();
  std::ofstream(folder / "TAXCONFIG.INI")
      << "[PATH]\r\nPath_App=" << dir << "/\r\nPath_db=" << dir << "/\r\nPath_Log=" << dir
      << "/\r\n[DATABASE]\r\ndbTypeConexion=Access\r\ndbTypeServer=Access\r\n"
         "dbNameDB=GLOBAL.MDB\r\ndbUser=admin\r\ndbTimeout=90\r\n";
  std::ofstream(folder / "win.ini") << "[Intl]\r\nsShortDate=dd/MM/yyyy\r\nsDecimal=.\r\n";
}

ShellTest::ShellTest()
    : ctx_(fileEngineSettings(temp_.path(), "GLOBAL.MDB")), previousCtx_(vt::setThreadConfiguration(&ctx_)) {}

ShellTest::~ShellTest() {
  gsCierraBD();
  gConexion = vt::db::Connection::create();
  vt::setThreadConfiguration(previousCtx_);
}

void ShellTest::connectToCopy() {
  vt::testing::copyFixtureDatabase(temp_.path() / "global.mdb");
  gsConectaBD();
  ASSERT_EQ(gConexion->state(), vt::db::State::Open) << lastMessage();
}

void ShellTest::exec(const std::string& sql) { gConexion->execute(sql); }

std::string ShellTest::lastMessage() const {
  return boxes_.mensajes.empty() ? std::string() : boxes_.mensajes.back().texto;
}

}  // namespace ambrix::testing
