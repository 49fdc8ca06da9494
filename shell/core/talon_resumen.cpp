#include "shell/core/talon_resumen.hpp"

#include "ambrix/version.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/muestra_error.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/listas.hpp"
#include "shell/core/sentencias.hpp"
#include "shell/core/valores.hpp"

namespace ambrix {

bool conexionReporte(const vt::ContextoConfiguracion& ctx, std::string& sConnect, std::string& sCarpeta) {
  const vt::ConfiguracionSistema& s = ctx.sistema;
  const std::string motor = vt::conv::Upper(s.gsMotorBD);
  std::string origen;
  if (motor == "ACCESS") {
    sCarpeta = s.gsPathReportAccess;
    origen = ctx.gsEstacion;
  } else if (motor == "SQL") {
    sCarpeta = s.gsPathReportSQL;
    origen = s.gsServidorBD;
  } else if (motor == "ORACLE") {
    sCarpeta = s.gsPathReportOracle;
    origen = s.gsServidorBD;
  } else {
    return false;
  }
  sConnect =
      "\"DSN=" + origen + ";UID=" + s.gsUsuarioBD + ";PWD=" + s.gsClaveBD + ";DSQ=" + s.gsNombreBD + "\"";
  return true;
}

std::string versionPrograma() { return std::string(gsTituloApp) + " " + kVersionTexto; }

namespace {

void imprimir(const DatosVentanaATS& d, IVentanaATS& frm, IControlReporte& rpt) {
  gsConectaBD();
  const std::string sRuc = vt::conv::Trim(gfCodigoCombo(d.sItemEmpresa));
  if (sRuc.empty()) {
    showBox(kMensajeSinEmpresa, vt::Icono::Informacion);
    return;
  }
  vt::db::Recordset rs;
  gsAbreConsulta("*", "tbEmpresas", "where nu_ruc = " + vt::db::quoteSql(sRuc), rs);
  if (rs.state() != vt::db::State::Open) return;  // the failed query was shown
  if (rs.eof()) {
    showBox(kMensajeEmpresaNoEncontrada, vt::Icono::Informacion);
    return;
  }
  const std::string sContador = vt::conv::Trim(textOf(rs.field("id_contador")));
  const std::string sGerente = vt::conv::Trim(textOf(rs.field("id_gerente")));
  rs.close();

  std::string sConnect, sCarpeta;
  if (conexionReporte(vt::currentConfiguration(), sConnect, sCarpeta)) rpt.Connect(sConnect);

  frm.PunteroEspera(true);
  const std::string sMes = vt::conv::FormatNumber(static_cast<double>(d.cmbMeses_ItemData), "00");
  const std::string sAnio = gfCodigoCombo(d.cmbanios);
  rpt.AjustesImpresion({1, 0, 0, 2}, "");
  rpt.ReportFileName(sCarpeta + kArchivoTalon);
  rpt.WindowTitle(kTituloTalon);
  rpt.Formulas(0, textoFormula("ruc", vt::conv::FormatNumberText(sRuc, "0000000000000")));
  rpt.Formulas(1, textoFormula("contribuyente", gfNombreCombo(d.sItemEmpresa)));
  rpt.Formulas(2, textoFormula("pmes", sMes));
  rpt.Formulas(3, textoFormula("panio", sAnio));
  rpt.Formulas(5, textoFormula("no_reporte", kArchivoTalon));
  rpt.Formulas(6, textoFormula("ruc_Contador", sContador));
  rpt.Formulas(7, textoFormula("ruc_RepLegal", sGerente));
  rpt.Formulas(8, textoFormula("no_exe", versionPrograma()));
  rpt.Formulas(9, "");
  if (rpt.PrintReport() > 0) {
    showBox("Ha ocurrido el error en el reporte: \r\n" + rpt.ReportFileName() + "\r\n" +
                std::to_string(rpt.LastErrorNumber()) + ": " + rpt.LastErrorString() + "'",
            vt::Icono::Critico);
  }
}

}  // namespace

// The connection opened for the receipt is closed at the end, whatever happened.
void cmdImprimir_Click(const DatosVentanaATS& d, IVentanaATS& frm, IControlReporte& rptTalonResumen) {
  try {
    imprimir(d, frm, rptTalonResumen);
  } catch (...) {
    frm.PunteroEspera(false);
    reportUnexpectedError();
  }
  frm.PunteroEspera(false);
  try {
    gsCierraBD();
  } catch (...) {
  }
}

}  // namespace ambrix
