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
  vt::db::Recordset rs = abreConsulta(
      "Select * From tbAT_Exporta where co_empresa = " + vt::db::quoteSql(ctx.sRuc) +
      " AND tbAT_Exporta.co_mes = " + vt::db::quoteSql(ctx.sMes) + " AND tbAT_Exporta.co_anio = " +
      vt::db::quoteSql(ctx.sAnio) + " Order By tbAT_Exporta.id_Reg ");
  pugi::xml_node exportaciones = abreSeccion(ctx, rs, "exportaciones", "Procesando información: EXPORTACIONES...",
                                             "Información de EXPORTACIONES no encontrada ");
  if (!exportaciones) return;
  const Columnas n(rs);
  const int co_Transacc = n("co_Transacc"), co_comprob = n("co_comprob"), nu_ref_dist = n("nu_ref_dist"),
            nu_ref_anio = n("nu_ref_anio"), nu_ref_regi = n("nu_ref_regi"), nu_ref_corre = n("nu_ref_corre"),
            nu_ref_veri = n("nu_ref_veri"), nu_dcto_trans = n("nu_dcto_trans"), fe_transacc = n("fe_transacc"),
            nu_FUE = n("nu_FUE"), mo_FOB = n("mo_FOB"), mo_base = n("mo_base"), nu_serie = n("nu_serie"),
            nu_secu = n("nu_secu"), nu_autoriza = n("nu_autoriza"), fe_emision = n("fe_emision");
  for (; !rs.eof(); rs.moveNext()) {
    pugi::xml_node d = agrega(exportaciones, "detalleExportaciones");
    const vt::db::Value& transaccion = rs.field(co_Transacc);
    const bool bBienes = valorNumerico(transaccion) == 1;
    const bool bConFUE = conFUE(rs.field(fe_transacc));
    agrega(d, "exportacionDe", conMascara(transaccion, "00"));
    agrega(d, "tipoComprobante", codigoNumerico(rs.field(co_comprob)));
    if (bBienes) {
      agrega(d, "distAduanero", vt::conv::FormatNumber(valorNumerico(rs.field(nu_ref_dist)), "000"));
      agrega(d, "anio", texto(rs.field(nu_ref_anio)));
      agrega(d, "regimen", texto(rs.field(nu_ref_regi)));
      if (bConFUE) {
        agrega(d, "correlativo", conMascara(rs.field(nu_ref_corre), "000000"));
        agrega(d, "verificador", texto(rs.field(nu_ref_veri)));
      } else {
        agrega(d, "correlativo", conMascara(rs.field(nu_ref_corre), "00000000"));
      }
      agrega(d, "docTransp", conMascara(rs.field(nu_dcto_trans), "0000000000000"));
    }
    agrega(d, "fechaEmbarque", fecha(rs.field(fe_transacc)));
    if (bConFUE) {
      const vt::db::Value& fue = rs.field(nu_FUE);
      agrega(d, "fue", fue.isNull() ? "0000000000000" : texto(fue));
    }
    agrega(d, "valorFOB", importe(rs.field(mo_FOB)));
    agrega(d, "valorFOBComprobante", importe(rs.field(mo_base)));
    const std::string sSerie = texto(rs.field(nu_serie));
    agrega(d, "establecimiento", vt::conv::Left(sSerie, 3));
    agrega(d, "puntoEmision", vt::conv::Right(sSerie, 3));
    agrega(d, "secuencial", texto(rs.field(nu_secu)));
    agrega(d, "autorizacion", texto(rs.field(nu_autoriza)));
    agrega(d, "fechaEmision", fecha(rs.field(fe_emision)));
    avanza(ctx);
  }
  cierraSeccion(ctx, rs);
}

}  // namespace ambrix::xml
