// The receipt printed through the window's print button to a PDF file, read back as text.

#include <gtest/gtest.h>

#include <QPushButton>
#include "shell/core/globals.hpp"
#include "shell/qt/impresion.hpp"
#include "tests/qt/ventana_fixture.hpp"
#include "tests/support/run_program.hpp"
namespace ambrix::qt::testing {

TEST_F(VentanaTest, TheReceiptOfAPeriodPrintsToPdfWithItsSumsInTheRegionalForm) {
  prepare({"INSERT INTO tbAT_Cmprs (co_empresa, co_mes, co_anio, co_comprob, mo_base_NoIva, mo_base_0, mo_base, mo_iva, mo_ret_1) VALUES "
       "('0992314702001','05','2013','01',0,250,1000.5,120.06,36.02),('0992314702001','05','2013','01',0,0,2000,240,72),"
       "('0992314702001','05','2013','03',15.4,10,0,0,0)",
       "INSERT INTO tbAT_Cmprs_IR (co_empresa, co_mes, co_anio, co_IRcodigo, mo_IRbase, mo_IRmonto) VALUES ('0992314702001','05','2013','312',3000.5,30.01)",
       "INSERT INTO tbAT_Ventas (co_empresa, co_mes, co_anio, co_comprob, mo_base_0, mo_base, mo_iva, mo_reten_IVA, mo_reten_IR) VALUES ('0992314702001','05','2013','18',0,12345.67,1481.48,0,123.46)",
       "INSERT INTO tbAT_CmptsAnu (co_empresa, co_mes, co_anio, co_comprob) VALUES ('0992314702001','05','2013','01')"});
  ASSERT_EQ(load(), ResultadoInicio::Completo);
  vt::currentConfiguration().sistema.gsPathReportAccess = std::string(VT_SOURCE_DIR) + "/shell/reportes/";
  vt::currentConfiguration().regional.gsSepDecimal = ",";
  vt::currentConfiguration().regional.gsSepMiles = ".";
  QComboBox* empresas = combo("cmbEmpresas");
  empresas->setCurrentIndex(empresas->findText(QStringLiteral("0992314702001"), Qt::MatchEndsWith));
  choose("cmbMeses", QStringLiteral("Mayo"));
  choose("cmbanios", QStringLiteral("2013"));
  const std::string pdf = (temp_.path() / "talon.pdf").string();
  qputenv("AMBRIX_PRINT_PDF", pdf.c_str());
  control<QPushButton>("cmdImprimir")->click();
  qunsetenv("AMBRIX_PRINT_PDF");
  EXPECT_TRUE(boxes_.mensajes.empty()) << lastMessage();
  // pdftotext gives the "fi" of the name as its ligature: the name is checked around it.
  const vt::testing::ProgramRun texto = vt::testing::runCommand("pdftotext -layout " + vt::testing::quoted(pdf) + " -");
  ASSERT_EQ(texto.status, 0) << texto.err;
  for (const char* esperado : {"Razón social: Importadora del Pac", "Demo Cia Ltda", "0992314702001", "05/2013", "3.000,50",
                               "360,06", "12.345,67", "30,01", "Sin registros en el periodo", "0918765439",
                               "1712345675"})
    EXPECT_NE(texto.out.find(esperado), std::string::npos) << esperado << "\n" << texto.out;
}
}
