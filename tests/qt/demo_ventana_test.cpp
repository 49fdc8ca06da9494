// The README's demo by hand in the window: the choices of examples/demo/mayo-2013.ini made on the
// window's controls of a demo copy, then "Iniciar". The window must show the boxes that
// `make demo` prints for that state file, in the same order, and end with the same stored rows
// and annex file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <sstream>
#include <string>

#include "import/importador_ats.hpp"
#include "platform/automation/host.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_consola.hpp"
#include "platform/profile/configuracion.hpp"
#include "platform/profile/ini_file.hpp"
#include "shell/qt/frm_ats_subir_excel.hpp"
#include "shell/qt/texto_con_boton.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scoped_env.hpp"
#include "tests/support/temp_folder.hpp"
#include "xml/genera_xml.hpp"

namespace ambrix::qt {
namespace {

namespace fs = std::filesystem;

// The lines of a transcript that are message boxes.
std::string boxesOf(const std::string& transcript) {
  std::istringstream in(transcript);
  std::string line, boxes;
  while (std::getline(in, line))
    if (line.rfind("MSGBOX ", 0) == 0) boxes += line + "\n";
  return boxes;
}

std::string storedRows(const fs::path& root) {
  return vt::testing::runCommand(
             "sqlite3 -batch -list examples/demo/db/GLOBAL.MDB 'SELECT * FROM tbAT_Cmprs_RE; "
             "SELECT co_comprob, nu_serie, nu_secu, mo_base, mo_iva FROM tbAT_Cmprs ORDER BY id_reg; "
             "SELECT nu_secu_ini, nu_secu_fin, fe_anula FROM tbAT_CmptsAnu ORDER BY id_reg; "
             "SELECT co_cliente, co_comprob, nu_comprob, mo_base, mo_iva FROM tbAT_Ventas ORDER BY id_reg; "
             "SELECT co_Transacc, nu_ref_corre, mo_FOB, nu_secu FROM tbAT_Exporta ORDER BY id_reg'",
             {.folder = root})
      .out;
}

// The working folder of the process, put back at the end: the demo's paths are relative to the
// repository root, where `make window` starts the program.
class ScopedFolder {
 public:
  explicit ScopedFolder(const fs::path& folder) : previous_(fs::current_path()) { fs::current_path(folder); }
  ~ScopedFolder() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

TEST(DemoEnLaVentana, TheStateFilesChoicesMadeByHandShowTheBoxesOfTheBatchRun) {
  vt::testing::TempFolder root("qt");
  const fs::path demo = vt::testing::copyDemo(root.path());
  const std::string registry = VT_BINARY_DIR "/automation.reg";
  const vt::testing::ProgramRun batch =
      vt::testing::runBatch(root.path(), "examples/demo/win.ini",
                            "--config-dir examples/demo --state examples/demo/mayo-2013.ini",
                            {{"VALTRONE_REGISTRY", registry}, {"VALTRONE_CONFIG_DIR", std::nullopt}});
  ASSERT_EQ(batch.status, 0) << batch.out << batch.err;
  const std::string batchRows = storedRows(root.path());
  const std::string batchAnnex = vt::testing::readFile(root.path() / "build" / "demo" / "AT052013.XML");
  ASSERT_EQ(boxesOf(batch.out),
            "MSGBOX INFORMACION Tolvex: Proceso de validacion terminado OK.\n"
            "MSGBOX INFORMACION Tolvex: Archivo AT052013.XML generado con éxito.\n");

  // The same start again: a fresh database and no output.
  vt::testing::copyFixtureDatabase(demo / "db" / "GLOBAL.MDB");
  fs::remove_all(root.path() / "build" / "demo");
  fs::create_directories(root.path() / "build" / "demo");

  ScopedFolder here(root.path());
  vt::testing::ScopedEnv winIni("AMBRIX_WIN_INI", "examples/demo/win.ini");
  vt::testing::ScopedEnv libreria("VALTRONE_REGISTRY", registry);
  vt::testing::ScopedEnv sinCarpeta("VALTRONE_CONFIG_DIR", std::nullopt);
  vt::ContextoConfiguracion ctx;
  ctx.programFolder = "examples/demo";
  vt::ContextoConfiguracion* const previous = vt::setThreadConfiguration(&ctx);
  std::ostringstream transcript;
  vt::MensajesConsola cajas(transcript);
  vt::Mensajes* const previousBoxes = vt::setProcessMessages(&cajas);
  vt::ScopedThreadMessages hilo(cajas);
  vt::automation::host::setYieldHook([]() { QCoreApplication::processEvents(); });
  {
    ImportadorATS importador;
    GeneradorXML generador;
    frm_ATS_SubirExcel ventana(importador, generador);
    ASSERT_EQ(ventana.Form_Load(""), ResultadoInicio::Completo) << transcript.str();

    const std::string estado = vt::testing::readFile(demo / "mayo-2013.ini");
    const auto value = [&](const char* key) {
      const std::optional<std::string> v = vt::profile::readValue(estado, "frm_ATS_SubirExcel", key);
      EXPECT_TRUE(v.has_value()) << key;
      return QString::fromStdString(v.value_or(""));
    };
    const auto combo = [&](const char* name) { return ventana.findChild<QComboBox*>(QString::fromLatin1(name)); };
    const auto check = [&](const char* name) { return ventana.findChild<QCheckBox*>(QString::fromLatin1(name)); };
    const auto file = [&](const char* name) { return ventana.findChild<TextoConBoton*>(QString::fromLatin1(name)); };

    QComboBox* empresas = combo("cmbEmpresas");
    empresas->setCurrentIndex(empresas->findText(value("cmbEmpresas"), Qt::MatchEndsWith));
    QComboBox* meses = combo("cmbMeses");
    meses->setCurrentIndex(meses->findData(static_cast<qlonglong>(value("cmbMeses").toLongLong())));
    combo("cmbanios")->setCurrentIndex(combo("cmbanios")->findText(value("cmbanios")));
    ASSERT_GE(empresas->currentIndex(), 0);
    ASSERT_GE(meses->currentIndex(), 0);
    ASSERT_GE(combo("cmbanios")->currentIndex(), 0);
    ASSERT_EQ(check("chkValidaFile")->isChecked(), value("chkValidaFile") == "1");
    combo("cmbTipo_file")->setCurrentIndex(value("cmbTipo_file").toInt());
    ventana.findChild<QLineEdit*>(QStringLiteral("txtSeparador"))->setText(value("txtSeparador"));
    for (const char* i : {"0", "1", "2", "3"}) {
      const std::string chk = std::string("chkInfo(") + i + ")", txt = std::string("txtfile(") + i + ")";
      ASSERT_EQ(value(chk.c_str()), "1");
      check(chk.c_str())->click();
      file(txt.c_str())->setText(value(txt.c_str()));
    }
    const std::string ventas = "optTipoVentas(" + value("optTipoVentas").toStdString() + ")";
    ventana.findChild<QRadioButton*>(QString::fromStdString(ventas))->click();
    if (check("chkXML")->isChecked() != (value("chkXML") == "1")) check("chkXML")->click();
    file("txtPath")->setText(value("txtPath"));

    ventana.findChild<QPushButton*>(QStringLiteral("cmdProcesar"))->click();
  }
  vt::automation::host::setYieldHook({});
  vt::setProcessMessages(previousBoxes);
  vt::setThreadConfiguration(previous);

  EXPECT_EQ(boxesOf(transcript.str()), boxesOf(batch.out));
  EXPECT_EQ(storedRows(root.path()), batchRows);
  EXPECT_EQ(vt::testing::readFile(root.path() / "build" / "demo" / "AT052013.XML"), batchAnnex);
}

}  // namespace
}  // namespace ambrix::qt
