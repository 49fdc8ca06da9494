// Opening the connection from the settings: folders, engines, the missing database file.

#include "shell/core/conexion.hpp"

#include <gtest/gtest.h>

#include "platform/database/statement_observer.hpp"
#include "shell/core/globals.hpp"
#include "tests/support/files.hpp"
#include "tests/support/shell_fixture.hpp"

namespace ambrix {
namespace {

namespace fs = std::filesystem;

using Connect = testing::ShellTest;

TEST_F(Connect, MissingFileGivesTheTwoMessagesAndIsNotCreated) {
  gsConectaBD();
  EXPECT_EQ(gConexion->state(), vt::db::State::Closed);
  ASSERT_EQ(boxes_.mensajes.size(), 2u);
  const std::string ruta = temp_.path().string() + "/GLOBAL.MDB";
  EXPECT_EQ(boxes_.mensajes[0].texto, "No se ha encontrado base de datos en la ruta: " + ruta);
  EXPECT_TRUE(boxes_.mensajes[1].texto.starts_with("Error al intentar conectarse a la base de datos \r\n"))
      << boxes_.mensajes[1].texto;
  for (const auto& m : boxes_.mensajes) {
    EXPECT_EQ(m.icono, vt::Icono::Critico);
    EXPECT_EQ(m.titulo, "Tolvex");
  }
  EXPECT_FALSE(fs::exists(ruta));
  EXPECT_FALSE(fs::exists(temp_.path() / "global.mdb"));
  EXPECT_EQ(gConexion->commandTimeout(), 90) << "set before the open, whatever the open does";
}

TEST_F(Connect, FileNamedInAnotherCaseIsFoundAndTheTimeoutApplied) {
  connectToCopy();
  EXPECT_TRUE(boxes_.mensajes.empty());
  EXPECT_EQ(gConexion->commandTimeout(), 90);
  EXPECT_EQ(gConexion->provider(), "Microsoft.Jet.OLEDB.4.0");
  gsCierraBD();
  EXPECT_EQ(gConexion->state(), vt::db::State::Closed);
  gsCierraBD();  // closing twice is harmless
}

TEST_F(Connect, EveryCallMakesANewConnection) {
  connectToCopy();
  const auto primera = gConexion;
  gsConectaBD();
  EXPECT_NE(gConexion, primera);
  EXPECT_EQ(gConexion->state(), vt::db::State::Open);
}

TEST_F(Connect, EngineThatOpensNothingShowsNothingAndStillTakesTheTimeout) {
  ctx_.sistema.gsMotorBD = "MYSQL";
  ctx_.sistema.giTimeoutBD = 45;
  gsConectaBD();
  EXPECT_EQ(gConexion->state(), vt::db::State::Closed);
  EXPECT_TRUE(boxes_.mensajes.empty());
  EXPECT_EQ(gConexion->commandTimeout(), 45);
}

TEST_F(Connect, FiveFoldersGainOneTrailingSlashAndTheLogFolderIsLeftAlone) {
  ctx_.sistema.gsMotorBD = "MYSQL";
  ctx_.sistema.gsPathApp = "";
  ctx_.sistema.gsPathReportAccess = "informes";
  ctx_.sistema.gsPathReportSQL = "informes/";
  ctx_.sistema.gsPathReportOracle = "0";
  ctx_.sistema.gsPathDB = "/datos";
  ctx_.sistema.gsPathLog = "bitacora";
  gsConectaBD();
  EXPECT_EQ(ctx_.sistema.gsPathApp, "/");
  EXPECT_EQ(ctx_.sistema.gsPathReportAccess, "informes/");
  EXPECT_EQ(ctx_.sistema.gsPathReportSQL, "informes/");
  EXPECT_EQ(ctx_.sistema.gsPathReportOracle, "0/");
  EXPECT_EQ(ctx_.sistema.gsPathDB, "/datos/");
  EXPECT_EQ(ctx_.sistema.gsPathLog, "bitacora");
}

TEST_F(Connect, EachEngineHandsItsConnectionTextToTheLayer) {
  vt::testing::copyFixtureDatabase(temp_.path() / "global.mdb");
  vt::ConfiguracionSistema& s = ctx_.sistema;
  s.gsServidorBD = "SRV01";
  s.gsUsuarioBD = "ats";
  s.gsClaveBD = "clave";
  s.gsProveedorBD = "{Controlador Ausente}";
  const std::string archivo = temp_.path().string() + "/GLOBAL.MDB";
  struct Case {
    std::string motor;
    std::string tipo;
    std::vector<vt::db::ObservedText> recibido;
    bool abierta;
  };
  using vt::db::ObservedKind;
  const Case casos[] = {
      // The file engine gets the configured name and the user; the password never shows.
      {"ACCESS", "ACCESS", {{ObservedKind::Open, archivo, "ats"}}, true},
      {"SQL",
       "OLEDB",
       {{ObservedKind::Open,
         "Driver={Controlador Ausente};Server=SRV01;Uid=ats;Pwd=clave;Database=GLOBAL.MDB", ""}},
       false},
      {"sql",
       "OLEDB",
       {{ObservedKind::Open,
         "Driver={Controlador Ausente};Server=SRV01;Uid=ats;Pwd=clave;Database=GLOBAL.MDB", ""}},
       false},
      {"SQL",
       "ACCESS",
       {{ObservedKind::Open,
         "Provider=sqloledb;Data Source=SRV01;Initial Catalog=GLOBAL.MDB;User Id=ats;Password=clave; ", ""}},
       false},
      {"ORACLE",
       "OLEDB",
       {{ObservedKind::Open, "Driver={Microsoft ODBC for Oracle};Server=SRV01;Uid=ats;Pwd=clave;", ""}},
       false},
      {"MYSQL", "OLEDB", {}, false},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.motor + " " + c.tipo);
    s.gsMotorBD = c.motor;
    s.gsTipoConexion = c.tipo;
    vt::db::StatementRecorder recorder;
    gsConectaBD();
    EXPECT_EQ(recorder.seen, c.recibido);
    EXPECT_EQ(gConexion->state() == vt::db::State::Open, c.abierta) << lastMessage();
    gsCierraBD();
  }
}

}  // namespace
}  // namespace ambrix
