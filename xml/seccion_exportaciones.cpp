#include <string>

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "xml/documento_ats.hpp"
#include "xml/lectura.hpp"
#include "xml/seccion.hpp"

namespace ambrix::xml {

namespace {

using vt::conv::Date;

// Shipments up to this day carry the 6-digit correlative with its check digit and the FUE.
constexpr Date kUltimoDiaFUE{2012, 9, 30};

// Whether the shipment date is on or before the last day of the FUE; a date that cannot be read
// is not.
bool conFUE(const vt::db::Value& v) {
  if (v.kind() == vt::db::Value::Kind::DateTime) return v.asTimestamp().value.date <= kUltimoDiaFUE;
  if (v.kind() != vt::db::Value::Kind::Text) return false;
  const auto d = vt::conv::ParseDate(v.asText());
  return d && *d <= kUltimoDiaFUE;
}

}  // namespace

void seccionExportaciones(const ContextoSeccion& ctx) {
  ConsultaSeccion consulta("Select * ",
                           "From tbAT_Exporta where co_empresa = " + vt::db::quoteSql(ctx.sRuc) +
                               " AND tbAT_Exporta.co_mes = " + vt::db::quoteSql(ctx.sMes) +
                               " AND tbAT_Exporta.co_anio = " + vt::db::quoteSql(ctx.sAnio),
                           " Order By tbAT_Exporta.id_Reg ");
  if (!abreSeccion(ctx, consulta, "exportaciones", "Procesando información: EXPORTACIONES...",
                   "Información de EXPORTACIONES no encontrada "))
    return;
  vt::db::Recordset& rs = consulta.rs;
  EscritorXml& d = ctx.iva;
  const Columnas n(rs);
  const int co_Transacc = n("co_Transacc"), co_comprob = n("co_comprob"), nu_ref_dist = n("nu_ref_dist"),
            nu_ref_anio = n("nu_ref_anio"), nu_ref_regi = n("nu_ref_regi"), nu_ref_corre = n("nu_ref_corre"),
            nu_ref_veri = n("nu_ref_veri"), nu_dcto_trans = n("nu_dcto_trans"),
            fe_transacc = n("fe_transacc"), nu_FUE = n("nu_FUE"), mo_FOB = n("mo_FOB"),
            mo_base = n("mo_base"), nu_serie = n("nu_serie"), nu_secu = n("nu_secu"),
            nu_autoriza = n("nu_autoriza"), fe_emision = n("fe_emision");
  for (; !rs.eof(); rs.moveNext()) {
    d.abre("detalleExportaciones");
    const vt::db::Value& transaccion = rs.field(co_Transacc);
    const bool bBienes = valorNumerico(transaccion) == 1;
    const bool bConFUE = conFUE(rs.field(fe_transacc));
    d.elemento("exportacionDe", conMascara(transaccion, "00"));
    d.elemento("tipoComprobante", codigoNumerico(rs.field(co_comprob)));
    if (bBienes) {
      d.elemento("distAduanero", vt::conv::FormatNumber(valorNumerico(rs.field(nu_ref_dist)), "000"));
      d.elemento("anio", texto(rs.field(nu_ref_anio)));
      d.elemento("regimen", texto(rs.field(nu_ref_regi)));
      if (bConFUE) {
        d.elemento("correlativo", conMascara(rs.field(nu_ref_corre), "000000"));
        d.elemento("verificador", texto(rs.field(nu_ref_veri)));
      } else {
        d.elemento("correlativo", conMascara(rs.field(nu_ref_corre), "00000000"));
      }
      d.elemento("docTransp", conMascara(rs.field(nu_dcto_trans), "0000000000000"));
    }
    d.elemento("fechaEmbarque", fecha(rs.field(fe_transacc)));
    if (bConFUE) {
      const vt::db::Value& fue = rs.field(nu_FUE);
      d.elemento("fue", fue.isNull() ? "0000000000000" : texto(fue));
    }
    d.elemento("valorFOB", importe(rs.field(mo_FOB)));
    d.elemento("valorFOBComprobante", importe(rs.field(mo_base)));
    const std::string sSerie = texto(rs.field(nu_serie));
    d.elemento("establecimiento", vt::conv::Left(sSerie, 3));
    d.elemento("puntoEmision", vt::conv::Right(sSerie, 3));
    d.elemento("secuencial", texto(rs.field(nu_secu)));
    d.elemento("autorizacion", texto(rs.field(nu_autoriza)));
    d.elemento("fechaEmision", fecha(rs.field(fe_emision)));
    d.cierra();
    avanza(ctx);
  }
  cierraSeccion(ctx, consulta);
}

}  // namespace ambrix::xml
