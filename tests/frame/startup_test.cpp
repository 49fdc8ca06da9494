// The per-thread start routine and fresh objects, created by identifier as any client does.

#include <gtest/gtest.h>

#include <thread>

#include "frame_test_support.hpp"
#include "library/frame/conexion.hpp"
#include "platform/automation/loader.hpp"
#include "platform/database/db_objects.hpp"
#include "platform/profile/configuracion.hpp"
#include "tests/support/files.hpp"
#include "tests/support/scoped_env.hpp"

namespace {

namespace fs = std::filesystem;
using vt::automation::Variant;

// Runs `body` on a new thread, which starts with its own library context.
template <class F>
void onNewThread(F body) {
  std::thread t(body);
  t.join();
}

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { frame_test::pinEnvironment(); }

  void writeConfig() {
    vt::testing::copyFixtureDatabase(configFolder / "global.mdb");
    vt::testing::writeFile(
        configFolder / "TAXCONFIG.INI",
        "[PATH]\r\nPath_App=\r\nPath_db=" + configFolder.string() +
            "\r\n[DATABASE]\r\ndbTypeServer=access\r\ndbNameDB=global.mdb\r\ndbTimeout=45\r\n");
  }

  vt::testing::TempFolder config_{"frame-config"};
  const fs::path& configFolder = config_.path();
  vt::testing::ScopedEnv configDir_{"VALTRONE_CONFIG_DIR", configFolder.string()};
};

TEST_F(Startup, ReadsTheConfigurationOnceWhenCreatingObjects) {
  writeConfig();
  onNewThread([&] {
    vt::MensajesGrabados messages;
    vt::ScopedThreadMessages guard(messages);
    auto first = vt::automation::createObject("Valtrone.CLSValidarInformacion");
    auto second = vt::automation::createObject("valtrone.clsvarios");
    const valtrone::ThreadContext& c = valtrone::ctx();
    EXPECT_TRUE(c.started);
    EXPECT_TRUE(messages.mensajes.empty());
    EXPECT_EQ(c.config.sistema.gsMotorBD, "ACCESS");
    EXPECT_EQ(c.config.sistema.gsNombreBD, "GLOBAL.MDB");
    EXPECT_EQ(c.config.sistema.giTimeoutBD, 45);
    EXPECT_EQ(c.config.sistema.gsPathApp, configFolder.string() + "/");
    EXPECT_FALSE(c.config.gsEstacion.empty());
    EXPECT_FALSE(c.gdbConexion) << "start-up opens no connection";
  });
}

TEST_F(Startup, MissingConfigurationIsReportedOncePerThreadAndOpensNothing) {
  for (int thread = 0; thread < 2; ++thread) {
    onNewThread([] {
      vt::MensajesGrabados messages;
      vt::ScopedThreadMessages guard(messages);
      vt::automation::createObject("Valtrone.CLSValidarInformacion");
      vt::automation::createObject("Valtrone.CLSProveedores");
      ASSERT_EQ(messages.mensajes.size(), 1u);
      EXPECT_EQ(messages.mensajes[0].texto,
                "No existe archivo de configuracion del sistema TAXCONFIG.INI(Valtrone)");
      EXPECT_EQ(messages.mensajes[0].titulo, "Valtrone");
      EXPECT_EQ(valtrone::ctx().config.sistema.gsMotorBD, "");
      valtrone::gfAbreConexion();
      EXPECT_EQ(messages.mensajes.size(), 1u);
      EXPECT_EQ(valtrone::ctx().gdbConexion->state(), vt::db::State::Closed);
    });
  }
}

