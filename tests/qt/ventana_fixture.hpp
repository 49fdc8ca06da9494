#pragma once
// The main window on a copy of the fixture database: TAXCONFIG.INI and the regional file in the
// test's folder, boxes recorded, the recording import and XML writer behind the process button.

#include <QCheckBox>
#include <QComboBox>
#include <string>
#include <vector>

#include "shell/qt/frm_ats_subir_excel.hpp"
#include "tests/support/shell_fixture.hpp"
#include "tests/support/ventana_grabada.hpp"
#include "tests/support/scoped_env.hpp"

namespace ambrix::qt::testing {

class VentanaTest : public ambrix::testing::ShellTest {
 protected:
  VentanaTest();

  // Statements of the test's own on the database copy, before the start-up.
  void prepare(const std::vector<std::string>& statements);
  ResultadoInicio load(const std::string& sLinea = "");

  template <typename W>
  W* control(const char* nombre) const {
    W* w = ventana_.findChild<W*>(QString::fromLatin1(nombre));
    EXPECT_NE(w, nullptr) << nombre;
    return w;
  }
  QCheckBox* check(const char* nombre) const { return control<QCheckBox>(nombre); }
  QComboBox* combo(const char* nombre) const { return control<QComboBox>(nombre); }
  // Selects the item whose text is `texto`.
  void choose(const char* nombre, const QString& texto) const;

  vt::testing::ScopedEnv winIni_;
  ambrix::testing::ImportadorGrabado importador_;
  ambrix::testing::GeneradorGrabado generador_;
  frm_ATS_SubirExcel ventana_{importador_, generador_};
};

}  // namespace ambrix::qt::testing
