#include <string>

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "xml/documento_ats.hpp"
#include "xml/lectura.hpp"
#include "xml/seccion_compras.hpp"

namespace ambrix::xml {

namespace {

using vt::conv::FormatNumberText;
using vt::conv::Left;
using vt::conv::Right;

constexpr int kReembolso = 41;

void detalleAir(const vt::db::Recordset& rs, const ColumnasCompra& c, CompraActual& compra) {
  const vt::db::Value& codigo = rs.field(c.co_IRcodigo);
  if (!distintoDeCero(codigo)) return;
  // A reimbursement purchase has no air of its own until a coded withholding row needs one; it is
  // never another purchase's. Opened by a later row, it follows what the first row wrote after it.
  EscritorXml& d = compra.air;
  if (!d.abierto()) {
    d.abre("air");
    compra.airAntes = compra.nueva;
  }
  d.abre("detalleAir");
  d.elemento("codRetAir", texto(codigo));
  d.elemento("baseImpAir", importe(rs.field(c.mo_IRbase)));
  d.elemento("porcentajeAir", importe(rs.field(c.va_IRporc)));
  d.elemento("valRetAir", importe(rs.field(c.mo_IRmonto)));
  const double dCodigo = valorNumerico(codigo);
  if (dCodigo == 345 || dCodigo == 346) {
    d.elemento("fechaPagoDiv", fecha(rs.field(c.fe_DivFecha)));
    d.elemento("imRentaSoc", importe(rs.field(c.mo_DivIRpagado)));
    d.elemento("anioUtDiv", conMascara(rs.field(c.nu_DivAnio), "########0"));
  }
  d.cierra();
}

void comprobanteRetencion(const vt::db::Recordset& rs, const ColumnasCompra& c, EscritorXml& d) {
  if (!distintoDeCero(rs.field(c.nu_CRsecu))) return;
  const std::string sSerie = texto(rs.field(c.nu_CRserie));
  d.elemento("estabRetencion1", Left(sSerie, 3));
  d.elemento("ptoEmiRetencion1", Right(sSerie, 3));
  d.elemento("secRetencion1", texto(rs.field(c.nu_CRsecu)));
  d.elemento("autRetencion1", texto(rs.field(c.nu_CRautoriza)));
  d.elemento("fechaEmiRet1", fecha(rs.field(c.fe_CRemision)));
}

void documentoModificado(const vt::db::Recordset& rs, const ColumnasCompra& c, EscritorXml& d) {
  d.elemento("docModificado", codigoNumerico(rs.field(c.co_comprob_modi)));
  const std::string sSerie = texto(rs.field(c.nu_serie_modi));
  d.elemento("estabModificado", FormatNumberText(Left(sSerie, 3), "000"));
  d.elemento("ptoEmiModificado", FormatNumberText(Right(sSerie, 3), "000"));
  d.elemento("secModificado", conMascara(rs.field(c.nu_secuen_modi), "000000000"));
  d.elemento("autModificado", conMascara(rs.field(c.nu_autoriza_modi), ">"));
}

void reembolsos(const ContextoSeccion& ctx, CompraActual& compra) {
  vt::db::Recordset rs =
      abreConsulta("SELECT tbAT_Cmprs_RE.* " + std::string(" FROM tbAT_Cmprs_RE ") +
                   " WHERE tbAT_Cmprs_RE.co_empresa = " + vt::db::quoteSql(vt::conv::Trim(ctx.sRuc)) +
                   " And tbAT_Cmprs_RE.id_comprob = " + std::to_string(compra.idReg) + " " +
                   " Order By tbAT_Cmprs_RE.id_Reg ");
  if (rs.eof()) return;
  const Columnas n(rs);
  const int co_RE_comprob = n("co_RE_comprob"), co_RE_tipoID = n("co_RE_tipoID"),
            co_RE_provee = n("co_RE_provee"), nu_RE_serie = n("nu_RE_serie"), nu_RE_secu = n("nu_RE_secu"),
            fe_RE_emision = n("fe_RE_emision"), nu_RE_autoriza = n("nu_RE_autoriza"),
            mo_RE_base_0 = n("mo_RE_base_0"), mo_RE_base = n("mo_RE_base"),
            mo_RE_base_NoIva = n("mo_RE_base_NoIva"), mo_RE_ice = n("mo_RE_ice"), mo_RE_iva = n("mo_RE_iva");
  EscritorXml& r = compra.despuesDeAir;
  r.abre("reembolsos");
  for (; !rs.eof(); rs.moveNext()) {
    r.abre("reembolso");
    const std::string sTipoID = textoRequerido(rs.field(co_RE_tipoID));
    const std::string sSerie = texto(rs.field(nu_RE_serie));
    r.elemento("tipoComprobanteReemb", conMascara(rs.field(co_RE_comprob), "00"));
    r.elemento("tpIdProvReemb", FormatNumberText(sTipoID, "00"));
    r.elemento("idProvReemb",
               conMascara(rs.field(co_RE_provee),
                          vt::conv::LeadingNumber(sTipoID) == 2 ? "0000000000" : "0000000000000"));
    r.elemento("establecimientoReemb", FormatNumberText(Left(sSerie, 3), "000"));
    r.elemento("puntoEmisionReemb", FormatNumberText(Right(sSerie, 3), "000"));
    r.elemento("secuencialReemb", conMascara(rs.field(nu_RE_secu), "000000000"));
    r.elemento("fechaEmisionReemb", fecha(rs.field(fe_RE_emision)));
    r.elemento("autorizacionReemb", texto(rs.field(nu_RE_autoriza)));
    r.elemento("baseImponibleReemb", importe(rs.field(mo_RE_base_0)));
    r.elemento("baseImpGravReemb", importe(rs.field(mo_RE_base)));
    r.elemento("baseNoGraIvaReemb", importe(rs.field(mo_RE_base_NoIva)));
    // The authority's element names lack the "e" of "Reemb" here.
    r.elemento("montoIceRemb", importe(rs.field(mo_RE_ice)));
    r.elemento("montoIvaRemb", importe(rs.field(mo_RE_iva)));
    r.cierra();
  }
  r.cierra();
}

}  // namespace

void retencionesDeFila(const ContextoSeccion& ctx, const vt::db::Recordset& rs, const ColumnasCompra& c,
                       CompraActual& compra) {
  if (compra.nueva && compra.iTipoComprobante != kReembolso) {
    compra.air.abre("air");
    compra.airAntes = true;
  }
  detalleAir(rs, c, compra);
  if (!compra.nueva) return;
  comprobanteRetencion(rs, c, compra.despuesDeAir);
  if (compra.iTipoComprobante == 4 || compra.iTipoComprobante == 5)
    documentoModificado(rs, c, compra.despuesDeAir);
  if (compra.iTipoComprobante == kReembolso) reembolsos(ctx, compra);
}

}  // namespace ambrix::xml