// A caller that loaded no settings of its own (another program of the family, a worker thread)
// still has dates read in the order of the regional settings the library loaded; a caller with
// settings of its own gets them back after each call.
TEST_F(Startup, CallsRunUnderTheLibrarysOwnRegionalSettings) {
  writeConfig();
  vt::testing::writeFile(configFolder / "win.ini", "[Intl]\r\nsShortDate=MM/dd/yyyy\r\n");
  vt::testing::ScopedEnv winIni{"AMBRIX_WIN_INI", (configFolder / "win.ini").string()};
  onNewThread([] {
    vt::ContextoConfiguracion caller;
    caller.regional.gsFormatoFecha = "dd/MM/yyyy";
    for (vt::ContextoConfiguracion* own : {static_cast<vt::ContextoConfiguracion*>(nullptr), &caller}) {
      SCOPED_TRACE(own ? "caller with its own settings" : "caller without settings");
      vt::ContextoConfiguracion* const before = vt::setThreadConfiguration(own);
      vt::ContextoConfiguracion* const current = &vt::currentConfiguration();
      auto validar = vt::automation::createObject("Valtrone.CLSValidarInformacion");
      EXPECT_EQ(valtrone::ctx().config.regional.gsFormatoFecha, "MM/dd/yyyy");
      EXPECT_EQ(validar->call("gfUltimoDiaMes", "02/01/2024").toI2(), 29) << "2 January read as 1 February";
      EXPECT_EQ(&vt::currentConfiguration(), current);
      vt::setThreadConfiguration(before);
    }
  });
}

TEST_F(Startup, EachThreadHasItsOwnConnection) {
  writeConfig();
  std::shared_ptr<vt::db::Connection> first, second;
  std::thread a([&] {
    vt::automation::createObject("Valtrone.CLSValidarInformacion");
    valtrone::gfAbreConexion();
    first = valtrone::ctx().gdbConexion;
  });
  a.join();
  std::thread b([&] {
    vt::automation::createObject("Valtrone.CLSValidarInformacion");
    valtrone::gfAbreConexion();
    second = valtrone::ctx().gdbConexion;
    valtrone::gfCierraConexion();
  });
  b.join();
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  EXPECT_EQ(second->state(), vt::db::State::Closed);
  EXPECT_EQ(first->state(), vt::db::State::Open);
}

TEST_F(Startup, FreshValidatorAndPropertyCoercion) {
  writeConfig();
  onNewThread([] {
    auto validator = vt::automation::createObject("Valtrone.CLSValidarInformacion");
    EXPECT_TRUE(validator->get("db_ConexionObj").isObject());
    EXPECT_FALSE(validator->get("db_ConexionObj").toObject());
    EXPECT_EQ(validator->get("nu_mes").type(), vt::automation::VarType::I2);
    EXPECT_EQ(validator->get("nu_mes").toI2(), 0);
    EXPECT_EQ(validator->get("co_empresa").toString(), "");

    struct Case {
      const char* text;
      int16_t value;
    };
    for (const Case& c : {Case{"12", 12}, Case{"12.5", 12}, Case{"13.5", 14}}) {
      validator->let("IPOCIVA", Variant(c.text));
      EXPECT_EQ(validator->get("iPocIVA").toI2(), c.value) << c.text;
    }
    try {
      validator->let("iPocIVA", Variant("doce"));
      ADD_FAILURE() << "a text that is no number was accepted";
    } catch (const vt::Error& e) {
      EXPECT_EQ(e.number(), 13);
    }
  });
}

TEST_F(Startup, HostConnectionIsSetAndReadBack) {
  writeConfig();
  onNewThread([&] {
    auto validator = vt::automation::createObject("Valtrone.CLSValidarInformacion");
    auto connection = std::make_shared<vt::db::Connection>();
    validator->set("db_ConexionObj", vt::db::asVariant(connection));
    EXPECT_EQ(vt::db::connectionOf(validator->get("db_ConexionObj")), connection);
    // A connection comes only as its object: any other object is the wrong type.
    const Variant recordset(vt::automation::ObjectRef(std::make_shared<vt::db::RecordsetObject>()));
    try {
      vt::db::connectionOf(recordset);
      ADD_FAILURE() << "a recordset taken as a connection";
    } catch (const vt::Error& e) {
      EXPECT_EQ(e.number(), 13);
    }
  });
}

}  // namespace
