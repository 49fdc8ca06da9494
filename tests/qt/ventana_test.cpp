// The main window offscreen: its start-up, the handlers that keep the controls consistent, and
// the process and cancel buttons running the main action with the widgets' values.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <map>

#include "shell/core/fecha_actual.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/procesar.hpp"
#include "ambrix/version.hpp"
#include "shell/qt/centra_form.hpp"
#include "shell/qt/texto_con_boton.hpp"
#include "tests/qt/ventana_fixture.hpp"
#include "tests/support/files.hpp"

namespace ambrix::qt::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(VentanaTest, StartUpFillsTheListsAndShowsTheWindow) {
  ASSERT_EQ(load(), ResultadoInicio::Completo) << lastMessage();
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
  EXPECT_TRUE(ventana_.isVisible());
  EXPECT_EQ(ventana_.windowTitle().toStdString(),
            "Tolvex - Anexo Transaccional Simplificado (ATS) versión: " + std::string(kVersionTexto));
  EXPECT_EQ(
      control<QPlainTextEdit>("lblmensaje")->toPlainText().toStdString(),
      "Importa la información desde un achivo Excel. Valida y genera archivo 'ATmmaaaa.XML' para un periodo "
      "específico.\n\nFicha técnica: Ene-2009   DIMM: ver 1.0.2\n\n");
  QComboBox* empresas = combo("cmbEmpresas");
  ASSERT_EQ(empresas->count(), 2);
  EXPECT_EQ(empresas->currentIndex(), 0);
  const vt::conv::Date hoy = currentDateTime().date;
  EXPECT_EQ(combo("cmbMeses")->currentText().toStdString(), gaMeses[static_cast<size_t>(hoy.month - 1)]);
  EXPECT_EQ(combo("cmbanios")->currentText(), QString::number(hoy.year));
  EXPECT_TRUE(combo("cmbTipo_file")->currentText().startsWith(QStringLiteral("Excel (*.xls)|(*.xlsx)")));
  EXPECT_EQ(combo("cmbValidaCompras")->currentText(), QStringLiteral("<< No validar >>"));
  EXPECT_FALSE(control<QLineEdit>("txtSeparador")->isVisibleTo(&ventana_));
  EXPECT_FALSE(check("chkXML")->isChecked());
  EXPECT_TRUE(control<QLineEdit>("txtFileATS_XML")->text().isEmpty());
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "12");
}

TEST_F(VentanaTest, ACommandLineThatIsNoHostWindowRunsTheWindowOnItsOwn) {
  struct Case {
    const char* linea;
    const char* reason;
  };
  for (const Case& c :
       {Case{"", "no command line"}, Case{"abc", "not a number"}, Case{"12x", "trailing text"},
        Case{"0", "no window is 0"}, Case{"-5", "negative"}, Case{"99999999999", "wider than a window id"},
        Case{"4242", "a number, but the offscreen platform has no foreign windows"}}) {
    SCOPED_TRACE(c.reason);
    EXPECT_EQ(load(c.linea), ResultadoInicio::Completo) << lastMessage();
    EXPECT_EQ(gvLineaComando, c.linea);
    EXPECT_EQ(glHwndPadre, 0);
    EXPECT_TRUE(ventana_.isVisible());
    combo("cmbEmpresas")->clear();
    combo("cmbMeses")->clear();
    combo("cmbanios")->clear();
    combo("cmbTipo_file")->clear();
  }
}

TEST_F(VentanaTest, SettingsThatCannotBeLoadedCloseTheWindowOtherFailuresLeaveItOpen) {
  fs::rename(temp_.path() / "global.mdb", temp_.path() / "otra.mdb");
  EXPECT_EQ(load(), ResultadoInicio::SinConexion);
  EXPECT_TRUE(ventana_.isVisible());
  EXPECT_EQ(combo("cmbEmpresas")->count(), 0);

  fs::remove(temp_.path() / "TAXCONFIG.INI");
  boxes_.mensajes.clear();
  ventana_.hide();
  EXPECT_EQ(load(), ResultadoInicio::ConfiguracionFallida);
  EXPECT_FALSE(ventana_.isVisible());
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
}

// Where the sales option moves the rows, the frame and the XML option (twips / 15).
std::map<std::string, QRect> sheetGeometry(const QWidget& v) {
  std::map<std::string, QRect> g;
  for (const char* n : {"fraArchivo", "pnlVentas", "chkInfo(0)", "chkInfo(1)", "chkInfo(2)", "chkInfo(3)",
                        "txtfile(2)", "txtfile(3)", "chkXML", "fraXML"})
    g[n] = v.findChild<QWidget*>(QString::fromLatin1(n))->geometry();
  return g;
}

