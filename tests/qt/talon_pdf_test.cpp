// The receipt printed through the window's print button to a PDF file, read back as text.

#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <filesystem>

#include "shell/core/globals.hpp"
#include "shell/qt/impresion.hpp"
#include "tests/qt/ventana_fixture.hpp"
#include "tests/support/run_program.hpp"

namespace ambrix::qt::testing {

namespace {

class TalonVentana : public VentanaTest {
 protected:
  // The window started on the fixture company of May 2013, printing the repository's report file
  // with the demo's regional separators.
  void iniciar(const std::vector<std::string>& statements) {
    prepare(statements);
    ASSERT_EQ(load(), ResultadoInicio::Completo);
    vt::currentConfiguration().sistema.gsPathReportAccess = std::string(VT_SOURCE_DIR) + "/shell/reportes/";
    vt::currentConfiguration().regional.gsSepDecimal = ",";
    vt::currentConfiguration().regional.gsSepMiles = ".";
    QComboBox* empresas = combo("cmbEmpresas");
    empresas->setCurrentIndex(empresas->findText(QStringLiteral("0992314702001"), Qt::MatchEndsWith));
    choose("cmbMeses", QStringLiteral("Mayo"));
    choose("cmbanios", QStringLiteral("2013"));
  }
  void imprimir() { control<QPushButton>("cmdImprimir")->click(); }
  ~TalonVentana() override { setRespuestaDialogo({}); }

  const std::string pdf_ = (temp_.path() / "talon.pdf").string();
};

TEST_F(TalonVentana, TheReceiptOfAPeriodPrintsToPdfWithItsSumsInTheRegionalForm) {
  iniciar(
      {"UPDATE tbEmpresas SET ds_nombre = 'Importadora \"El Puerto\" O''Brien' WHERE nu_ruc = "
       "'0992314702001'",
       "INSERT INTO tbAT_Cmprs (co_empresa, co_mes, co_anio, co_comprob, mo_base_NoIva, mo_base_0, mo_base, "
       "mo_iva, "
       "mo_ret_1) VALUES "
       "('0992314702001','05','2013','01',0,250,1000.5,120.06,36.02),('0992314702001','05','2013','01',0,0,"
       "2000,"
       "240,72),"
       "('0992314702001','05','2013','03',15.4,10,0,0,0)",
       "INSERT INTO tbAT_Cmprs_IR (co_empresa, co_mes, co_anio, co_IRcodigo, mo_IRbase, mo_IRmonto) VALUES "
       "('0992314702001','05','2013','312',3000.5,30.01)",
       "INSERT INTO tbAT_Ventas (co_empresa, co_mes, co_anio, co_comprob, mo_base_0, mo_base, mo_iva, "
       "mo_reten_IVA, "
       "mo_reten_IR) VALUES ('0992314702001','05','2013','18',0,12345.67,1481.48,0,123.46)",
       "INSERT INTO tbAT_CmptsAnu (co_empresa, co_mes, co_anio, co_comprob) VALUES "
       "('0992314702001','05','2013','01')"});
  qputenv("AMBRIX_PRINT_PDF", pdf_.c_str());
  imprimir();
  qunsetenv("AMBRIX_PRINT_PDF");
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
  const vt::testing::ProgramRun texto =
      vt::testing::runCommand("pdftotext -layout " + vt::testing::quoted(pdf_) + " -");
  ASSERT_EQ(texto.status, 0) << texto.err;
  for (const char* esperado :
       {"Razón social: Importadora \"El Puerto\" O'Brien", "0992314702001", "05/2013", "3.000,50", "360,06",
        "12.345,67", "30,01", "Sin registros en el periodo", "0918765439", "1712345675"})
    EXPECT_NE(texto.out.find(esperado), std::string::npos) << esperado << "\n" << texto.out;
}

// Closing the print dialog without printing is the report's error 5, said in the critical box.
TEST_F(TalonVentana, ACancelledPrintDialogIsTheReportsErrorAndWritesNothing) {
  iniciar({});
  setRespuestaDialogo([this](QPrintDialog& d) {
    d.printer()->setOutputFormat(QPrinter::PdfFormat);
    d.printer()->setOutputFileName(QString::fromStdString(pdf_));
    return static_cast<int>(QDialog::Rejected);
  });
  imprimir();
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(lastMessage(),
            "Ha ocurrido el error en el reporte: \r\n" + std::string(VT_SOURCE_DIR) +
                "/shell/reportes/tolvexATS_TalonResumen.rpt\r\n5: Impresión cancelada por el usuario'");
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Critico);
  EXPECT_FALSE(std::filesystem::exists(pdf_));
  EXPECT_TRUE(control<QPushButton>("cmdImprimir")->isEnabled());
}

}  // namespace
}  // namespace ambrix::qt::testing
