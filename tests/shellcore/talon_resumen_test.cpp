// The print button's handler over the fixture database: the formulas and the connection text it
// hands the report control, its messages, and the document the default report file gives.

#include "shell/core/talon_resumen.hpp"

#include <gtest/gtest.h>

#include <regex>

#include "ambrix/version.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/listas.hpp"
#include "tests/support/files.hpp"
#include "tests/support/shell_fixture.hpp"
#include "tests/support/ventana_grabada.hpp"

namespace ambrix {
namespace {

class ImpresoraGrabada : public IImpresoraReporte {
 public:
  void imprimir(const DocumentoReporte& d, const std::string&) override { documentos.push_back(d); }
  std::vector<DocumentoReporte> documentos;
};

std::string plain(const std::string& html) {
  std::string t = std::regex_replace(html, std::regex("<[^>]*>"), " ");
  t = std::regex_replace(t, std::regex("&quot;"), "\"");
  return std::regex_replace(t, std::regex("\\s+"), " ");
}

class Talon : public testing::ShellTest {
 protected:
  Talon() {
    connectToCopy();
    ctx_.sistema.gsPathReportAccess = std::string(VT_SOURCE_DIR) + "/shell/reportes/";
    ctx_.regional.gsSepDecimal = ",";
    ctx_.regional.gsSepMiles = ".";
    frm_.datos.sItemEmpresa = itemEmpresaCombo("Importadora del Pacifico Demo Cia Ltda", "0992314702001");
    frm_.datos.cmbMeses_ItemData = 5;
    frm_.datos.cmbanios = "2013";
  }
  void press() { cmdImprimir_Click(frm_.datos, frm_, rpt_); }