TEST_F(VentanaTest, TickingSalesOpensItsPanelAndUntickingPutsEveryRowBack) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  const std::map<std::string, QRect> antes = sheetGeometry(ventana_);
  EXPECT_EQ(antes.at("fraArchivo").height(), 1725 / 15);
  EXPECT_EQ(antes.at("chkXML").y(), 4260 / 15);
  EXPECT_EQ(antes.at("pnlVentas").y(), 1620 / 15);
  EXPECT_EQ(antes.at("chkInfo(2)").y(), 900 / 15);
  EXPECT_EQ(antes.at("chkInfo(3)").y(), 1260 / 15);
  QWidget* panel = control<QWidget>("pnlVentas");
  for (int vez = 0; vez < 2; ++vez) {
    check("chkInfo(1)")->click();
    const std::map<std::string, QRect> abierto = sheetGeometry(ventana_);
    EXPECT_TRUE(panel->isVisibleTo(&ventana_));
    EXPECT_TRUE(control<TextoConBoton>("txtfile(1)")->isEnabled());
    EXPECT_EQ(abierto.at("fraArchivo").height(), 2460 / 15);
    EXPECT_EQ(abierto.at("chkXML").y(), 4920 / 15);
    EXPECT_GE(abierto.at("chkInfo(2)").y(), abierto.at("pnlVentas").bottom());
    EXPECT_EQ(abierto.at("fraXML").y() - abierto.at("chkXML").y(),
              antes.at("fraXML").y() - antes.at("chkXML").y());
    check("chkInfo(1)")->click();
    EXPECT_FALSE(panel->isVisibleTo(&ventana_));
    EXPECT_FALSE(control<TextoConBoton>("txtfile(1)")->isEnabled());
    EXPECT_EQ(sheetGeometry(ventana_), antes) << "vez " << vez;
  }
}

TEST_F(VentanaTest, EachSheetBoxEnablesItsOwnFileBox) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  for (const char* n : {"txtfile(0)", "txtfile(2)", "txtfile(3)"})
    EXPECT_FALSE(control<TextoConBoton>(n)->isEnabled());
  check("chkInfo(3)")->click();
  EXPECT_TRUE(control<TextoConBoton>("txtfile(3)")->isEnabled());
  EXPECT_FALSE(control<TextoConBoton>("txtfile(0)")->isEnabled());
  check("chkValidaFile")->click();
  EXPECT_FALSE(control<QWidget>("fraArchivo")->isEnabled());
  check("chkValidaFile")->click();
  EXPECT_TRUE(control<QWidget>("fraArchivo")->isEnabled());
}

TEST_F(VentanaTest, TheWholeYearHidesTheXmlOptionAfterItsMessageAndClearingItBringsItBack) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  choose("cmbMeses", QStringLiteral("Mayo"));
  choose("cmbanios", QStringLiteral("2013"));
  check("chkXML")->click();
  ASSERT_EQ(control<QLineEdit>("txtFileATS_XML")->text(), QStringLiteral("AT052013.XML"));

  check("Chkanio")->click();
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(boxes_.mensajes[0].texto, kMensajeAnioCompleto);
  EXPECT_EQ(boxes_.mensajes[0].titulo, gsTitulo);
  EXPECT_FALSE(combo("cmbMeses")->isEnabled());
  EXPECT_FALSE(check("chkXML")->isVisibleTo(&ventana_));
  EXPECT_FALSE(check("chkXML")->isChecked());
  EXPECT_FALSE(control<QWidget>("fraXML")->isVisibleTo(&ventana_));
  EXPECT_TRUE(control<QLineEdit>("txtFileATS_XML")->text().isEmpty());

  check("Chkanio")->click();
  EXPECT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_TRUE(combo("cmbMeses")->isEnabled());
  EXPECT_TRUE(check("chkXML")->isVisibleTo(&ventana_));
  EXPECT_TRUE(check("chkXML")->isChecked());
  EXPECT_TRUE(control<QWidget>("fraXML")->isVisibleTo(&ventana_));
  EXPECT_EQ(control<QLineEdit>("txtFileATS_XML")->text(), QStringLiteral("AT052013.XML"));
}

TEST_F(VentanaTest, TheXmlFileNameFollowsMonthYearAndTheXmlOption) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  QLineEdit* nombre = control<QLineEdit>("txtFileATS_XML");
  check("chkXML")->click();
  EXPECT_TRUE(control<QWidget>("fraXML")->isVisibleTo(&ventana_));
  struct Case {
    const char* mes;
    const char* anio;
    const char* nombre;
  };
  for (const Case& c : {Case{"Diciembre", "2013", "AT122013.XML"}, Case{"Enero", "2013", "AT012013.XML"},
                        Case{"Enero", "2002", "AT012002.XML"}}) {
    choose("cmbMeses", QString::fromUtf8(c.mes));
    choose("cmbanios", QString::fromUtf8(c.anio));
    EXPECT_EQ(nombre->text().toStdString(), c.nombre);
  }
  combo("cmbEmpresas")->setCurrentIndex(1);
  EXPECT_EQ(nombre->text(), QStringLiteral("AT012002.XML"));
  check("chkXML")->click();
  EXPECT_TRUE(nombre->text().isEmpty());
  EXPECT_FALSE(control<QWidget>("fraXML")->isVisibleTo(&ventana_));
  EXPECT_FALSE(control<QWidget>("fraXML")->isEnabled());
}

