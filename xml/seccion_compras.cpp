#include "xml/seccion_compras.hpp"

#include <cmath>
#include <map>
#include <string>

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "shell/core/sentencias.hpp"
#include "xml/documento_ats.hpp"
#include "xml/lectura.hpp"

namespace ambrix::xml {

namespace {

using vt::conv::FormatNumberText;
using vt::db::quoteSql;

// Columns of tbAT_Cmprs and of tbAT_Cmprs_IR that the section reads. One explicit, aliased list
// on every engine: the joined names never depend on how a driver reports "table.column", and the
// column set stays fixed. id_reg comes first: it groups the joined rows into purchases.
constexpr const char* kDeCompra[] = {
    "id_reg",          "fe_emision",     "fe_conta",          "co_tipoID",
    "co_provee",       "co_comprob",     "co_credito",        "nu_serie",
    "nu_secu",         "nu_autoriza",    "mo_base_0",         "mo_base",
    "mo_iva",          "mo_ret_1",       "mo_ret_2",          "mo_ICEmonto",
    "nu_CRserie",      "nu_CRsecu",      "nu_CRautoriza",     "fe_CRemision",
    "co_comprob_modi", "nu_serie_modi",  "nu_secuen_modi",    "nu_autoriza_modi",
    "mo_base_NoIva",   "co_Prove_Tipo",  "co_Prove_Relac",    "co_Pago_Tipo",
    "co_Pago_pais",    "co_Pago_doble",  "co_Pago_SujetoRet", "co_FormaPago",
    "fe_DivFecha",     "mo_DivIRpagado", "nu_DivAnio"};
constexpr const char* kDeRetencion[] = {"co_IRcodigo", "mo_IRbase", "va_IRporc", "mo_IRmonto"};

// A withholding row belongs to the purchase whose document key it repeats. Two stored purchases
// with the same key therefore both receive each other's withholdings: the tables hold no other
// link between them.
ConsultaSeccion consultaCompras(const ContextoSeccion& ctx) {
  std::string lista;
  for (const char* c : kDeCompra)
    lista += std::string(lista.empty() ? "" : ", ") + "tbAT_Cmprs." + c + " AS " + c;
  for (const char* c : kDeRetencion) lista += std::string(", tbAT_Cmprs_IR.") + c + " AS " + c;
  return ConsultaSeccion("SELECT " + lista + " ",
                         std::string(" FROM tbAT_Cmprs ") + " LEFT OUTER JOIN tbAT_Cmprs_IR ON " +
                             " (tbAT_Cmprs.nu_autoriza = tbAT_Cmprs_IR.nu_autoriza) " +
                             " And (tbAT_Cmprs.nu_secu = tbAT_Cmprs_IR.nu_secu) " +
                             " And (tbAT_Cmprs.nu_serie = tbAT_Cmprs_IR.nu_serie) " +
                             " And (tbAT_Cmprs.co_comprob = tbAT_Cmprs_IR.co_comprob) " +
                             " And (tbAT_Cmprs.co_credito = tbAT_Cmprs_IR.co_credito) " +
                             " And (tbAT_Cmprs.co_provee = tbAT_Cmprs_IR.co_provee) " +
                             " And (tbAT_Cmprs.co_anio = tbAT_Cmprs_IR.co_anio) " +
                             " And (tbAT_Cmprs.co_mes = tbAT_Cmprs_IR.co_mes) " +
                             " And (tbAT_Cmprs.co_empresa = tbAT_Cmprs_IR.co_empresa) " +
                             " WHERE tbAT_Cmprs.co_empresa = " + quoteSql(vt::conv::Trim(ctx.sRuc)) +
                             " And tbAT_Cmprs.co_mes = " + quoteSql(ctx.sMes) +
                             " And tbAT_Cmprs.co_anio = " + quoteSql(ctx.sAnio),
                         // The withholding rows of a purchase in the order they were stored.
                         " Order By tbAT_Cmprs.id_Reg , tbAT_Cmprs_IR.id_reg ");
}

// pagoLocExt of each payment type, looked up once per run in tbCodigoGeneral group 'TPG'
// ("0" when the group does not list it).
class PagoLocExt {
 public:
  const std::string& operator()(const std::string& sTipo) {
    const auto hallado = cache_.find(sTipo);
    if (hallado != cache_.end()) return hallado->second;
    vt::db::Recordset rs;
    gsAbreConsulta("*", "tbCodigoGeneral", "Where co_grupo = 'TPG' and co_valor = " + quoteSql(sTipo), rs);
    // A failed lookup left rs closed: eof() raises and the run ends.
    std::string sTexto = "0";
    if (!rs.eof()) sTexto = conMascara(rs.field("ft_Format"), "00");
    return cache_.emplace(sTipo, sTexto).first->second;
  }