  testing::VentanaGrabada frm_;
  ImpresoraGrabada impresora_;
  ControlReporte rpt_{impresora_};
};

TEST_F(Talon, FormulasOfTheCompanyAndPeriod) {
  exec("UPDATE tbEmpresas SET id_contador = NULL WHERE nu_ruc = '0992314702001'");
  press();
  ASSERT_EQ(impresora_.documentos.size(), 1u) << lastMessage();
  const std::pair<int, std::string> cases[] = {
      {0, "ruc = \"0992314702001\""},
      {1, "contribuyente = \"Importadora del Pacifico Demo Cia Ltda\""},
      {2, "pmes = \"05\""},
      {3, "panio = \"2013\""},
      {4, ""},
      {5, "no_reporte = \"tolvexATS_TalonResumen.rpt\""},
      {6, "ruc_Contador = \"\""},
      {7, "ruc_RepLegal = \"1712345675\""},
      {8, "no_exe = \"Ambrix " + std::string(kVersionTexto) + "\""},
      {9, ""},
  };
  for (const auto& [i, texto] : cases) EXPECT_EQ(rpt_.Formulas(i), texto) << i;
  EXPECT_EQ(rpt_.WindowTitle(), "Talon Resumen ATS");
  EXPECT_EQ(rpt_.ReportFileName(), ctx_.sistema.gsPathReportAccess + "tolvexATS_TalonResumen.rpt");
  EXPECT_EQ(rpt_.Connect(), "\"DSN=" + ctx_.gsEstacion + ";UID=" + ctx_.sistema.gsUsuarioBD +
                                ";PWD=" + ctx_.sistema.gsClaveBD + ";DSQ=" + ctx_.sistema.gsNombreBD + "\"");
  EXPECT_EQ(gConexion->state(), vt::db::State::Closed);
}

// The data source and report folder of each engine; an engine without them leaves the control's
// connection as it was and the report file without folder.
TEST(TalonConexion, ConnectionTextAndReportFolderPerEngine) {
  vt::ContextoConfiguracion ctx;
  ctx.gsEstacion = "CAJA-01";
  ctx.sistema.gsServidorBD = "srv-contable";
  ctx.sistema.gsUsuarioBD = "admin";
  ctx.sistema.gsClaveBD = "s3cr3t";
  ctx.sistema.gsNombreBD = "GLOBAL";
  ctx.sistema.gsPathReportAccess = "rep/access/";
  ctx.sistema.gsPathReportSQL = "rep/sql/";
  ctx.sistema.gsPathReportOracle = "rep/oracle/";
  const struct {
    const char* motor;
    bool tiene;
    const char* connect;
    const char* carpeta;
  } cases[] = {
      {"ACCESS", true, "\"DSN=CAJA-01;UID=admin;PWD=s3cr3t;DSQ=GLOBAL\"", "rep/access/"},
      {"Access", true, "\"DSN=CAJA-01;UID=admin;PWD=s3cr3t;DSQ=GLOBAL\"", "rep/access/"},
      {"sql", true, "\"DSN=srv-contable;UID=admin;PWD=s3cr3t;DSQ=GLOBAL\"", "rep/sql/"},
      {"ORACLE", true, "\"DSN=srv-contable;UID=admin;PWD=s3cr3t;DSQ=GLOBAL\"", "rep/oracle/"},
      {"MYSQL", false, "antes", ""},
      {"", false, "antes", ""},
  };
  for (const auto& c : cases) {
    ctx.sistema.gsMotorBD = c.motor;
    std::string connect = "antes", carpeta;
    EXPECT_EQ(conexionReporte(ctx, connect, carpeta), c.tiene) << c.motor;
    EXPECT_EQ(connect, c.connect) << c.motor;
    EXPECT_EQ(carpeta + kArchivoTalon, std::string(c.carpeta) + "tolvexATS_TalonResumen.rpt") << c.motor;
  }
}

TEST_F(Talon, TheReceiptShowsTheStoredRows) {
  exec(
      "INSERT INTO tbAT_Cmprs (co_empresa, co_mes, co_anio, co_comprob, mo_base, mo_iva) VALUES "
      "('0992314702001','05','2013','01',1000.5,120.06),('0992314702001','05','2013','01',2000,240),"
      "('0992314702001','05','2013','03',10,0)");
  exec("UPDATE tbEmpresas SET ds_nombre = 'Comercial \"La Andina\"' WHERE nu_ruc = '0992314702001'");
  frm_.datos.sItemEmpresa = itemEmpresaCombo("Comercial \"La Andina\"", "0992314702001");
  press();
  ASSERT_EQ(impresora_.documentos.size(), 1u) << lastMessage();
  const std::string t = plain(impresora_.documentos[0].html);
  for (const char* s : {"Comercial \"La Andina\"", "0992314702001", "05/2013", "3.000,50", "360,06",
                        "1712345675", "0918765439"})
    EXPECT_NE(t.find(s), std::string::npos) << s << "\n" << t;
}

TEST_F(Talon, MessagesOfTheHandler) {
  frm_.datos.sItemEmpresa = "";
  press();
  EXPECT_EQ(lastMessage(), kMensajeSinEmpresa);
  frm_.datos.sItemEmpresa = itemEmpresaCombo("Nadie", "0999999999001");
  press();
  EXPECT_EQ(lastMessage(), kMensajeEmpresaNoEncontrada);
  frm_.datos.sItemEmpresa = itemEmpresaCombo("Importadora", "0992314702001");
  ctx_.sistema.gsPathReportAccess = temp_.path().string() + "/";
  press();
  EXPECT_EQ(lastMessage().substr(0, 38), "Ha ocurrido el error en el reporte: \r\n");
  EXPECT_NE(lastMessage().find("\r\n1: "), std::string::npos) << lastMessage();
  vt::testing::writeFile(temp_.path() / kArchivoTalon, "<reporte>\n  <texto>\n</reporte>\n");
  press();
  EXPECT_NE(lastMessage().find("\r\n2: Archivo de reporte mal formado (3:"), std::string::npos)
      << lastMessage();
  EXPECT_TRUE(impresora_.documentos.empty());
}

}  // namespace
}  // namespace ambrix
