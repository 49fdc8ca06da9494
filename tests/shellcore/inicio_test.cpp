// The start-up without the window, on a copy of the fixture database, and the company
// parameters loaded when a company is chosen.

#include "shell/core/inicio.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/profile/ini_file.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/listas.hpp"
#include "tests/support/shell_fixture.hpp"
#include "tests/support/files.hpp"
#include "tests/support/scoped_env.hpp"

namespace ambrix {
namespace {

namespace fs = std::filesystem;

class StartUp : public testing::ShellTest {
 protected:
  StartUp() {
    const fs::path& dir = temp_.path();
    testing::writeStartUpSettings(dir);
    ctx_.programFolder = dir.string();
    gParametrosEmpresa = {};
  }

  // Runs statements of the test's own on the database copy (made on first use).
  void prepare(const std::vector<std::string>& statements) {
    if (!fs::exists(temp_.path() / "global.mdb"))
      vt::testing::copyFixtureDatabase(temp_.path() / "global.mdb");
    gsConectaBD();
    ASSERT_EQ(gConexion->state(), vt::db::State::Open) << lastMessage();
    for (const std::string& sql : statements) exec(sql);
    gsCierraBD();
  }

  ResultadoInicio start() { return gfIniciarPrograma(listas_, {2013, 5, 20}); }

  vt::testing::ScopedEnv winIni_{"AMBRIX_WIN_INI", (temp_.path() / "win.ini").string()};
  ListaComboMemoria empresas_, meses_, anios_, tipos_, niveles_;
  ListasVentanaATS listas_{empresas_, meses_, anios_, tipos_, niveles_};
};

TEST_F(StartUp, FillsTheListsAndLoadsTheFirstCompanysParameters) {
  prepare({"UPDATE tbParaSistema SET po_iva = 14 WHERE co_empresa = '1792045185001'"});
  ASSERT_EQ(start(), ResultadoInicio::Completo) << lastMessage();
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
  ASSERT_EQ(empresas_.ListCount(), 2);
  EXPECT_EQ(empresas_.ListIndex(), 0);
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "14");
  EXPECT_EQ(meses_.List(meses_.ListIndex()), "Mayo");
  EXPECT_EQ(anios_.List(anios_.ListIndex()), "2013");
  const std::string blancos(50, ' ');
  ASSERT_EQ(tipos_.ListCount(), 2);
  EXPECT_EQ(tipos_.List(0), "Excel (*.xls)|(*.xlsx)" + blancos + "*.xls*");
  EXPECT_EQ(tipos_.List(1), "CSV   (*.csv)  " + blancos + "*.csv");
  EXPECT_EQ(tipos_.ListIndex(), 0);
  ASSERT_EQ(niveles_.ListCount(), 4);
  EXPECT_EQ(niveles_.List(0), "<< No validar >>");
  EXPECT_EQ(niveles_.List(3), "Autorización, caducidad y rango");
  EXPECT_EQ(niveles_.ListIndex(), 0);
  EXPECT_EQ(gConexion->state(), vt::db::State::Closed);
  EXPECT_FALSE(ctx_.gsEstacion.empty());
}

TEST_F(StartUp, TheParametersAreThoseOfTheSelectedCompanyNotOfTheFirstRow) {
  // The company listed first is not the one of the table's first row.
  prepare({"UPDATE tbEmpresas SET ds_nombre = 'Almacenes Demo' WHERE nu_ruc = '0992314702001'",
           "UPDATE tbParaSistema SET po_iva = 14 WHERE co_empresa = '0992314702001'"});
  ASSERT_EQ(start(), ResultadoInicio::Completo) << lastMessage();
  ASSERT_EQ(empresas_.ListIndex(), 0);
  EXPECT_EQ(gfCodigoCombo(empresas_), "0992314702001");
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "14");
}