 private:
  std::map<std::string, std::string> cache_;
};

void pagoExterior(const vt::db::Recordset& rs, const ColumnasCompra& c, EscritorXml& pago,
                  PagoLocExt& pagoLocExt) {
  pago.abre("pagoExterior");
  // A Null payment type (Oracle keeps '' as Null) looks up the empty code.
  const std::string sTipo = texto(rs.field(c.co_Pago_Tipo));
  pago.elemento("pagoLocExt", pagoLocExt(sTipo));
  if (vt::conv::FirstChar(sTipo) == "L") {
    pago.elemento("paisEfecPago", "NA");
    pago.elemento("aplicConvDobTrib", "NA");
    pago.elemento("pagExtSujRetNorLeg", "NA");
  } else {
    pago.elemento("paisEfecPago", conMascara(rs.field(c.co_Pago_pais), "000"));
    pago.elemento("aplicConvDobTrib", texto(rs.field(c.co_Pago_doble)));
    pago.elemento("pagExtSujRetNorLeg", texto(rs.field(c.co_Pago_SujetoRet)));
  }
  pago.cierra();
}

// The payment forms are due from a total of 1000.00, compared in cents.
void formasDePago(const vt::db::Recordset& rs, const ColumnasCompra& c, EscritorXml& formas,
                  double dTotalCompra) {
  if (centavos(dTotalCompra) < 100000) return;
  formas.abre("formasDePago");
  // A Null list (Oracle keeps '' as Null) is an empty one.
  const std::string sLista = texto(rs.field(c.co_FormaPago));
  for (std::size_t inicio = 0; !sLista.empty();) {
    const std::size_t guion = sLista.find('-', inicio);
    formas.elemento("formaPago", FormatNumberText(sLista.substr(inicio, guion - inicio), "00"));
    if (guion == std::string::npos) break;
    inicio = guion + 1;
  }
  formas.cierra();
}

// Children 1 to 21 of a new purchase's detalleCompras.
void datosDeCompra(const vt::db::Recordset& rs, const ColumnasCompra& c, EscritorXml& d, CompraActual& compra,
                   PagoLocExt& pagoLocExt) {
  const auto v = [&](int columna) -> const vt::db::Value& { return rs.field(columna); };
  const double dTipoID = valorNumerico(v(c.co_tipoID));

  d.elemento("codSustento", codigoNumerico(v(c.co_credito)));
  d.elemento("tpIdProv", textoRequerido(v(c.co_tipoID)));
  d.elemento("idProv", conMascara(v(c.co_provee), dTipoID == 2 ? "0000000000" : "0000000000000"));
  const double dTipoComprobante = valorNumerico(v(c.co_comprob));
  d.elemento("tipoComprobante", vt::conv::FormatNumber(dTipoComprobante, "00"));
  compra.iTipoComprobante = static_cast<int>(std::nearbyint(dTipoComprobante));
  if (dTipoID == 3) {
    d.elemento("tipoProv", codigoNumerico(v(c.co_Prove_Tipo)));
    d.elemento("parteRel", conMascara(v(c.co_Prove_Relac), "#"));
  }
  d.elemento("fechaRegistro", fecha(v(c.fe_conta)));
  const std::string sSerie = textoRequerido(v(c.nu_serie));
  d.elemento("establecimiento", vt::conv::Left(sSerie, 3));
  d.elemento("puntoEmision", vt::conv::Right(sSerie, 3));
  // Stored rows always hold nine digits; padding keeps the file right for rows that do not.
  d.elemento("secuencial", conMascara(v(c.nu_secu), "000000000"));
  d.elemento("fechaEmision", fecha(v(c.fe_emision)));
  d.elemento("autorizacion", FormatNumberText(vt::conv::Trim(texto(v(c.nu_autoriza))), ">"));

  double dTotalCompra = 0;
  for (const auto& [columna, nombre] :
       {std::pair{c.mo_base_NoIva, "baseNoGraIva"}, std::pair{c.mo_base_0, "baseImponible"},
        std::pair{c.mo_base, "baseImpGrav"}}) {
    const double dBase = numeroOCero(v(columna));
    d.elemento(nombre, importe(dBase));
    dTotalCompra += dBase;
  }
  const double dIce = numeroRequerido(v(c.mo_ICEmonto));
  const double dIva = numeroRequerido(v(c.mo_iva));
  d.elemento("montoIce", importe(dIce));
  d.elemento("montoIva", importe(dIva));
  dTotalCompra += dIce + dIva;
  d.elemento("valorRetBienes", importe(v(c.mo_ret_1)));

  // The services withholding at 100 % is the one equal to the VAT; compared in cents.
  const vt::db::Value& ret2 = v(c.mo_ret_2);
  const bool bRetieneTodo = !ret2.isNull() && centavos(numeroRequerido(ret2)) == centavos(dIva);
  d.elemento("valorRetServicios", bRetieneTodo ? "0.00" : importe(ret2));
  d.elemento("valRetServ100", bRetieneTodo ? importe(ret2) : "0.00");

  pagoExterior(rs, c, d, pagoLocExt);
  formasDePago(rs, c, d, dTotalCompra);
}

}  // namespace

ColumnasCompra::ColumnasCompra(const vt::db::Recordset& rs) {
  const Columnas n(rs);
  id_reg = n("id_reg"), co_credito = n("co_credito"), co_tipoID = n("co_tipoID"), co_provee = n("co_provee");
  co_comprob = n("co_comprob"), co_Prove_Tipo = n("co_Prove_Tipo"), co_Prove_Relac = n("co_Prove_Relac");
  fe_conta = n("fe_conta"), nu_serie = n("nu_serie"), nu_secu = n("nu_secu"), fe_emision = n("fe_emision");
  nu_autoriza = n("nu_autoriza"), mo_base_NoIva = n("mo_base_NoIva"), mo_base_0 = n("mo_base_0");
  mo_base = n("mo_base"), mo_ICEmonto = n("mo_ICEmonto"), mo_iva = n("mo_iva"), mo_ret_1 = n("mo_ret_1");
  mo_ret_2 = n("mo_ret_2"), co_Pago_Tipo = n("co_Pago_Tipo"), co_Pago_pais = n("co_Pago_pais");
  co_Pago_doble = n("co_Pago_doble"), co_Pago_SujetoRet = n("co_Pago_SujetoRet");
  co_FormaPago = n("co_FormaPago"), fe_DivFecha = n("fe_DivFecha"), mo_DivIRpagado = n("mo_DivIRpagado");
  nu_DivAnio = n("nu_DivAnio"), nu_CRserie = n("nu_CRserie"), nu_CRsecu = n("nu_CRsecu");
  nu_CRautoriza = n("nu_CRautoriza"), fe_CRemision = n("fe_CRemision"),
  co_comprob_modi = n("co_comprob_modi");
  nu_serie_modi = n("nu_serie_modi"), nu_secuen_modi = n("nu_secuen_modi");
  nu_autoriza_modi = n("nu_autoriza_modi"), co_IRcodigo = n("co_IRcodigo"), mo_IRbase = n("mo_IRbase");
  va_IRporc = n("va_IRporc"), mo_IRmonto = n("mo_IRmonto");
}

void CompraActual::empieza(std::int64_t id) {
  idReg = id;
  nueva = true;
  iTipoComprobante = 0;
  air.limpia();
  despuesDeAir.limpia();
  airAntes = false;
}

void CompraActual::termina(EscritorXml& documento) {
  if (air.abierto()) air.cierra();
  if (airAntes) documento.inserta(air.bytes());
  documento.inserta(despuesDeAir.bytes());
  if (!airAntes) documento.inserta(air.bytes());
  documento.cierra();
}

void seccionCompras(const ContextoSeccion& ctx) {
  ctx.frm.XPStatusBar_Panel1("");
  ConsultaSeccion consulta = consultaCompras(ctx);
  if (!abreSeccion(ctx, consulta, "compras", "Procesando información: COMPRAS...",
                   "Información de COMPRAS no encontrada..."))
    return;
  vt::db::Recordset& rs = consulta.rs;
  const ColumnasCompra c(rs);
  PagoLocExt pagoLocExt;
  CompraActual compra;
  bool bAbierta = false;
  std::int64_t vIdAnterior = 0;
  for (; !rs.eof(); rs.moveNext()) {
    const std::int64_t id = static_cast<std::int64_t>(numeroRequerido(rs.field(c.id_reg)));
    compra.nueva = id != vIdAnterior;
    if (compra.nueva) {
      if (bAbierta) compra.termina(ctx.iva);
      compra.empieza(id);
      ctx.iva.abre("detalleCompras");
      bAbierta = true;
      datosDeCompra(rs, c, ctx.iva, compra, pagoLocExt);
    }
    retencionesDeFila(ctx, rs, c, compra);
    vIdAnterior = id;
    avanza(ctx);
  }
  if (bAbierta) compra.termina(ctx.iva);
  cierraSeccion(ctx, consulta);
}

}  // namespace ambrix::xml
