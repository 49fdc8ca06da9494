// The value lists of the purchases store: one purchase row of 75 values, its withholding rows and
// its reimbursement row, each built from the cells the validator rewrote.

#include <utility>

#include "import/importa_compras.hpp"
#include "platform/conversions/conversions.hpp"

namespace ambrix {

namespace {

using vt::conv::FormatNumberText;
using vt::conv::LeadingNumber;
using vt::conv::Trim;

constexpr const char* kCamposCompra =
    " co_empresa, co_mes, co_anio, fe_emision, fe_conta, co_tipoID, co_provee, "
    " co_comprob, co_credito, "
    " nu_serie, nu_secu, nu_autoriza, fe_caduca, "
    " mo_base_NoIva, mo_base_0, mo_base, co_iva, mo_iva, "
    " mo_iva_1, co_iva_1, mo_ret_1, mo_iva_2, co_iva_2, mo_ret_2, "
    " mo_ICEbase, co_ICEcodigo, mo_ICEmonto, "
    " st_devolu, "
    " nu_CRserie, nu_CRsecu, nu_CRautoriza, fe_CRemision, "
    " nu_CRserie_2 , nu_CRsecu_2, nu_CRautoriza_2, nu_CRemision_2, st_regis, "
    " nu_contrato, mo_trans_oneroso, mo_trans_gratuito,  "
    " co_comprob_modi, fe_comprob_modi, nu_serie_modi, nu_secuen_modi, nu_autoriza_modi, "
    " ds_campo1, ds_campo2, ds_campo3, "
    " co_usua, fe_regis, co_modi, fe_modi, ds_wrkst, "
    " co_Prove_Tipo, co_Prove_Relac, "
    " co_Pago_Tipo, co_Pago_pais, co_Pago_doble, co_Pago_SujetoRet, "
    " co_FormaPago, "
    " fe_DivFecha, mo_DivIRpagado, nu_DivAnio, "
    " co_RE_tipoID, co_RE_provee, co_RE_comprob, "
    " fe_RE_emision, nu_RE_serie, nu_RE_secu, nu_RE_autoriza, "
    " mo_RE_base_NoIva, mo_RE_base_0, mo_RE_base, mo_RE_iva, mo_RE_ice "
    " ) ";

constexpr const char* kCamposRetencion =
    " co_empresa , co_mes, co_anio, co_provee, co_comprob, co_credito, "
    " nu_serie, nu_secu, nu_autoriza,  "
    " co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto) ";

constexpr const char* kCamposReembolso =
    " id_comprob, co_empresa , co_mes, co_anio, co_tipoID, co_provee, co_comprob, co_credito, "
    " nu_serie, nu_secu, nu_autoriza,  "
    " co_RE_tipoID, co_RE_provee, co_RE_comprob, fe_RE_emision, "
    " nu_RE_serie, nu_RE_secu, nu_RE_autoriza, "
    " mo_RE_base_NoIva, mo_RE_base_0, mo_RE_base, mo_RE_iva, mo_RE_ice ) ";

// 'text' of an authorisation: ten digits when it has ten characters or fewer, else upper case.
vt::db::SqlValue valorAutorizacion(std::string_view sCelda, long lLargo) {
  return lLargo <= 10 ? valorCodigo(sCelda, "0000000000") : valorCodigo(sCelda, ">");
}
vt::db::SqlValue valorAutorizacion(std::string_view sCelda) {
  return valorAutorizacion(sCelda, vt::conv::Len(sCelda));
}

std::string tipoId(std::string_view sCelda) {
  const std::string t = vt::conv::Upper(Trim(sCelda));
  if (t == "R") return "01";
  if (t == "C") return "02";
  if (t == "P") return "03";
  return std::string(sCelda);
}

// The company and period every row of a purchase repeats.
void periodoDocumento(ListaInsercion& l, const vt::automation::StringMatrix& h, long f) {
  l.valor(valorCodigo(h.get(f, 0), "0000000000000"))
      .valor(valorCodigo(h.get(f, 1), "00"))
      .valor(valorCodigo(h.get(f, 2), "0000"));
}

// The supplier and voucher every row of a purchase repeats.
void comprobanteDocumento(ListaInsercion& l, const vt::automation::StringMatrix& h, long f) {
  l.valor(valorCodigo(h.get(f, 6), "0000000000000"))
      .valor(valorCodigo(h.get(f, 11), "00"))
      .valor(valorCodigo(h.get(f, 10), "00"))
      .valor(valorCodigo(h.get(f, 12), "000000"))
      .valor(valorCodigo(h.get(f, 13), "000000000"))
      .valor(valorAutorizacion(h.get(f, 14)));
}

}  // namespace

void convierteTiposId(vt::automation::StringMatrix& hoja, long fila) {
  for (long c : {5L, 52L}) hoja.set(fila, c, tipoId(hoja.get(fila, c)));
}

void fechaRetencionVacia(vt::automation::StringMatrix& hoja, long fila) {
  if (LeadingNumber(hoja.get(fila, 51)) == 0) hoja.set(fila, 51, "01/01/2000");
}

ListaInsercion filaCompra(const ContextoAlmacen& c, const vt::automation::StringMatrix& h, long f,
                          const CodigosCompra& codigos) {
  const auto celda = [&](long columna) { return h.get(f, columna); };
  const auto fecha = [&](long columna) { return valorFechaHoja(c, celda(columna), kFechaHoja); };
  const auto monto = [&](long columna) { return valorMonto(celda(columna)); };
  // The withholding voucher's cells: "0" when their number is 0, else trimmed.
  const auto retencion = [&](long columna) {
    return LeadingNumber(celda(columna)) == 0 ? std::string("0") : Trim(celda(columna));
  };
  // The modified voucher's cells: "0" when blank.
  const auto modificado = [&](long columna) {
    return Trim(celda(columna)).empty() ? std::string_view("0") : celda(columna);
  };
  const bool servicios = LeadingNumber(celda(21)) > 0;

  ListaInsercion l(kCamposCompra);
  l.claveOracle(c, "TBAT_CMPRS_ID_REG");
  l.valor(valorTexto(celda(0)))
      .valor(valorCodigo(celda(1), "00"))
      .valor(valorCodigo(celda(2), "0000"))
      .valor(fecha(3))
      .valor(fecha(4))
      .valor(valorCodigo(celda(5), "00"))
      .valor(valorCodigo(celda(6), "0000000000000"))
      .valor(valorCodigo(celda(11), "00"))
      .valor(valorCodigo(celda(10), "00"))
      .valor(valorCodigo(celda(12), "000000"))
      .valor(valorCodigo(celda(13), "000000000"))
      .valor(valorAutorizacion(celda(14)))
      .valor(fecha(4))
      .valor(monto(15))
      .valor(monto(16))
      .valor(monto(17))
      .valor("'0'")
      .valor(monto(18))
      .valor(monto(18))
      .valor("'1'")
      .valor(monto(20))
      .valor(monto(18))
      .valor(servicios ? "'2'" : "'3'")
      .valor(monto(servicios ? 21 : 22))
      .valor(valorCeroMonto())
      .valor("'0'")
      .valor(monto(19))
      .valor("'-'")
      .valor(valorCodigo(retencion(48), "000000"))
      .valor(valorCodigo(retencion(49), "000000000"))
      .valor(valorAutorizacion(retencion(50), vt::conv::Len(celda(50))))
      .valor(fecha(51))
      .valor("'000000'")
      .valor("'000000000'")
      .valor("'0000000000'")
      .valor(fecha(51))
      .valor("'A'")
      .valor("'0'")
      .valor(valorCero())
      .valor(valorCero())
      .valor(valorTexto(Trim(celda(27)).empty() ? std::string_view(" ") : celda(27)))
      .valor(
          valorFechaHoja(c, Trim(celda(28)).empty() ? std::string_view("01/01/2000") : celda(28), kFechaHoja))
      .valor(valorCodigo(modificado(29), "000000"))
      .valor(valorCodigo(modificado(30), "000000000"))
      .valor(valorAutorizacion(modificado(31), vt::conv::Len(celda(31))))
      .valor("' '")
      .valor("' '")
      .valor("' '")
      .auditoria(c)
      .valor(valorCodigo(codigos.sTipoProveedor, "00"))
      .valor(valorCodigo(celda(9), "0"))
      .valor(valorCodigo(celda(23), "0"))
      .valor(valorCodigo(celda(24), "000"))
      .valor(valorCodigo(celda(25), "0"))
      .valor(valorCodigo(celda(26), "0"))
      .valor(valorTexto(codigos.sFormasPago))
      .valor(fecha(45))
      .valor(monto(46))
      .valor(valorNumero(celda(47), "########0"))
      .valor(valorCodigo(celda(52), "00"))
      .valor(valorCodigo(celda(53), "0000000000000"))
      .valor(valorCodigo(celda(55), "00"))
      .valor(fecha(56))
      .valor(valorCodigo(celda(57), "000000"))
      .valor(valorCodigo(celda(58), "000000000"))
      .valor(valorAutorizacion(celda(59)));
  for (long columna = 60; columna <= 64; ++columna) l.valor(monto(columna));
  return l;
}

std::vector<int> bloquesRetencion(const vt::automation::StringMatrix& hoja, long fila) {
  std::vector<int> bloques;
  for (int b = 1; b <= 3; ++b)
    if (LeadingNumber(hoja.get(fila, 33 + 4 * (b - 1))) != 0) bloques.push_back(b);
  if (bloques.empty()) bloques.push_back(1);
  return bloques;
}

ListaInsercion filaRetencion(const ContextoAlmacen& c, const vt::automation::StringMatrix& h, long f,
                             int bloque) {
  const long primera = 33 + 4 * (bloque - 1);
  const auto monto = [&](long columna) { return valorMonto(vt::conv::BlankToZero(h.get(f, columna))); };
  ListaInsercion l(kCamposRetencion);
  l.claveOracle(c, "TBAT_CMPRS_IR_ID_REG");
  periodoDocumento(l, h, f);
  comprobanteDocumento(l, h, f);
  l.valor(valorCodigo(h.get(f, primera), "####0"))
      .valor(monto(primera + 1))
      .valor(monto(primera + 2))
      .valor(monto(primera + 3));
  return l;
}

ListaInsercion filaReembolso(const ContextoAlmacen& c, const vt::automation::StringMatrix& h, long f,
                             double NuComprob) {
  ListaInsercion l(kCamposReembolso);
  l.claveOracle(c, "TBAT_CMPRS_IR_ID_REG");
  l.valor(valorMascara(vt::conv::VbStr(NuComprob), "########0"));
  periodoDocumento(l, h, f);
  l.valor(valorCodigo(h.get(f, 5), "00"));
  comprobanteDocumento(l, h, f);
  l.valor(valorCodigo(h.get(f, 52), "00"))
      .valor(valorCodigo(h.get(f, 53), "0000000000000"))
      .valor(valorCodigo(h.get(f, 55), "00"))
      .valor(valorFechaHoja(c, h.get(f, 56), kFechaHoja))
      .valor(valorCodigo(h.get(f, 57), "000000"))
      .valor(valorCodigo(h.get(f, 58), "000000000"))
      .valor(valorAutorizacion(h.get(f, 59)));
  for (long columna = 60; columna <= 64; ++columna) l.valor(valorMonto(h.get(f, columna)));
  return l;
}

std::string claveComprobante(const vt::automation::StringMatrix& h, long f) {
  // The forms periodoDocumento and comprobanteDocumento store, joined without the statement's quoting.
  struct Parte {
    long columna;
    vt::conv::NumberMask mascara;
  };
  static constexpr Parte kPartes[] = {{0, "0000000000000"}, {1, "00"},  {2, "0000"},    {6, "0000000000000"},
                                      {11, "00"},           {10, "00"}, {12, "000000"}, {13, "000000000"}};
  std::string clave;
  clave.reserve(96);
  for (const auto& [columna, mascara] : kPartes)
    clave.append(vt::conv::FormatWithMask(h.get(f, columna), mascara)) += '\x1f';
  return clave + valorAutorizacion(h.get(f, 14)).literal();
}

std::string describeComprobante(const vt::automation::StringMatrix& h, long f) {
  return "proveedor " + FormatNumberText(h.get(f, 6), "0000000000000") + ", tipo " +
         FormatNumberText(h.get(f, 11), "00") + ", serie " + FormatNumberText(h.get(f, 12), "000000") +
         ", secuencial " + FormatNumberText(h.get(f, 13), "000000000") + ", autorización " +
         Trim(h.get(f, 14));
}

std::string consultaIdentidad(vt::db::Engine motor) {
  if (motor == vt::db::Engine::Oracle) return "SELECT TBAT_CMPRS_ID_REG.CURRVAL AS NuComprob FROM dual";
  return "SELECT @@IDENTITY as NuComprob";
}

}  // namespace ambrix