TEST_F(StartUp, ChoosingACompanyLoadsItsOwnParametersOrTheFirstRow) {
  prepare({"UPDATE tbParaSistema SET po_iva = 14 WHERE co_empresa = '0992314702001'"});
  ASSERT_EQ(start(), ResultadoInicio::Completo);
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "12");
  empresas_.setListIndex(1);
  cmbEmpresas_Click(empresas_);
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "14");
  EXPECT_EQ(gConexion->state(), vt::db::State::Closed);

  prepare({"DELETE FROM tbParaSistema WHERE co_empresa = '0992314702001'",
           "UPDATE tbParaSistema SET po_iva = 10"});
  cmbEmpresas_Click(empresas_);
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "10");
}

TEST_F(StartUp, WithoutParametersNoCompanyIsSelectedAndTheConnectionStaysOpen) {
  prepare({"DELETE FROM tbParaSistema"});
  EXPECT_EQ(start(), ResultadoInicio::SinParametros);
  EXPECT_EQ(lastMessage(), kMensajeSinParametros);
  EXPECT_EQ(empresas_.ListCount(), 2);
  EXPECT_EQ(empresas_.ListIndex(), -1);
  EXPECT_EQ(niveles_.ListCount(), 0);
  EXPECT_EQ(gConexion->state(), vt::db::State::Open);
}

// Each failure the window tells apart, with the messages the user sees, in order.
TEST_F(StartUp, FailuresEndWithTheirOwnResultAndMessages) {
  const std::string config = (temp_.path() / "TAXCONFIG.INI").string();
  const std::string noAbierta = "Ha ocurrido el error al Ejecutar SELECT 3709 ";
  const std::string manejador = "Ocurrió un error \r\nError: 3704";
  struct Case {
    std::string motor;               // dbTypeServer; "" removes TAXCONFIG.INI
    bool database;                   // the database file is there
    std::vector<std::string> setup;  // statements run on the copy first
    ResultadoInicio result;
    std::vector<std::string> starts;  // each message in order begins so
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"",
       false,
       {},
       ResultadoInicio::ConfiguracionFallida,
       {"No existe archivo de configuracion del sistema TAXCONFIG.INI"},
       "no settings: nothing else runs"},
      {"Access",
       false,
       {},
       ResultadoInicio::SinConexion,
       {"No se ha encontrado base de datos en la ruta: ", "Error al intentar conectarse a la base de datos "},
       "the missing file and the failed open are shown, nothing more"},
      {"MySQL",
       true,
       {},
       ResultadoInicio::SinConexion,
       {noAbierta, manejador},
       "an engine that opens nothing: the select on the unopened connection, then the handler"},
      {"foo", true, {}, ResultadoInicio::SinConexion, {noAbierta, manejador}, "an unknown engine as MYSQL"},
      {"Access",
       true,
       {"DROP TABLE tbEmpresas"},
       ResultadoInicio::ErrorInesperado,
       {"Ha ocurrido el error al Ejecutar SELECT ", "Ocurrió un error "},
       "a failure on the open connection: the window stays as far as it was built"},
  };
  const std::string settings = vt::testing::readFile(config);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    vt::testing::writeFile(config, settings);
    // Each start-up loads the settings of its case: the copy is prepared on the file engine.
    ctx_.sistema = testing::fileEngineSettings(temp_.path(), "GLOBAL.MDB").sistema;
    fs::remove_all(temp_.path() / "global.mdb");
    if (c.database) prepare(c.setup);
    if (c.motor.empty()) {
      fs::remove(config);
    } else {
      ASSERT_TRUE(vt::profile::writeFileValue(config, "DATABASE", "dbTypeServer", c.motor));
    }
    boxes_.mensajes.clear();
    empresas_.Clear();
    EXPECT_EQ(start(), c.result);
    EXPECT_TRUE(inicioFallido(c.result));
    EXPECT_EQ(empresas_.ListCount(), 0);
    ASSERT_EQ(boxes_.mensajes.size(), c.starts.size()) << lastMessage();
    for (std::size_t i = 0; i < c.starts.size(); ++i)
      EXPECT_TRUE(boxes_.mensajes[i].texto.starts_with(c.starts[i])) << boxes_.mensajes[i].texto;
  }
}

}  // namespace
}  // namespace ambrix
