#include <string>

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "xml/documento_ats.hpp"
#include "xml/lectura.hpp"
#include "xml/seccion.hpp"

namespace ambrix::xml {

void seccionAnulados(const ContextoSeccion& ctx) {
  vt::db::Recordset rs = abreConsulta(
      "Select * From tbAT_CmptsAnu where co_empresa = " + vt::db::quoteSql(ctx.sRuc) +
      " AND tbAT_CmptsAnu.co_mes = " + vt::db::quoteSql(ctx.sMes) + " AND tbAT_CmptsAnu.co_anio = " +
      vt::db::quoteSql(ctx.sAnio) + " ORDER BY tbAT_CmptsAnu.id_reg");
  pugi::xml_node anulados = abreSeccion(ctx, rs, "anulados", "Procesando información: COMPROBANTES ANULADOS...",
                                        "Información de COMPROBANTES ANULADOS no encontrada ");
  if (!anulados) return;
  const Columnas n(rs);
  const int co_comprob = n("co_comprob"), nu_serie = n("nu_serie"), nu_secu_ini = n("nu_secu_ini"),
            nu_secu_fin = n("nu_secu_fin"), nu_autoriza = n("nu_autoriza");
  for (; !rs.eof(); rs.moveNext()) {
    pugi::xml_node d = agrega(anulados, "detalleAnulados");
    const std::string sSerie = texto(rs.field(nu_serie));
    agrega(d, "tipoComprobante", codigoNumerico(rs.field(co_comprob)));
    agrega(d, "establecimiento", vt::conv::FormatNumberText(vt::conv::Left(sSerie, 3), "000"));
    agrega(d, "puntoEmision", vt::conv::FormatNumberText(vt::conv::Right(sSerie, 3), "000"));
    agrega(d, "secuencialInicio", conMascara(rs.field(nu_secu_ini), "000000000"));
    agrega(d, "secuencialFin", conMascara(rs.field(nu_secu_fin), "000000000"));
    agrega(d, "autorizacion", vt::conv::FormatNumberText(vt::conv::Trim(texto(rs.field(nu_autoriza))), ">"));
    avanza(ctx);
  }
  cierraSeccion(ctx, rs);
}

}  // namespace ambrix::xml
