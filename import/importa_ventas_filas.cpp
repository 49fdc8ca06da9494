// The value lists of the sales stores: the sales row and its income-tax row of a sheet row, the
// work row to be totalled, and the sales row and income-tax row of a total.

#include <array>

#include "import/importa_ventas.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "shell/core/valores.hpp"

namespace ambrix {

namespace {

using vt::conv::FormatNumberText;
using vt::conv::LeadingNumber;
using vt::conv::Trim;

constexpr const char* kCamposVenta =
    "co_empresa, co_mes, co_anio, co_tipoID, co_cliente, ds_cliente, co_estable, "
    " fe_emision, fe_conta, nu_comprob, co_comprob, "
    " st_IVAPresun, "
    " mo_base_NoIva, mo_base_0, mo_base, co_iva, mo_iva, "
    " mo_iva_1, co_iva_1, mo_ret_1, mo_iva_2, co_iva_2, mo_ret_2, "
    " mo_ICEbase, co_ICEcodigo, mo_ICEmonto, "
    " st_IRPresun, "
    " st_regis, ds_campo1, ds_campo2, ds_campo3, "
    " nu_serie, nu_secu, nu_autoriza, "
    " mo_reten_IVA, mo_reten_IR, "
    " co_usua, fe_regis, co_modi, fe_modi, ds_wrkst ) ";

constexpr const char* kCamposVentaIR =
    " co_empresa, co_mes, co_anio, co_cliente, co_comprob, "
    " co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto ) ";

constexpr const char* kCamposTotal =
    " co_empresa, co_mes, co_anio, co_tipoID, co_cliente,  "
    " fe_emision, fe_conta, nu_comprob, co_comprob, "
    " st_IVAPresun, "
    " mo_base_NoIva, mo_base_0, mo_base, co_iva, mo_iva, "
    " mo_iva_1, co_iva_1, mo_ret_1, "
    " mo_iva_2, co_iva_2, mo_ret_2, "
    " mo_ICEbase, co_ICEcodigo, mo_ICEmonto, "
    " st_IRPresun, "
    " st_regis, "
    " co_estable, mo_reten_IVA, mo_reten_IR, "
    " ds_campo1, ds_campo2, ds_campo3, co_usua, fe_regis, co_modi, fe_modi, ds_wrkst )";

constexpr const char* kCamposTotalIR =
    " co_empresa, co_mes, co_anio, co_estable, co_cliente, co_comprob, mo_IRbase, co_IRcodigo, va_IRporc, "
    "mo_IRmonto)";

constexpr const char* kSecuenciaVentas = "TBAT_VENTAS_ID_REG_SEC";
constexpr const char* kSecuenciaVentasIR = "TBAT_VENTAS_IR_ID_REG_SEC";

// A whole number of the month or year cells, or 0 when the cell holds none that fits a date.
int entero(std::string_view sCelda, int iMaximo) {
  const double valor = LeadingNumber(sCelda);
  return valor >= 0 && valor <= iMaximo ? static_cast<int>(valor) : 0;
}

// Every sales row is dated the last day of its own month, whatever its issue date. A month or
// year that makes no date is written as text, for the database to refuse.
vt::db::SqlValue valorFinDeMes(const ContextoAlmacen& c, std::string_view sMes, std::string_view sAnio) {
  const int mes = entero(sMes, 99), anio = entero(sAnio, 9999);
  const std::string texto = vt::conv::FormatNumber(vt::conv::daysInMonth(anio, mes), "00") + "/" +
                            vt::conv::FormatNumber(mes, "00") + "/" + vt::conv::FormatNumber(anio, "0000");
  return valorFechaHoja(c, texto, kFechaHoja);
}

// The VAT withholding, ICE and presumptive columns the sheet does not carry.
void sinRetencionesIva(ListaInsercion& l) {
  l.valor(valorCeroMonto())
      .valor("'0'")
      .valor(valorCeroMonto())
      .valor(valorCeroMonto())
      .valor("'0'")
      .valor(valorCeroMonto());
}

std::string campo(const vt::db::Recordset& rs, const char* sNombre) { return textOf(rs.field(sNombre)); }

// A summed amount of a total, times the total's sign.
vt::db::SqlValue montoTotal(const vt::db::Recordset& rs, const char* sNombre, int iSigno) {
  return valorMonto(vt::conv::FormatNumber(numberOf(rs.field(sNombre)), "########0.00"), iSigno);
}

}  // namespace

int signoVenta(std::string_view sComprobante) { return LeadingNumber(sComprobante) == 4 ? -1 : 1; }

std::string codigoIvaEmpresa() {
  return vt::conv::SalesVatRateCode(LeadingNumber(gParametrosEmpresa.gsPorcIVA));
}

void convierteTipoIdVenta(vt::automation::StringMatrix& hoja, long fila) {
  hoja.set(fila, 3, vt::conv::SalesIdTypeCode(hoja.get(fila, 3)));
}

ListaInsercion filaVenta(const ContextoAlmacen& c, const vt::automation::StringMatrix& h, long f,
                         const std::string& sCodigoIva) {
  const auto celda = [&](long columna) { return h.get(f, columna); };
  const int signo = signoVenta(celda(7));
  const auto monto = [&](long columna) { return valorMonto(celda(columna), signo); };
  const vt::db::SqlValue fecha = valorFinDeMes(c, celda(1), celda(2));
  ListaInsercion l(kCamposVenta);
  l.claveOracle(c, kSecuenciaVentas);
  l.valor(valorTexto(celda(0)))
      .valor(valorCodigo(celda(1), "00"))
      .valor(valorCodigo(celda(2), "0000"))
      .valor(valorCodigo(celda(3), "00"))
      .valor(valorCodigo(celda(4), "0000000000000"))
      .valor(valorTexto(vt::conv::Left(Trim(celda(5)), 100)))
      .valor(valorTexto(Trim(celda(6))))
      .valor(fecha)
      .valor(fecha)
      .valor(valorNumero(celda(8), "########0"))
      .valor(valorCodigo(celda(7), "00"))
      .valor("'N'")
      .valor(monto(9))
      .valor(monto(10))
      .valor(monto(11))
      .valor(valorCodigo(sCodigoIva, "0"))
      .valor(monto(12));
  sinRetencionesIva(l);
  l.valor(valorCeroMonto())
      .valor("'0'")
      .valor(valorCeroMonto())
      .valor("'N'")
      .valor("'A'")
      .valor("' '")
      .valor("' '")
      .valor("' '")
      .valor(valorTexto(Trim(celda(16))))
      .valor(valorTexto(Trim(celda(17))))
      .valor(valorTexto(Trim(celda(18))))
      .valor(monto(13))
      .valor(monto(14))
      .auditoria(c);
  return l;
}

ListaInsercion filaVentaIR(const ContextoAlmacen& c, const vt::automation::StringMatrix& h, long f) {
  ListaInsercion l(kCamposVentaIR);
  l.claveOracle(c, kSecuenciaVentasIR);
  l.valor(valorTexto(h.get(f, 0)))
      .valor(valorCodigo(h.get(f, 1), "00"))
      .valor(valorCodigo(h.get(f, 2), "0000"))
      .valor(valorCodigo(h.get(f, 4), "0000000000000"))
      .valor(valorCodigo(h.get(f, 7), "00"))
      .valor(valorCodigo("0", "####0"))
      .valor(valorCeroMonto())
      .valor(valorCero())
      .valor(valorMonto(h.get(f, 14), signoVenta(h.get(f, 7))));
  return l;
}

ListaInsercion filaVentaAcumular(const ContextoAlmacen& c, const vt::automation::StringMatrix& h, long f,
                                 const std::string& sCodigoIva) {
  std::array<std::string_view, 15> celdas;
  for (long columna = 0; columna < 15; ++columna) celdas[columna] = h.get(f, columna);
  ListaInsercion l(vt::conv::kSalesWorkRowColumns);
  l.claveOracle(c, "TBATVENTAS_ACUMULAR_ID_REG_SEC");
  // The name is cut to the width of the table's column, so that a long one does not refuse the row.
  for (const vt::conv::InsertValue& v : vt::conv::SalesWorkRow(celdas, sCodigoIva, 100))
    l.valor(v.kind == vt::conv::InsertValue::Kind::Text ? valorTexto(v.text)
            : v.number                                  ? vt::db::SqlValue::number(*v.number)
                                                        : vt::db::SqlValue(v.text));
  return l;
}

std::string camposTotalesVentas() {
  return "A.co_empresa, co_mes, co_anio, co_tipoID, co_cliente, min(co_estable) as co_estable, co_comprob, "
         "sum(nu_comprob) as to_comp,  "
         " sum(mo_base_NoIva) as base_NoIVA, sum(mo_base_0) as base_imp_0, sum(mo_base) as base_imp,  "
         "min(co_iva) as codigo_iva, sum(mo_iva) as monto_iva, "
         " sum(mo_ICEbase) as ICEBase, min(co_ICEcodigo) as ICECodigo, sum(mo_ICEmonto) as ICEMonto, "
         " min(st_IVAPresun) as IVAPresun, min(st_IRPresun) as IRPresun, "
         " sum(mo_reten_IVA) as IVAReten, sum(mo_reten_IR) as IRReten ";
}

namespace {

constexpr const char* kClaveTotalesVentas = "co_empresa, co_mes, co_anio, co_tipoID, co_cliente, co_comprob";

// The period's work rows, without the grouping.
std::string periodoTotalesVentas(const std::string& co_empresa, const std::string& nu_mes,
                                 const std::string& nu_anio) {
  std::string condicion = " Where co_empresa = " + vt::db::quoteSql(co_empresa) + " ";
  if (LeadingNumber(nu_mes) != 99)
    condicion += "and co_mes = " + vt::db::quoteSql(FormatNumberText(nu_mes, "00")) + " ";
  return condicion + "and co_anio = " + vt::db::quoteSql(FormatNumberText(nu_anio, "0000")) + " ";
}

}  // namespace

std::string condicionTotalesVentas(const std::string& co_empresa, const std::string& nu_mes,
                                   const std::string& nu_anio) {
  return periodoTotalesVentas(co_empresa, nu_mes, nu_anio) + " GROUP BY " + kClaveTotalesVentas + "  ";
}

std::string cuentaTotalesVentas(const std::string& co_empresa, const std::string& nu_mes,
                                const std::string& nu_anio) {
  return "SELECT count(*) FROM (" +
         selectText(std::string("DISTINCT ") + kClaveTotalesVentas, kTablaTotalesVentas,
                    periodoTotalesVentas(co_empresa, nu_mes, nu_anio)) +
         ")";
}

ListaInsercion filaTotalVenta(const ContextoAlmacen& c, const vt::db::Recordset& rs) {
  const int signo = signoVenta(campo(rs, "co_comprob"));
  const auto monto = [&](const char* sNombre) { return montoTotal(rs, sNombre, signo); };
  const vt::db::SqlValue fecha = valorFinDeMes(c, campo(rs, "co_mes"), campo(rs, "co_anio"));
  // The lowest ICE code of the work rows, which always hold '0', is written bare; anything else
  // stays between quotes.
  const std::string ice = FormatNumberText(Trim(campo(rs, "ICECodigo")), "0");
  ListaInsercion l(kCamposTotal);
  l.claveOracle(c, kSecuenciaVentas);
  l.valor(valorTexto(Trim(campo(rs, "co_empresa"))))
      .valor(valorCodigo(campo(rs, "co_mes"), "00"))
      .valor(valorCodigo(campo(rs, "co_anio"), "0000"))
      .valor(valorTexto(campo(rs, "co_tipoID")))
      .valor(valorTexto(Trim(campo(rs, "co_cliente"))))
      .valor(fecha)
      .valor(fecha)
      .valor(valorCodigo(campo(rs, "to_comp"), "########0"))
      .valor(valorCodigo(campo(rs, "co_comprob"), "00"))
      .valor(valorCodigo(Trim(campo(rs, "IVAPresun")), "#"))
      .valor(monto("base_NoIVA"))
      .valor(monto("base_imp_0"))
      .valor(monto("base_imp"))
      .valor(valorCodigo(campo(rs, "codigo_iva"), "0"))
      .valor(monto("monto_iva"));
  sinRetencionesIva(l);
  l.valor(monto("ICEBase"))
      .valor(vt::conv::IsNumericText(ice) ? ice : valorTexto(ice))
      .valor(monto("ICEMonto"))
      .valor(valorCodigo(Trim(campo(rs, "IRPresun")), "#"))
      .valor("'A'")
      .valor(valorCodigo(campo(rs, "co_estable"), "000"))
      .valor(monto("IVAReten"))
      .valor(monto("IRReten"))
      .valor("' '")
      .valor("' '")
      .valor("' '")
      .auditoria(c);
  return l;
}

ListaInsercion filaTotalVentaIR(const ContextoAlmacen& c, const vt::db::Recordset& rs) {
  ListaInsercion l(kCamposTotalIR);
  l.claveOracle(c, kSecuenciaVentasIR);
  l.valor(valorTexto(Trim(campo(rs, "co_empresa"))))
      .valor(valorCodigo(campo(rs, "co_mes"), "00"))
      .valor(valorCodigo(campo(rs, "co_anio"), "0000"))
      .valor(valorTexto(Trim(campo(rs, "co_estable"))))
      .valor(valorTexto(Trim(campo(rs, "co_cliente"))))
      .valor(valorCodigo(campo(rs, "co_comprob"), "00"))
      .valor(valorCeroMonto())
      .valor("'0'")
      .valor(valorCero())
      .valor(valorCeroMonto());
  return l;
}

}  // namespace ambrix
