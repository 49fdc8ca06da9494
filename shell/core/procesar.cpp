#include "shell/core/procesar.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/profile/configuracion.hpp"
#include "platform/profile/perfil.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/bitacora_errores.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/listas.hpp"
#include "shell/core/procesar_checks.hpp"

namespace ambrix {

namespace {

using vt::conv::Trim;
using vt::conv::Upper;

// Company, month and year of the run as the import and the writer receive them.
struct Periodo {
  std::string sRuc;
  std::string sMes;
  std::string sAnio;
};

Periodo periodOf(const DatosVentanaATS& d) {
  return {vt::conv::FormatNumberText(gfCodigoCombo(d.sItemEmpresa), "0000000000000"),
          std::to_string(d.cmbMeses_ItemData), d.cmbanios};
}

ParamProcesoATS importArguments(const DatosVentanaATS& d, IVentanaATS& frm, const Periodo& p) {
  ParamProcesoATS a;
  a.frm = &frm;
  a.co_empresa = p.sRuc;
  a.nu_mes = p.sMes;
  a.nu_anio = p.sAnio;
  for (std::size_t i = 0; i < d.txtfile.size(); ++i) a.asArchivos[i] = d.chkInfo[i] == 1 ? d.txtfile[i] : "";
  a.iOpciones = {static_cast<std::int16_t>(d.optTipoVentas == 0 ? 1 : 0),
                 static_cast<std::int16_t>(d.chkValidaBases), static_cast<std::int16_t>(d.chkConvertirRUC),
                 0};
  a.ChkCabecera = static_cast<std::int16_t>(d.ChkCabecera);
  a.sSeparador = d.txtSeparador;
  a.dDecRedondeo = d.txtDecimales;
  a.cmbValidaCompras = static_cast<std::int16_t>(d.cmbValidaCompras);
  a.Chkanio = static_cast<std::int16_t>(d.Chkanio);
  a.prgprogreso = &frm.prgprogreso();
  return a;
}

// A log the viewer cannot load is reported and the run goes on.
void openViewer(IVentanaATS& frm) {
  try {
    frm.AbrirVisorErrores(kTituloVisorErrores, gsRutaLog);
  } catch (...) {
    reportUnexpectedError();
  }
  frm.PunteroEspera(false);
}

// The messages common to the two passes; "OK-ERROR" is the store's own. A pass that failed
// without writing to the log (a sheet that could not be loaded, a store that failed whole) has
// already said why: an empty log is not offered.
void reportPassStatus(const std::string& sEstado, IVentanaATS& frm) {
  const std::string estado = Upper(sEstado);
  if (estado == "ERROR") {
    if (!errorLogHasEntries()) return;
    const std::string texto =
        "Existen errores en información...\r\n\r\n¿Desea ver errores en archivo: " + gsArchivoLog + " ? ";
    if (vt::currentMessages().mostrar(texto, vt::Botones::SiNo, vt::Icono::Pregunta, gsTitulo) ==
        vt::Respuesta::Si)
      openViewer(frm);
  } else if (estado == "CANCEL") {
    showBox("Proceso Cancelado. ", vt::Icono::Informacion);
  } else if (estado == "OK-ERROR") {
    showBox(
        "* Importación de archivo OK, pero algunos registros no fueron importados. \r\n* Revise archivo " +
            gsRutaLog,
        vt::Icono::Informacion);
    openViewer(frm);
  }
}

// The window after a pass; bBarraACero also sets the bar back to 0 of 1.
void resetAfterPass(IVentanaATS& frm, bool bBarraACero) {
  frm.XPStatusBar_Panel1("");
  IBarraProgreso& prg = frm.prgprogreso();
  if (bBarraACero) {
    prg.Value(0);
    prg.Max(1);
  }
  prg.Visible(false);
  frm.lblTotReg_Caption("");
  frm.lblTotReg_Visible(true);
  frm.cmdCancel_Enabled(false);
  frm.PunteroEspera(false);
}

void resetAtEnd(IVentanaATS& frm) {
  frm.PunteroEspera(false);
  IBarraProgreso& prg = frm.prgprogreso();
  prg.Value(0);
  prg.Min(0);
  prg.Max(1);
  prg.Visible(false);
  frm.XPStatusBar_Panel1("");
  frm.lblTotReg_Caption("");
  frm.lblTotReg_Visible(true);
  frm.cmdCancel_Enabled(false);
}

// The validation pass (or the plain load of a store-only run) then the store pass. False when
// the run stops; a.finAlmacen then says what the store pass did.
bool importSheets(const DatosVentanaATS& d, IVentanaATS& frm, IImportadorATS& importador, ParamProcesoATS& a,
                  FinProceso& fin) {
  std::string sEstado = "OK";
  if (d.chkSinValidar == 1) {
    // Never store what an earlier run left in memory: the sheets named now are loaded first.
    std::string sError;
    if (!importador.gfCargaHojas(a, sError)) {
      showBox("Proceso cancelado. \r\n" + sError, vt::Icono::Informacion);
      sEstado = "ERROR";
    }
  } else {
    a.ti_proceso = 1;
    sEstado = importador.gfProcesaArchivoATS(a);
    if (Upper(sEstado) != "OK-ERROR") reportPassStatus(sEstado, frm);
  }
  if (Upper(Trim(sEstado)) != "OK") {
    resetAfterPass(frm, false);
    return false;
  }
  a.ti_proceso = 2;
  const std::string sAlmacen = Upper(Trim(importador.gfProcesaArchivoATS(a)));
  reportPassStatus(sAlmacen, frm);
  resetAfterPass(frm, true);
  // A store that failed kept the earlier period: neither success nor an annex of the old data.
  if (sAlmacen == "ERROR" || sAlmacen.empty() || a.finAlmacen == FinAlmacen::Fallido) {
    fin = FinProceso::Fallido;
    return false;
  }
  showBox("Proceso de validacion terminado OK.", vt::Icono::Informacion);
  return true;
}

// False when the run stops (no folder, or the writer failed: it showed why, and no file name is
// recorded for a file that was not written).
bool writeXml(const DatosVentanaATS& d, IVentanaATS& frm, IGeneradorXML& generador, const Periodo& p,
              FinProceso& fin) {
  ParamGeneraXML x;
  for (std::size_t i = 0; i < d.chkfile_XML.size(); ++i) x.aSecciones[i] = d.chkfile_XML[i] == 1 ? "1" : "0";
  if (Trim(d.txtPath).empty()) {
    showBox("No ha seleccionado carpeta para archivo XML", vt::Icono::Informacion);
    frm.PunteroEspera(false);
    return false;
  }
  IBarraProgreso& prg = frm.prgprogreso();
  prg.Visible(true);
  prg.Value(0);
  prg.Max(1);
  frm.XPStatusBar_Panel1(std::string("Generando archivo ") + gsPrefijoXML + p.sMes + p.sAnio + ".xml");
  x.frm = &frm;
  x.sRuc = p.sRuc;
  x.sMes = p.sMes;
  x.sAnio = p.sAnio;
  x.prgprogreso = &prg;
  gsConectaBD();
  frm.Refrescar();
  frm.DoEvents();
  const bool guardado = generador.GeneraXML_ATS(x);
  gsCierraBD();
  if (!guardado) {
    resetAtEnd(frm);
    fin = FinProceso::Fallido;
    return false;
  }
  showBox("Archivo " + d.txtFileATS_XML + " generado con éxito.", vt::Icono::Informacion);
  return true;
}

bool run(DatosVentanaATS& d, IVentanaATS& frm, IImportadorATS& importador, IGeneradorXML& generador,
         FinProceso& fin) {
  gsArchivoLog.clear();
  IBarraProgreso& prg = frm.prgprogreso();
  prg.Value(0);
  prg.Min(0);
  if (!choicesAreValid(d, frm)) return false;

  frm.PunteroEspera(true);
  Periodo p = periodOf(d);
  const vt::ConfiguracionSistema& cfg = vt::currentConfiguration().sistema;
  FinAlmacen almacen = FinAlmacen::Completo;
  if (d.chkValidaFile == 1) {
    if (!createErrorLog(cfg.gsPathLog, p.sAnio, p.sMes)) {
      frm.PunteroEspera(false);
      return false;
    }
    ParamProcesoATS a = importArguments(d, frm, p);
    if (!importSheets(d, frm, importador, a, fin)) return false;
    almacen = a.finAlmacen;
  }
  if (d.chkXML == 1 && !writeXml(d, frm, generador, p, fin)) return false;

  // A cancelled store let the run go on to the XML file, but its sheet kept its earlier period.
  if (almacen == FinAlmacen::Cancelado)
    fin = FinProceso::Detenido;
  else
    fin = almacen == FinAlmacen::ConRechazos ? FinProceso::ConRechazos : FinProceso::Completo;
  resetAtEnd(frm);
  return vt::gsEscribeIni("PATH_Files", "ATS", d.txtFileATS_XML, cfg.gsPathApp + vt::kArchivoConfiguracion);
}

}  // namespace

bool cmdProcesar_Click(DatosVentanaATS& datos, IVentanaATS& frm, IImportadorATS& importador,
                       IGeneradorXML& generador, FinProceso* pFin) {
  FinProceso fin = FinProceso::Detenido;
  if (!pFin) pFin = &fin;
  *pFin = FinProceso::Detenido;
  try {
    return run(datos, frm, importador, generador, *pFin);
  } catch (...) {
    *pFin = FinProceso::Fallido;
    // The action has no handler of its own in the window: an error of a routine it calls is
    // reported and the window given back.
    reportUnexpectedError();
    gsCierraBD();
    resetAtEnd(frm);
    return false;
  }
}

void cmdCancel_Click(IVentanaATS& frm) {
  gbContinuarProceso = false;
  frm.cmdCancel_Enabled(false);
}

}  // namespace ambrix