TEST_F(VentanaTest, CsvShowsTheSeparator) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  combo("cmbTipo_file")->setCurrentIndex(1);
  EXPECT_TRUE(control<QLabel>("lblSeparador")->isVisibleTo(&ventana_));
  EXPECT_TRUE(control<QLineEdit>("txtSeparador")->isVisibleTo(&ventana_));
  combo("cmbTipo_file")->setCurrentIndex(0);
  EXPECT_FALSE(control<QLabel>("lblSeparador")->isVisibleTo(&ventana_));
  EXPECT_FALSE(control<QLineEdit>("txtSeparador")->isVisibleTo(&ventana_));
}

TEST_F(VentanaTest, ChoosingACompanyLoadsItsOwnParameters) {
  prepare({"UPDATE tbParaSistema SET po_iva = 14 WHERE co_empresa = '0992314702001'"});
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "12");
  QComboBox* empresas = combo("cmbEmpresas");
  empresas->setCurrentIndex(empresas->findText(QStringLiteral("0992314702001"), Qt::MatchEndsWith));
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "14");
  empresas->setCurrentIndex(empresas->findText(QStringLiteral("1792045185001"), Qt::MatchEndsWith));
  EXPECT_EQ(gParametrosEmpresa.gsPorcIVA, "12");
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
}

TEST_F(VentanaTest, WithoutParametersNoCompanyIsSelected) {
  prepare({"DELETE FROM tbParaSistema"});
  EXPECT_EQ(load(), ResultadoInicio::SinParametros);
  EXPECT_EQ(lastMessage(), kMensajeSinParametros);
  EXPECT_TRUE(ventana_.isVisible());
  EXPECT_EQ(combo("cmbEmpresas")->currentIndex(), -1);
  EXPECT_EQ(combo("cmbValidaCompras")->count(), 0);
}

TEST_F(VentanaTest, TheCancelButtonClearsTheCancelFlagAndDisablesItself) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  QPushButton* cancelar = control<QPushButton>("cmdCancel");
  EXPECT_FALSE(cancelar->isEnabled());
  gbContinuarProceso = true;
  ventana_.cmdCancel_Enabled(true);
  cancelar->click();
  EXPECT_FALSE(gbContinuarProceso);
  EXPECT_FALSE(cancelar->isEnabled());
}

