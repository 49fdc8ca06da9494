// Single elements of the annex from fixture rows: the masks, the conditions under which an
// element is written, and the Null rules, each read back with XPath from the written file.

#include <gtest/gtest.h>

#include <ostream>

#include "tests/xml/xml_fixture.hpp"

namespace ambrix::testing {
namespace {

struct CasoElemento {
  const char* porque;
  std::vector<std::string> filas;
  const char* xpath;
  const char* esperado;
};



void PrintTo(const CasoElemento& c, std::ostream* os) { *os << c.porque; }

const CasoElemento kCasos[] = {
    // Header.
    {"sales of three establishments count three, type 41 included", {venta(), venta({{"co_estable", "'002'"}}),
      venta({{"co_estable", "'003'"}, {"co_comprob", "'41'"}})}, "/iva/numEstabRuc", "003"},
    {"the sales total leaves type 41 out", {venta(), venta({{"co_estable", "'003'"}, {"co_comprob", "'41'"}})},
     "/iva/totalVentas", "500.00"},
    {"sales chosen without sales rows: one establishment", {}, "/iva/numEstabRuc", "001"},
    {"sales chosen without sales rows: a total of 0.00", {}, "/iva/totalVentas", "0.00"},
    {"sales chosen without sales rows: no ventas", {}, "count(/iva/ventas)", "0"},
    {"sales chosen without sales rows: no ventasEstablecimiento", {}, "count(/iva/ventasEstablecimiento)", "0"},

    // Purchases (children of detalleCompras).
    {"a cédula supplier's number gets ten digits", {compra({{"co_tipoID", "'02'"}, {"co_provee", "'123'"}})},
     "/iva/compras/detalleCompras/idProv", "0000000123"},
    {"a RUC supplier's number stays as stored", {compra()}, "/iva/compras/detalleCompras[1]/idProv", "0990017514001"},
    {"codes are written with two digits", {compra({{"co_credito", "'1'"}, {"co_comprob", "'1'"}})},
     "concat(//codSustento, '/', //tipoComprobante)", "01/01"},
    {"tipoProv and parteRel stand only for a passport", {compra()}, "count(//tipoProv | //parteRel)", "0"},
    {"tipoProv and parteRel of a passport follow tipoComprobante",
     {compra({{"co_tipoID", "'03'"}, {"co_Prove_Tipo", "'2'"}, {"co_Prove_Relac", "'01'"}})},
     "concat(name(//tipoComprobante/following-sibling::*[1]), '=', //tipoProv, ' ', //parteRel)", "tipoProv=02 1"},
    {"the serie splits into establishment and point", {compra({{"nu_serie", "'004005'"}})},
     "concat(//establecimiento, '-', //puntoEmision)", "004-005"},
    {"a short sequential is padded to nine digits", {compra({{"nu_secu", "'45'"}})}, "//secuencial", "000000045"},
    {"dates are day/month/year", {compra()}, "concat(//fechaRegistro, ' ', //fechaEmision)",
     "15/05/2013 14/05/2013"},
    {"the authorisation is trimmed and upper-cased", {compra({{"nu_autoriza", "' ab12cd '"}})}, "//autorizacion",
     "AB12CD"},
    {"a Null base is 0.00", {compra({{"mo_base_NoIva", "NULL"}})}, "//baseNoGraIva", "0.00"},
    {"amounts keep two decimals, rounded half away from zero", {compra({{"mo_base", "0.125"}})}, "//baseImpGrav",
     "0.13"},
    {"a total under 1000.00 has no payment forms", {compra({{"mo_base", "600"}, {"mo_base_0", "300"},
                                                            {"mo_iva", "36"}})},
     "count(//formasDePago)", "0"},
    {"exactly 1000.00 has them", {compra({{"mo_base_NoIva", "900"}, {"mo_base", "100"}, {"mo_iva", "0"}})},
     "count(//formasDePago)", "1"},
    {"1000.00 made of cents still counts", {compra({{"mo_base_0", "333.33"}, {"mo_base", "666.67"},
                                                    {"mo_iva", "0"}})},
     "count(//formasDePago)", "1"},
    {"each payment code, two digits", {compra({{"mo_base", "1000"}, {"co_FormaPago", "'1-20'"}})},
     "concat(count(//formaPago), ':', //formaPago[1], ',', //formaPago[2])", "2:01,20"},
    {"VAT withheld whole goes to valRetServ100", {compra({{"mo_ret_2", "12"}})},
     "concat(//valorRetServicios, ' ', //valRetServ100)", "0.00 12.00"},
    {"any other services withholding goes to valorRetServicios", {compra({{"mo_ret_2", "8.4"}})},
     "concat(//valorRetServicios, ' ', //valRetServ100)", "8.40 0.00"},
    {"a Null services withholding differs from the VAT", {compra({{"mo_ret_2", "NULL"}})},
     "concat(//valorRetServicios, '|', //valRetServ100)", "|0.00"},
    {"a local payment is NA abroad", {compra()},
     "concat(//pagoLocExt, ' ', //paisEfecPago, ' ', //aplicConvDobTrib, ' ', //pagExtSujRetNorLeg)",
     "01 NA NA NA"},
    {"a lower-case l is not local", {compra({{"co_Pago_Tipo", "'l'"}, {"co_Pago_pais", "'9'"}})},
     "concat(//pagoLocExt, ' ', //paisEfecPago)", "0 009"},
    {"a payment abroad reads the catalogue and the three columns",
     {compra({{"co_Pago_Tipo", "'E'"}, {"co_Pago_pais", "'109'"}, {"co_Pago_doble", "'SI'"},
              {"co_Pago_SujetoRet", "'NO'"}})},
     "concat(//pagoLocExt, ' ', //paisEfecPago, ' ', //aplicConvDobTrib, ' ', //pagExtSujRetNorLeg)",
     "02 109 SI NO"},

    // Withholdings, retention voucher, modified document, reimbursements.
    {"an invoice without withholding rows has an empty air", {compra()}, "count(//air/*)", "0"},
    {"air follows pagoExterior when there are no payment forms", {compra()},
     "name(//pagoExterior/following-sibling::*[1])", "air"},
    {"a withholding code 0 writes no detail", {compra(), retencion({{"co_IRcodigo", "'0'"}})},
     "concat(count(//air), count(//detalleAir))", "10"},
    {"three withholding rows, three details in stored order",
     {compra(), retencion({{"co_IRcodigo", "'312'"}}), retencion({{"co_IRcodigo", "'332'"}}),
      retencion({{"co_IRcodigo", "'344'"}})},
     "concat(count(//detalleCompras), ':', //detalleAir[1]/codRetAir, //detalleAir[2]/codRetAir, "
     "//detalleAir[3]/codRetAir)",
     "1:312332344"},
    {"code 344 has no dividend elements", {compra(), retencion({{"co_IRcodigo", "'344'"}})},
     "count(//fechaPagoDiv)", "0"},
    {"code 345 adds the dividend elements",
     {compra({{"fe_DivFecha", "'2013-04-30'"}, {"mo_DivIRpagado", "25"}, {"nu_DivAnio", "2012"}}),
      retencion({{"co_IRcodigo", "'345'"}})},
     "concat(//fechaPagoDiv, ' ', //imRentaSoc, ' ', //anioUtDiv)", "30/04/2013 25.00 2012"},
    {"withholding amounts with two decimals",
     {compra(), retencion({{"mo_IRbase", "100"}, {"va_IRporc", "1.5"}, {"mo_IRmonto", "1.5"}})},
     "concat(//baseImpAir, ' ', //porcentajeAir, ' ', //valRetAir)", "100.00 1.50 1.50"},
    {"a withholding row of another purchase stays out",
     {compra(), retencion({{"nu_secu", "'000000999'"}})}, "count(//detalleAir)", "0"},
    {"a zero retention sequential writes no voucher", {compra()}, "count(//estabRetencion1)", "0"},
    {"a retention voucher", {compra({{"nu_CRserie", "'001002'"}, {"nu_CRsecu", "'000000045'"},
                                     {"fe_CRemision", "'2013-05-16'"}})},
     "concat(//estabRetencion1, ' ', //ptoEmiRetencion1, ' ', //secRetencion1, ' ', //fechaEmiRet1)",
     "001 002 000000045 16/05/2013"},
    {"a credit note names the document it modifies",
     {compra({{"co_comprob", "'04'"}, {"co_comprob_modi", "'1'"}, {"nu_serie_modi", "'002001'"},
              {"nu_secuen_modi", "'77'"}, {"nu_autoriza_modi", "'abc '"}})},
     "concat(//docModificado, ' ', //estabModificado, ' ', //ptoEmiModificado, ' ', //secModificado, '|', "
     "//autModificado, '|')",
     "01 002 001 000000077|ABC |"},
    {"an invoice names no modified document", {compra({{"co_comprob_modi", "'1'"}, {"nu_serie_modi", "'002001'"}})},
     "count(//docModificado)", "0"},
    {"a reimbursement without its vouchers has neither reembolsos nor air", {compra({{"co_comprob", "'41'"}})},
     "count(//reembolsos | //air)", "0"},
    {"reimbursed vouchers: RUC thirteen digits, cédula ten",
     {compra({{"id_reg", "7"}, {"co_comprob", "'41'"}}), reembolso({{"id_comprob", "7"}}),
      reembolso({{"id_comprob", "7"}, {"co_RE_tipoID", "'2'"}, {"co_RE_provee", "'0001710034065'"}})},
     "concat(//reembolso[1]/idProvReemb, ' ', //reembolso[2]/tpIdProvReemb, ' ', //reembolso[2]/idProvReemb)",
     "1790011674001 02 1710034065"},
    {"a reimbursed voucher's serie and sequential",
     {compra({{"co_comprob", "'41'"}}), reembolso({{"nu_RE_serie", "'001002'"}, {"nu_RE_secu", "'5'"}})},
     "concat(//establecimientoReemb, ' ', //puntoEmisionReemb, ' ', //secuencialReemb)", "001 002 000000005"},
    {"a reimbursement's own withholding gets its own air, before the retention voucher",
     {compra({{"co_comprob", "'41'"}, {"nu_CRsecu", "'000000045'"}}), retencion({{"co_comprob", "'41'"}})},
     "concat(count(//air/detalleAir), name(//air/following-sibling::*[1]))", "1estabRetencion1"},
    {"a withholding never lands in another supplier's purchase",
     {compra({{"id_reg", "1"}}), compra({{"id_reg", "2"}, {"co_comprob", "'41'"}}),
      retencion({{"co_comprob", "'41'"}})},
     "concat(count(/iva/compras/detalleCompras[1]//detalleAir), count(/iva/compras/detalleCompras[2]//detalleAir))",
     "01"},

    // Sales.
    {"a cédula stored with thirteen digits is written with ten",
     {venta({{"co_tipoID", "'05'"}, {"co_cliente", "'0001710034065'"}})}, "//idCliente", "1710034065"},
    {"a passport with letters stays as stored", {venta({{"co_tipoID", "'06'"}, {"co_cliente", "'AB123'"}})},
     "//idCliente", "AB123"},
    {"a numeric identification of a final consumer gets thirteen digits",
     {venta({{"co_tipoID", "'07'"}, {"co_cliente", "'9999999999'"}})}, "//idCliente", "0009999999999"},
    {"a credit note's amounts are shown positive",
     {venta({{"co_comprob", "'04'"}, {"mo_base_NoIva", "-10"}, {"mo_base_0", "-100"}, {"mo_base", "-50"},
             {"mo_iva", "-6"}, {"mo_reten_IVA", "-1"}, {"mo_reten_IR", "-0.5"}})},
     "concat(//tipoComprobante, ' ', //baseNoGraIva, ' ', //baseImponible, ' ', //baseImpGrav, ' ', "
     "//montoIva, ' ', //valorRetIva, ' ', //valorRetRenta)",
     "04 10.00 100.00 50.00 6.00 1.00 0.50"},
    {"a credit note lowers its establishment and the total",
     {venta(), venta({{"co_comprob", "'04'"}, {"mo_base_NoIva", "-10"}, {"mo_base_0", "-100"},
                      {"mo_base", "-50"}})},
     "concat(//ventasEstab, ' ', /iva/totalVentas)", "340.00 340.00"},
    {"a credit note code stored as 4 still takes the sign", {venta({{"co_comprob", "'4'"}, {"mo_base", "-50"}})},
     "concat(//detalleVentas/tipoComprobante, ' ', //detalleVentas/baseImpGrav)", "04 50.00"},
    {"a Null base not subject to VAT and a Null income-tax withholding are 0.00",
     {venta({{"mo_base_NoIva", "NULL"}, {"mo_reten_IR", "NULL"}}), venta()},
     "concat(//detalleVentas[1]/baseNoGraIva, ' ', //detalleVentas[1]/valorRetRenta)", "0.00 0.00"},
    {"establishments in order, each with its own total",
     {venta({{"co_estable", "'002'"}, {"mo_base", "70"}}), venta({{"mo_base", "30"}})},
     "concat(//ventaEst[1]/codEstab, '=', //ventaEst[1]/ventasEstab, ' ', //ventaEst[2]/codEstab, '=', "
     "//ventaEst[2]/ventasEstab)",
     "001=30.00 002=70.00"},

    // Exports.
    {"shipped on 30/09/2012: six-digit correlative, check digit and FUE",
     {exportacion({{"fe_transacc", "'2012-09-30'"}, {"nu_FUE", "'0280012345678'"}})},
     "concat(//correlativo, ' ', //verificador, ' ', //fue)", "000123 7 0280012345678"},
    {"shipped on 01/10/2012: eight-digit correlative, no check digit, no FUE",
     {exportacion({{"fe_transacc", "'2012-10-01'"}})},
     "concat(//correlativo, ' ', count(//verificador | //fue))", "00000123 0"},
    {"a Null FUE on an old shipment is thirteen zeros", {exportacion({{"fe_transacc", "'2012-09-01'"}})},
     "//fue", "0000000000000"},
    {"a service has no customs elements but an old one has its FUE",
     {exportacion({{"co_Transacc", "'2'"}, {"fe_transacc", "'2012-09-30'"}, {"nu_FUE", "'1'"}})},
     "concat(//exportacionDe, ' ', count(//distAduanero | //correlativo | //docTransp), ' ', "
     "name(//fechaEmbarque/following-sibling::*[1]))",
     "02 0 fue"},
    {"an unknown export type is written as stored, like a service", {exportacion({{"co_Transacc", "'X'"}})},
     "concat(//exportacionDe, ' ', count(//distAduanero))", "X 0"},
    {"goods: customs district, year, regime, transport document",
     {exportacion({{"nu_ref_dist", "'28'"}})},
     "concat(//distAduanero, ' ', //anio, ' ', //regimen, ' ', //docTransp, ' ', //fechaEmbarque)",
     "028 2013 40 0000000000456 20/05/2013"},
    {"amounts with two decimals and no grouping", {exportacion({{"mo_FOB", "1500"}, {"mo_base", "0"}})},
     "concat(//valorFOB, ' ', //valorFOBComprobante)", "1500.00 0.00"},

    // Cancelled documents.
    {"a cancelled range", {anulado({{"co_comprob", "'1'"}})},
     "concat(//detalleAnulados/tipoComprobante, ' ', //detalleAnulados/establecimiento, ' ', "
     "//detalleAnulados/puntoEmision, ' ', //secuencialInicio, ' ', //secuencialFin)",
     "01 001 002 000000101 000000150"},
    {"a cancelled range's authorisation is trimmed and upper-cased", {anulado({{"nu_autoriza", "'ab12  '"}})},
     "//detalleAnulados/autorizacion", "AB12"},
    {"ranges follow the order they were stored in",
     {anulado({{"nu_secu_ini", "'000000300'"}}), anulado({{"nu_secu_ini", "'000000001'"}})},
     "concat(//detalleAnulados[1]/secuencialInicio, ' ', //detalleAnulados[2]/secuencialInicio)",
     "000000300 000000001"},
};

class Elemento : public XmlTest, public ::testing::WithParamInterface<CasoElemento> {};

TEST_P(Elemento, Text) {
  const CasoElemento& caso = GetParam();
  inserta(caso.filas);
  ASSERT_TRUE(escribe()) << lastMessage();
  EXPECT_EQ(xpath(caso.xpath), caso.esperado) << caso.porque;
}

INSTANTIATE_TEST_SUITE_P(Casos, Elemento, ::testing::ValuesIn(kCasos));

}  // namespace
}  // namespace ambrix::testing
