#include <string>

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "xml/documento_ats.hpp"
#include "xml/lectura.hpp"
#include "xml/seccion.hpp"

namespace ambrix::xml {

void seccionAnulados(const ContextoSeccion& ctx) {
  ConsultaSeccion consulta("Select * ",
                           "From tbAT_CmptsAnu where co_empresa = " + vt::db::quoteSql(ctx.sRuc) +
                               " AND tbAT_CmptsAnu.co_mes = " + vt::db::quoteSql(ctx.sMes) +
                               " AND tbAT_CmptsAnu.co_anio = " + vt::db::quoteSql(ctx.sAnio),
                           " ORDER BY tbAT_CmptsAnu.id_reg");
  if (!abreSeccion(ctx, consulta, "anulados", "Procesando información: COMPROBANTES ANULADOS...",
                   "Información de COMPROBANTES ANULADOS no encontrada "))
    return;
  vt::db::Recordset& rs = consulta.rs;
  EscritorXml& d = ctx.iva;
  const Columnas n(rs);
  const int co_comprob = n("co_comprob"), nu_serie = n("nu_serie"), nu_secu_ini = n("nu_secu_ini"),
            nu_secu_fin = n("nu_secu_fin"), nu_autoriza = n("nu_autoriza");
  for (; !rs.eof(); rs.moveNext()) {
    d.abre("detalleAnulados");
    const std::string sSerie = texto(rs.field(nu_serie));
    d.elemento("tipoComprobante", codigoNumerico(rs.field(co_comprob)));
    d.elemento("establecimiento", vt::conv::FormatNumberText(vt::conv::Left(sSerie, 3), "000"));
    d.elemento("puntoEmision", vt::conv::FormatNumberText(vt::conv::Right(sSerie, 3), "000"));
    d.elemento("secuencialInicio", conMascara(rs.field(nu_secu_ini), "000000000"));
    d.elemento("secuencialFin", conMascara(rs.field(nu_secu_fin), "000000000"));
    d.elemento("autorizacion", vt::conv::FormatNumberText(vt::conv::Trim(texto(rs.field(nu_autoriza))), ">"));
    d.cierra();
    avanza(ctx);
  }
  cierraSeccion(ctx, consulta);
}

}  // namespace ambrix::xml
