// gfAcumulaVentas: a sales sheet of single documents, totalled by the program per company, month,
// year, identification type, client and voucher type. Stage 1 copies the sheet into the work table
// in one transaction; stage 2 replaces the period's sales rows by the totals in another, then
// empties the period's work rows.

#include <algorithm>

#include "import/importa_ventas.hpp"
#include "import/info_file.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/profile/text_file.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "shell/core/valores.hpp"

namespace ambrix {

namespace {

constexpr const char* kTablaTrabajo = "tbAT_Ventas_x_Acumular";

// Stage 1: every sheet row into the work table. Refused rows are logged and left out of the totals;
// the answer is the store's ("OK-ERROR" when some row was refused).
std::string copiaTrabajo(IVentanaATS& frm, IBarraProgreso& prgprogreso, const std::string& co_empresa,
                         const std::string& nu_mes, const std::string& nu_anio, ContextoAlmacen& contexto) {
  prgprogreso.Min(1);
  // A sheet without rows still has a bar that can be full.
  prgprogreso.Max(std::max(gaInfoVentas->ubound(1), 1L));
  DescripcionAlmacen d{"VENTAS", {"tbAT_Ventas_x_Acumular A"}, true};
  d.sReemplazando = "";
  d.sAlmacenando = "VENTAS: Preparando informacion a acumular...";
  d.sTerminado = "";
  const std::string codigoIva = codigoIvaEmpresa();
  bool bRechazo = false;
  const std::string sEstado = gfAlmacenaPeriodo(
      frm, prgprogreso, co_empresa, nu_mes, nu_anio, d, gaInfoVentas,
      [&](AlmacenPeriodo& almacen, long fila) {
        frm.DoEvents();
        vt::automation::StringMatrix& h = *gaInfoVentas;
        convierteTipoIdVenta(h, fila);
        std::string sError;
        if (!almacen.inserta(filaVentaAcumular(almacen.contexto(), h, fila, codigoIva), kTablaTrabajo,
                             sError)) {
          almacen.rechaza("VENTAS Acumular - Registro: " + std::to_string(fila + 1) + ". " + sError +
                          "\r\n\r\n");
          bRechazo = true;
        }
        if (muestraProgreso(fila, gaInfoVentas->ubound(1))) prgprogreso.Value(fila);
        return true;
      },
      &contexto);
  if (bRechazo && (sEstado == "OK-ERROR" || sEstado == "CANCEL"))
    showBox("ALGUNOS REGISTROS NO FUERON IMPORTADOS. \r\n\r\nRevise archivo de errores: \r\n",
            vt::Icono::Informacion);
  return sEstado;
}

// Stage 2, one total: its sales row and, when that one went in, its income-tax row. A refused row
// is shown, logged and counted.
void almacenaTotal(AlmacenPeriodo& almacen, const vt::db::Recordset& rs, long grupo) {
  const std::string registro = std::to_string(grupo + 1);
  const ListaInsercion venta = filaTotalVenta(almacen.contexto(), rs);
  std::string sError;
  if (!almacen.inserta(venta, "tbAT_Ventas", sError)) {
    showBox("ERROR AL GRABAR REGISTRO \r\n   Cliente      : " +
                vt::conv::Trim(textOf(rs.field("co_cliente"))) + " | \r\n" + sError + "\r\n",
            vt::Icono::Informacion);
    almacen.rechaza("VENTAS - Grabar registro: " + registro + "\r\n" + venta.campos() + "tbAT_Ventas" +
                    venta.valores() + sError + "\r\n");
    return;
  }
  const ListaInsercion ir = filaTotalVentaIR(almacen.contexto(), rs);
  if (!almacen.inserta(ir, "tbAT_Ventas_IR", sError)) {
    showBox("Acumula total retenciones IR por cliente" + sError, vt::Icono::Informacion);
    almacen.rechaza("VENTAS IR - Grabar Registro #: " + registro + "\r\n" + ir.campos() + "tbAT_Ventas_IR" +
                    ir.valores() + "\r\n");
  }
}

// Stage 2: the totals replace the period's sales rows; the cancel flag is not looked at. "OK",
// "OK-ERROR" when a total was refused, "ERROR" (rolled back, shown) when the stage failed.
std::string almacenaTotales(IVentanaATS& frm, IBarraProgreso& prgprogreso, const std::string& co_empresa,
                            const std::string& nu_mes, const std::string& nu_anio,
                            const ContextoAlmacen& contexto) {
  try {
    const std::string sCondicion = condicionPeriodo(co_empresa, nu_mes, nu_anio, true);
    frm.XPStatusBar_Panel1("VENTAS: Acuulando informacion...");
    gConexion->beginTrans();
    eliminaPeriodo({"tbAT_Ventas A", "tbAT_Ventas_IR A"}, sCondicion);
    // A month of many clients has nearly as many totals as rows: they are read one at a time, as
    // they are stored, instead of all of them at once.
    const std::string sCondicionTotales = condicionTotalesVentas(co_empresa, nu_mes, nu_anio);
    vt::db::Recordset rs;
    gsAbreConsulta(camposTotalesVentas(), kTablaTotalesVentas, sCondicionTotales, rs,
                   vt::db::CursorType::ForwardOnly);
    if (rs.state() != vt::db::State::Open) {
      // The query has shown its error; committing now would empty the period's sales.
      deshaceTransaccion();
      return "ERROR";
    }
    frm.XPStatusBar_Panel1("Acumulando información de VENTAS...");
    prgprogreso.Min(1);
    const long lTotales = gfCuentaFilas(rs, cuentaTotalesVentas(co_empresa, nu_mes, nu_anio));
    prgprogreso.Max(std::max(lTotales, 1L));
    AlmacenPeriodo almacen(contexto, "VENTAS");
    for (long grupo = 1; !rs.eof(); ++grupo) {
      if (muestraProgreso(grupo, lTotales)) prgprogreso.Value(grupo);
      almacenaTotal(almacen, rs, grupo);
      rs.moveNext();
      frm.lblTotReg_Caption(std::to_string(grupo));
      frm.Refrescar();
      frm.DoEvents();
    }
    rs.close();
    gConexion->commitTrans();
    frm.XPStatusBar_Panel1("VENTAS: Proceso acumulacion terminado...");
    long lBorrados = 0;
    gsEliminaRegistros("tbAT_Ventas_x_Acumular A", sCondicion, lBorrados);
    return almacen.rechazados() > 0 ? "OK-ERROR" : "OK";
  } catch (...) {
    // The period's sales rows stay as they were.
    deshaceTransaccion();
    reportaFallaAlmacen("VENTAS");
    return "ERROR";
  }
}

}  // namespace

std::string gfAcumulaVentas(IVentanaATS& frm, std::string& co_empresa, std::string& nu_mes,
                            std::string& nu_anio, long&, std::int16_t&, IBarraProgreso& prgprogreso,
                            std::array<std::int16_t, 4>&) {
  vt::Err().Clear();
  ContextoAlmacen contexto;
  const std::string sCopia = copiaTrabajo(frm, prgprogreso, co_empresa, nu_mes, nu_anio, contexto);
  // Rows refused while copying are reported with the totals' own: the store goes on.
  if (sCopia != "OK" && sCopia != "OK-ERROR") return sCopia;
  const std::string sTotales = almacenaTotales(frm, prgprogreso, co_empresa, nu_mes, nu_anio, contexto);
  frm.PunteroEspera(false);
  if (sTotales == "OK" && sCopia == "OK-ERROR") return "OK-ERROR";
  return sTotales;
}

}  // namespace ambrix
