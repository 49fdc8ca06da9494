#include "tests/qt/ventana_fixture.hpp"

#include <filesystem>

#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "tests/support/files.hpp"

namespace ambrix::qt::testing {

namespace fs = std::filesystem;

VentanaTest::VentanaTest() : winIni_("AMBRIX_WIN_INI", (temp_.path() / "win.ini").string()) {
  const fs::path& dir = temp_.path();
  ambrix::testing::writeStartUpSettings(dir);
  ctx_.programFolder = dir.string();
  gParametrosEmpresa = {};
  vt::testing::copyFixtureDatabase(dir / "global.mdb");
}

void VentanaTest::prepare(const std::vector<std::string>& statements) {
  gsConectaBD();
  ASSERT_EQ(gConexion->state(), vt::db::State::Open) << lastMessage();
  for (const std::string& sql : statements) exec(sql);
  gsCierraBD();
}

ResultadoInicio VentanaTest::load(const std::string& sLinea) { return ventana_.Form_Load(sLinea); }

void VentanaTest::choose(const char* nombre, const QString& texto) const {
  QComboBox* c = combo(nombre);
  const int i = c->findText(texto);
  ASSERT_GE(i, 0) << nombre << " " << texto.toStdString();
  c->setCurrentIndex(i);
}

}  // namespace ambrix::qt::testing