TEST_F(VentanaTest, TheProcessButtonRunsTheMainActionWithTheWindowsValues) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  const std::string hoja = (temp_.path() / "compras.csv").string();
  vt::testing::writeFile(hoja, "cabecera\r\n");
  QComboBox* empresas = combo("cmbEmpresas");
  empresas->setCurrentIndex(empresas->findText(QStringLiteral("0992314702001"), Qt::MatchEndsWith));
  choose("cmbMeses", QStringLiteral("Marzo"));
  choose("cmbanios", QStringLiteral("2013"));
  combo("cmbTipo_file")->setCurrentIndex(1);
  control<QLineEdit>("txtSeparador")->setText(QStringLiteral(";"));
  check("chkInfo(0)")->click();
  control<TextoConBoton>("txtfile(0)")->setText(QString::fromStdString(hoja));
  check("chkInfo(1)")->click();
  control<TextoConBoton>("txtfile(1)")->setText(QString::fromStdString(hoja));
  control<QRadioButton>("optTipoVentas(0)")->click();
  check("chkValidaBases")->click();
  check("chkConvertirRUC")->click();
  check("ChkCabecera")->click();
  control<QSpinBox>("txtDecimales")->setValue(2);
  combo("cmbValidaCompras")->setCurrentIndex(3);
  check("chkXML")->click();
  check("chkfile_XML(2)")->click();
  control<TextoConBoton>("txtPath")->setText(QString::fromStdString(temp_.path().string()));
  control<QLineEdit>("txtFileATS_XML")->setText(QStringLiteral("marzo"));

  control<QPushButton>("cmdProcesar")->click();

  ASSERT_EQ(importador_.pasadas.size(), 2u) << lastMessage();
  const ParamProcesoATS& p = importador_.pasadas[0];
  EXPECT_EQ(p.ti_proceso, 1);
  EXPECT_EQ(importador_.pasadas[1].ti_proceso, 2);
  EXPECT_EQ(p.frm, &ventana_);
  EXPECT_EQ(p.co_empresa, "0992314702001");
  EXPECT_EQ(p.nu_mes, "3");
  EXPECT_EQ(p.nu_anio, "2013");
  EXPECT_EQ(p.Chkanio, 0);
  EXPECT_EQ(p.asArchivos, (std::array<std::string, 4>{hoja, hoja, "", ""}));
  EXPECT_EQ(p.sSeparador, ";");
  EXPECT_EQ(p.ChkCabecera, 0);
  EXPECT_EQ(p.dDecRedondeo, 2);
  EXPECT_EQ(p.cmbValidaCompras, 3);
  EXPECT_EQ(p.iOpciones, (std::array<std::int16_t, 4>{1, 1, 1, 0}));
  EXPECT_EQ(p.prgprogreso, &ventana_.prgprogreso());
  ASSERT_EQ(generador_.llamadas.size(), 1u);
  const ParamGeneraXML& x = generador_.llamadas[0];
  EXPECT_EQ(x.sRuc, "0992314702001");
  EXPECT_EQ(x.aSecciones, (std::array<std::string, 4>{"1", "1", "0", "1"}));
  EXPECT_EQ(control<QLineEdit>("txtFileATS_XML")->text(), QStringLiteral("marzo.XML"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(VentanaTest, DuringARunTheProcessButtonIsIgnoredAndClosingWaitsForTheEnd) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  const std::string hoja = (temp_.path() / "compras.csv").string();
  vt::testing::writeFile(hoja, "cabecera\r\n");
  check("chkInfo(0)")->click();
  control<TextoConBoton>("txtfile(0)")->setText(QString::fromStdString(hoja));
  bool cerrada = false;
  importador_.alProcesar = [&](ParamProcesoATS&) {
    if (importador_.pasadas.size() != 1) return;
    EXPECT_TRUE(ventana_.enProceso());
    control<QPushButton>("cmdProcesar")->click();
    control<QPushButton>("cmdImprimir")->click();
    gbContinuarProceso = true;
    ventana_.close();
    cerrada = !ventana_.isVisible();
  };
  importador_.estados = {"CANCEL"};
  control<QPushButton>("cmdProcesar")->click();
  EXPECT_EQ(importador_.pasadas.size(), 1u);
  EXPECT_FALSE(cerrada);
  EXPECT_FALSE(gbContinuarProceso);
  EXPECT_FALSE(ventana_.isVisible());
  EXPECT_FALSE(ventana_.enProceso());
  // The print button said nothing during the run; the run's own message is the last.
  for (const auto& m : boxes_.mensajes) EXPECT_EQ(m.texto.find("talón"), std::string::npos) << m.texto;
}

TEST_F(VentanaTest, EnterMovesToTheNextControlWhereThePartSaysSo) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  ventana_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana_));
  for (const char* n : {"cmbEmpresas", "cmbMeses", "cmbanios", "ChkCabecera"}) {
    QWidget* w = control<QWidget>(n);
    w->setFocus();
    ASSERT_TRUE(w->hasFocus()) << n;
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_FALSE(w->hasFocus()) << n;
  }
}

TEST_F(VentanaTest, TheBarGivesBackWhatTheCoreSetEvenOutsideItsRange) {
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  IBarraProgreso& barra = ventana_.prgprogreso();
  barra.Min(0);
  barra.Max(1);
  barra.Value(5);
  EXPECT_EQ(barra.Value(), 5);
  EXPECT_EQ(control<QProgressBar>("prgprogreso")->value(), 1);
  barra.Max(100);
  EXPECT_EQ(control<QProgressBar>("prgprogreso")->value(), 5);
}

TEST_F(VentanaTest, TheHourglassIsAStateNotAStack) {
  ventana_.PunteroEspera(true);
  ventana_.PunteroEspera(true);
  EXPECT_NE(QApplication::overrideCursor(), nullptr);
  ventana_.PunteroEspera(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ventana_.PunteroEspera(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(CentraForm, CentresLeftOfAndAboveTheMiddleButNeverOffTheArea) {
  struct Case {
    QRect area;
    QSize ventana;
    QPoint esperado;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {{0, 0, 1920, 1080}, {728, 500}, {(1920 - 728) / 2 - 100, (1080 - 500) / 2 - 66}, "room on every side"},
      {{0, 0, 800, 600}, {728, 500}, {0, 0}, "a small screen: at the corner, not at a negative place"},
      {{100, 50, 800, 1080}, {728, 500}, {100, 50 + (1080 - 500) / 2 - 66}, "the area's own origin counts"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    EXPECT_EQ(centeredPosition(c.area, c.ventana), c.esperado);
  }
}

}  // namespace
}  // namespace ambrix::qt::testing
