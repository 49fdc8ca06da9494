#include <string>

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "shell/core/sentencias.hpp"
#include "xml/documento_ats.hpp"
#include "xml/lectura.hpp"
#include "xml/seccion.hpp"

namespace ambrix::xml {

namespace {

using vt::db::quoteSql;

// Credit notes are stored negated; the detail shows them positive again.
constexpr double kNotaCredito = 4;

struct ColumnasVenta {
  explicit ColumnasVenta(const vt::db::Recordset& rs) {
    const Columnas n(rs);
    co_tipoID = n("co_tipoID"), co_cliente = n("co_cliente"), co_comprob = n("co_comprob");
    nu_comprob = n("nu_comprob"), mo_base_NoIVA = n("mo_base_NoIVA"), mo_base_0 = n("mo_base_0");
    mo_base = n("mo_base"), mo_iva = n("mo_iva"), mo_reten_IVA = n("mo_reten_IVA"),
    mo_reten_IR = n("mo_reten_IR");
  }
  int co_tipoID, co_cliente, co_comprob, nu_comprob, mo_base_NoIVA, mo_base_0, mo_base, mo_iva, mo_reten_IVA,
      mo_reten_IR;
};

void detalleVentas(const vt::db::Recordset& rs, const ColumnasVenta& c, EscritorXml& d) {
  const auto [co_tipoID, co_cliente, co_comprob, nu_comprob, mo_base_NoIVA, mo_base_0, mo_base, mo_iva,
              mo_reten_IVA, mo_reten_IR] = c;
  const std::string sTipoID = texto(rs.field(co_tipoID));
  const double dComprobante = valorNumerico(rs.field(co_comprob));
  const double dSigno = dComprobante == kNotaCredito ? -1 : 1;

  d.abre("detalleVentas");
  d.elemento("tpIdCliente", sTipoID);
  // A cédula (type 05) is stored padded to thirteen digits and written with its ten.
  d.elemento("idCliente", conMascara(rs.field(co_cliente),
                                     vt::conv::LeadingNumber(sTipoID) == 5 ? "0000000000" : "0000000000000"));
  d.elemento("tipoComprobante", vt::conv::FormatNumber(dComprobante, "00"));
  d.elemento("numeroComprobantes", texto(rs.field(nu_comprob)));
  d.elemento("baseNoGraIva", importe(dSigno * numeroOCero(rs.field(mo_base_NoIVA))));
  d.elemento("baseImponible", importe(rs.field(mo_base_0), dSigno));
  d.elemento("baseImpGrav", importe(rs.field(mo_base), dSigno));
  d.elemento("montoIva", importe(rs.field(mo_iva), dSigno));
  d.elemento("valorRetIva", importe(rs.field(mo_reten_IVA), dSigno));
  d.elemento("valorRetRenta", importe(dSigno * numeroOCero(rs.field(mo_reten_IR))));
  d.cierra();
}

// The totals per establishment, as stored (credit notes lower them), without voucher type 41;
// ordered by establishment so that the same tables always give the same file.
void ventasEstablecimiento(const ContextoSeccion& ctx) {
  EscritorXml& d = ctx.iva;
  d.abre("ventasEstablecimiento");
  vt::db::Recordset rs;
  gsAbreConsulta("co_empresa, co_estable, (sum(mo_base_NoIVA)+ sum(mo_base_0)+ sum(mo_base)) as total",
                 "tbAT_Ventas",
                 "Where co_empresa = " + quoteSql(ctx.sRuc) + " " + "and co_mes=" + quoteSql(ctx.sMes) + " " +
                     "and co_anio=" + quoteSql(ctx.sAnio) + " " + "and co_comprob<>'41' " +
                     "GROUP BY co_empresa, co_estable ORDER BY co_estable",
                 rs);
  // A failed query left rs closed: eof() raises and the run ends.
  for (; !rs.eof(); rs.moveNext()) {
    d.abre("ventaEst");
    d.elemento("codEstab", conMascara(rs.field("co_estable"), "000"));
    d.elemento("ventasEstab", importe(rs.field("total")));
    d.cierra();
  }
  d.cierra();
}

}  // namespace

void seccionVentas(const ContextoSeccion& ctx) {
  ConsultaSeccion consulta("Select * ",
                           " From tbAT_Ventas  WHERE tbAT_Ventas.co_empresa = " + quoteSql(ctx.sRuc) +
                               " And tbAT_Ventas.co_mes = " + quoteSql(ctx.sMes) +
                               " And tbAT_Ventas.co_anio = " + quoteSql(ctx.sAnio),
                           " Order By tbAT_Ventas.id_Reg ");
  if (!abreSeccion(ctx, consulta, "ventas", "Procesando información: VENTAS...",
                   "Información de VENTAS no encontrada "))
    return;
  vt::db::Recordset& rs = consulta.rs;
  const ColumnasVenta c(rs);
  for (; !rs.eof(); rs.moveNext()) {
    detalleVentas(rs, c, ctx.iva);
    avanza(ctx);
    ctx.frm.DoEvents();
  }
  cierraSeccion(ctx, consulta);
  ventasEstablecimiento(ctx);
}

}  // namespace ambrix::xml
