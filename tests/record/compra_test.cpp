// The older purchase record validator: a valid purchase of May 2013 with a few fields changed, the
// exact fault text each gives, the last day of the month it leaves on the object and the zeros of
// an empty withholding.

#include <string>
#include <vector>

#include "registro_fixture.hpp"
#include "registros_validos.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;


const Campos& kValido = validos::kCompra;

using Compra = RegistrosDe<&CLSValidarInformacion::Valida_Cmpra>;

TEST_F(Compra, EachCheckWritesItsLine) {
  struct Case {
    Cambios cambios;
    std::vector<std::string> lineas;  // none: the record passes
    const char* why;
  };
  const Cambios notaCredito = {{8, "04"}, {32, "01"}, {33, "10/05/2013"}, {34, "001001"}, {35, "99"},
                               {36, "1112223334"}};
  const std::vector<Case> casos = {
      {{}, {}, "a valid purchase"},
      {{{0, "1792045185001 "}, {2, "2012"}},
       {"RUC de Empresa no coincide con la empresa seleccionada: 1792045185001 ",
        "Periodo: Año no coincide con el año seleccionado : 2012",
        "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 15/05/2013"},
       "another company and year: the period ends in the record's own year"},
      {{{3, "31/05/2013"}, {4, "31/05/2013"}, {31, "31/05/2013"}}, {}, "issued on the last day of the period"},
      {{{3, "01/06/2013"}},
       {"Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 01/06/2013",
        "Fecha de contabilización no puede ser menor que la fecha de emisión 20/05/2013-01/06/2013"},
       "issued after the period"},
      {{{3, "x"}},
       {"Fecha de emisión de comprobante no es válido: x",
        "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado x",
        "Fecha de contabilización no puede ser menor que la fecha de emisión 20/05/2013-x",
        "Fecha de emision no debe ser mayor a fecha de caducidad del comprobante 31/12/2013"},
       "an issue date that is no date fails every check that reads it"},
      {{{4, "15/05/2013"}}, {}, "entered the day it was issued"},
      {{{2, "99999999999"}},
       {"Periodo: Año no coincide con el año seleccionado : 99999999999",
        "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 15/05/2013"},
       "a year beyond any date forms no period end (and is never cast)"},
      {{{2, "2013.5"}},
       {"Periodo: Año no coincide con el año seleccionado : 2013.5",
        "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 15/05/2013"},
       "a year with decimals forms none either"},
      {{{4, "14/05/2013"}},
       {"Fecha de contabilización no puede ser menor que la fecha de emisión 14/05/2013-15/05/2013"},
       "entered before it was issued"},
      {{{4, "20/06/2013"}},
       {"Mes de fecha de contabilización de comprobante no corresponde: 20/06/2013",
        "CR - Fecha de emisión debe ser mayor o igual a fecha de registro contable 20/05/2013"},
       "entered in another month"},
      {{{4, "20/05/2012"}},
       {"Año de fecha de contabilización de comprobante no corresponde 20/05/2012",
        "Fecha de contabilización no puede ser menor que la fecha de emisión 20/05/2012-15/05/2013"},
       "entered in the year before, so also before it was issued"},
      {{{5, "r"}, {6, "1792045186001"}}, {"Tipo de identificación no válido r"}, "a kind in lower case: no RUC check"},
      {{{5, "P"}, {6, "123"}}, {}, "a passport is only a positive number"},
      {{{6, "AB"}}, {"Numero de identificación debe ser numérico AB"}, "a number with letters"},
      {{{6, "0"}}, {"Numero de identificacion no válido 0"}, "number zero"},
      {{{6, "1792045186001"}},
       {"Numero de Identificacion (RUC, Cédula ) no válido 1792045186001 Proveedor S.A."},
       "a RUC with a wrong check digit"},
      {{{5, "C"}, {6, "1710034065"}}, {}, "a valid cédula"},
      {{{8, "0"}},
       {"Código de comprobante no válido 0", "Codigo de sustento tributario: 01 no válido para comprobante: 0"},
       "voucher type zero"},
      {{{8, "99"}},
       {"Código de comprobante no válido: 99", "Codigo de sustento tributario: 01 no válido para comprobante: 99"},
       "a voucher type not in the catalogue"},
      {{{8, "18"}},
       {"Comprobante no válido para transaccion de compra: 18",
        "Codigo de sustento tributario: 01 no válido para comprobante: 18"},
       "a voucher type of sales"},
      {{{9, "0"}}, {"Código de credito tributario no válido en compras 0"}, "tax support zero"},
      {{{9, "16"}}, {"Código de credito tributario no válido: 16"}, "a tax support not in the catalogue"},
      {{{9, "10"}},
       {"Codigo de sustento tributario: 10 no válido para comprobante: 01"},
       "a tax support the voucher type does not allow"},
      {{{8, "12"}},
       {"No. de Serie debe ser 999999 para comprobantes del 10 al 14, 19 Y 20 001001"},
       "a bank document needs the serie 999999"},
      {{{8, "12"}, {10, "999999"}}, {}, "a bank document with its serie"},
      {{{10, "999999"}}, {}, "an invoice may have the serie 999999"},
      {{{10, "000001"}},
       {"Número de Serie - Código de establecimiento no válido 000"},
       "establishment zero: the emission point is not looked at"},
      {{{10, "001000"}}, {"Número de Serie - Punto de emisión no válido 000"}, "emission point zero"},
      {{{10, "abc"}},
       {"Número de Serie no válido: abc", "Número de Serie no puede ser cero abc",
        "Número de Serie - Código de establecimiento no válido abc"},
       "a serie that is no number"},
      {{{11, "12345678"}}, {"Secuencia de comprobante. Longitud excede al limite: 12345678"}, "eight digits"},
      {{{11, " 1234567 "}}, {}, "seven digits with blanks around them"},
      {{{11, "0"}}, {"Secuencia de comprobante. No puede ser cero: 0"}, "sequence zero"},
      {{{11, "x"}}, {"Secuencia de comprobante. Debe ser numérico: x"}, "a sequence that is no number"},
      {{{12, "0"}}, {"Número de autorizacion no debe ser cero 0"}, "authorisation zero"},
      {{{12, "x"}}, {"Número de autorizacion no válido: x"}, "an authorisation that is no number"},
      {{{3, "31/01/2013"}, {13, "01/01/2014"}}, {}, "expiry in the twelfth month after the issue month"},
      {{{13, "01/06/2014"}},
       {"Fecha de caducidad de comprobante debe ser maximo un año mayor a la fecha de emision 01/06/2014"},
       "expiry in the thirteenth month"},
      {{{13, "14/05/2013"}},
       {"Fecha de emision no debe ser mayor a fecha de caducidad del comprobante 14/05/2013"},
       "expired before it was issued"},
      {{{13, "x"}}, {"Fecha de caducidad de comprobante no válida: x"}, "an expiry that is no date"},
      {{{14, "x"}}, {"Base imponible 0% debe ser numérico : x"}, "a base 0 % that is no number: no sum line"},
      {{{15, "0"}, {17, "0"}, {18, "0"}, {19, "0"}, {20, "0"}},
       {"Suma de (Base 0% + Base Gravada)  debe ser mayor a cero: 0"},
       "no bases"},
      {{{15, "-5"}, {17, "0"}, {18, "0"}, {19, "0"}, {20, "0"}},
       {"Base imponible gravada debe ser mayor a cero: -5", "Suma de (Base 0% + Base Gravada)  debe ser mayor a cero: -5"},
       "a negative taxed base"},
      {{{15, "x"}, {17, "5"}},
       {"Base imponible gravada debe ser numérico : x", "Monto de IVA debe ser mayor a cero 5",
        "Sumatoria de Montos de IVA Bienes y Servicios debe ser igual al Monto IVA. "},
       "a taxed base that is no number fails the check that reads it"},
      {{{16, "13"}, {17, "13.00"}, {18, "13.00"}}, {"Porcentaje de IVA no registrado: 13"}, "a VAT rate not registered"},
      {{{16, "x"}}, {"Porcentaje de IVA debe ser numérico : x"}, "a VAT rate that is no number"},
      {{{17, "12.01"}},
       {"Base Imponible  x  % IVA no concuerda con Monto de IVA: 12.01",
        "Sumatoria de Montos de IVA Bienes y Servicios debe ser igual al Monto IVA. "},
       "VAT a cent away from the product and from its parts"},
      {{{17, "0"}, {18, "0"}, {19, "0"}, {20, "0"}}, {"Monto de IVA debe ser mayor a cero 0"}, "no VAT on a taxed base"},
      {{{17, "x"}},
       {"Monto de IVA no válido: x", "Sumatoria de Montos de IVA Bienes y Servicios debe ser igual al Monto IVA. ",
        "Monto de retención de IVA debe ser menor o igual al Monto IVA. "},
       "VAT that is no number fails the totals"},
      {{{18, "5.00"}, {21, "7.00"}}, {}, "VAT on goods and services make up the VAT"},
      {{{18, "5.00"}, {21, "6.99"}},
       {"Sumatoria de Montos de IVA Bienes y Servicios debe ser igual al Monto IVA. "},
       "a cent short"},
      {{{20, "12.01"}}, {"Monto de retención de IVA debe ser menor o igual al Monto IVA. "}, "more withheld than the VAT"},
      {{{19, "30"}, {20, "0"}}, {"Retención de IVA x Bienes no coinciden: 12.00 - 30 - 0"}, "a rate, nothing withheld"},
      {{{19, "0"}, {20, "5"}}, {"Retención de IVA x Bienes no coinciden: 12.00 - 0 - 5"}, "withheld without a rate"},
      {{{19, "x"}},
       {"Porcentaje de retención IVA por Bienes debe ser numérico : x",
        "Retención de IVA x Bienes no coinciden: 12.00 - x - 3.60"},
       "a goods rate that is no number"},
      {{{20, "y"}},
       {"Monto Retenido de IVA por Compras no válido: y", "Retención de IVA x Bienes no coinciden: 12.00 - 30 - y"},
       "an amount withheld that is no number fails its pair"},
      {{{22, "30"}},
       {"Porcentaje de retención del IVA por Servicios no registrado: 30",
        "Retención de IVA x Servicios no coinciden: 0 - 30 - 0"},
       "a services rate not registered"},
      {{{24, "100"}, {25, "15"}, {26, "15"}}, {}, "ICE as computed"},
      {{{24, "100"}, {25, "15"}, {26, "15.01"}},
       {"Base ICE x  % ICE no concuerda con Monto retenido ICE: 15.01"},
       "ICE a cent away"},
      {{{24, "10"}}, {"Monto de retención de ICE no coinciden: 10 - 0 - 0"}, "an ICE base without rate"},
      {{{24, "x"}},
       {"Base de ICE no válido: x", "Monto de retención de ICE no coinciden: x - 0 - 0"},
       "an ICE base that is no number fails the check that reads it"},
      {{{25, "x"}}, {"Porcentaje de retención ICE debe ser numérico : x"}, "an ICE rate that is no number"},
      {{{27, ""}}, {}, "no refund state"},
      {{{27, "s"}}, {"Estado de devolución IVA no válido s"}, "a refund state in lower case"},
      {{{28, "x"}},
       {"CR - Número de Serie no válida: x", "Comprobante tiene valores retenidos, debe especificar datos de CR. "},
       "a withholding voucher serie that is no number"},
      {{{29, "0"}}, {"Comprobante tiene valores retenidos, debe especificar datos de CR. "}, "no withholding voucher"},
      {{{28, "0"}, {29, "0"}, {30, "0"}, {19, "0"}, {20, "0"}, {40, "0"}}, {}, "no withholding, no voucher"},
      {{{31, "x"}},
       {"CR - Fecha de emisión no válida: x",
        "CR - Fecha de emisión debe ser mayor o igual a fecha de registro contable x"},
       "a withholding voucher date that is no date"},
      {{{31, "19/05/2013"}},
       {"CR - Fecha de emisión debe ser mayor o igual a fecha de registro contable 19/05/2013"},
       "a withholding voucher issued before the purchase was entered"},
      {{{30, "x"}}, {"CR - Número de Autorizacion no válido: x", "Comprobante tiene valores retenidos, debe especificar datos de CR. "},
       "a withholding voucher authorisation that is no number"},
      {{{32, "x"}, {33, "x"}, {34, "x"}}, {}, "an invoice has no modified voucher"},
      {notaCredito, {}, "a credit note with its modified voucher"},
      {{{8, "04"}},
       {"Código de comprobante no válido 0", "Fecha de emisión de comprobante modific. no es válido: ",
        "Número de Serie comprobante modific. no válido: ", "Número de Serie comprobante modific. no puede ser cero ",
        "Número de Serie - Código de establecimiento comprobante modific. no válido ",
        "Número de Secuencia de comprobante modific. no válido: ", "Número de autorizacion no válido: "},
       "a credit note without its modified voucher"},
      {{{8, "05"}, {32, "99"}, {33, "10/05/2013"}, {34, "001000"}, {35, "0"}, {36, "1112223334"}},
       {"Código de comprobante no válido: 99", "Número de Serie - Punto de emisión comprobante modific. no válido 000",
        "Número de Secuencia de comprobante no puede ser cero 0"},
       "a debit note whose modified voucher is wrong"},
      {{{37, "X"}}, {"Suma de montos de transaccion a debe ser mayor a cero  "}, "a marked transaction without amounts"},
      {{{37, "X"}, {39, "10"}}, {}, "a marked transaction with a free amount"},
      {{{37, "  "}}, {}, "a blank mark asks for no amounts"},
      {{{38, "x"}}, {"Monto de transaccion a Titulo Oneroso no válido: x"}, "an onerous amount that is no number"},
      {{{40, "999"}}, {"IR (1). Código no registrado: 999"}, "a code not in the catalogue"},
      {{{42, "2"}, {43, "2"}},
       {"IR (1). Porcentaje de retención no válido para codigo de retención: 2"},
       "a rate other than the code's fixed one"},
      {{{42, "1.00"}}, {}, "the fixed rate written with decimals"},
      {{{40, "344"}, {42, "1.75"}, {43, "1.75"}}, {}, "the rate enters whole"},
      {{{40, "344"}, {42, "1.75"}, {43, "1.80"}},
       {"IR (1). Base imponible x  porcentaje no concuerda con monto retenido: 1.80"},
       "an amount other than base × rate"},
      {{{40, "303"}, {42, "10"}, {43, "10"}},
       {"IR (1). Porcentaje de retención código 303 no válido para personas juridicas: 10"},
       "code 303 for a company"},
      {{{5, "C"}, {6, "1710034065"}, {40, "303"}, {42, "10"}, {43, "10"}}, {}, "code 303 for a person"},
      {{{40, "344"}, {41, "0"}, {42, "0"}, {43, "0"}}, {"IR (1). Datos incompletos de retención "}, "a code without amounts"},
      {{{48, "344"}}, {"IR(3). Datos incompletos de retención  "}, "the same in block 3"},
      {{{44, "999"}, {45, "100"}, {46, "2"}, {47, "2"}},
       {"IR(2). Código no registrado: 999", "IR(2). Porcentaje de retención no válido para codigo de retención: 2"},
       "a code not found keeps the fixed rate of the code found before"},
      {{{44, "312"}, {45, "x"}, {46, "1"}, {47, "1"}},
       {"IR(2). Base imponible debe ser numérico: x", "IR(2). Datos incompletos de retención "},
       "a base that is no number"},
      {{{48, "312"}, {49, "100"}, {50, "y"}, {51, "z"}},
       {"IR(3). Porcentaje de retención debe ser numérico: y", "IR(3). Monto de retención debe ser numérico: z",
        "IR(3). Datos incompletos de retención  "},
       "a rate and amount that are no numbers: the rate is not compared"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    const Resultado r = valida(con(kValido, c.cambios), "antes\r\n");
    EXPECT_EQ(r.respuesta, "OK");
    EXPECT_EQ(r.fallido, !c.lineas.empty());
    EXPECT_EQ(r.errores, c.lineas.empty() ? "" : "antes\r\n" + texto(c.lineas));
  }
}

TEST_F(Compra, TheLastDayOfTheRecordsMonthStaysOnTheObject) {
  Resultado r = valida(con(kValido, {{1, "2"}}));
  EXPECT_EQ(validador_.iUltDiasMes, "28");
  EXPECT_TRUE(r.fallido) << "another month";

  validador_.nu_mes = 99;
  r = valida(con(kValido, {{4, "20/06/2013"}, {31, "20/06/2013"}}));
  EXPECT_EQ(validador_.iUltDiasMes, "31");
  EXPECT_FALSE(r.fallido) << "a yearly run compares no month: " << r.errores;

  validador_.nu_anio = "";
  r = valida(kValido);
  EXPECT_EQ(validador_.iUltDiasMes, "0") << "no month of year 0";
  EXPECT_EQ(r.errores, texto({"Periodo: Año no coincide con el año seleccionado : 2013",
                              "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 15/05/2013",
                              "Año de fecha de contabilización de comprobante no corresponde 20/05/2013"}))
      << "a period that ends on no day holds no issue date";
}

// Fields 0 to 39 only: the record carries no income-tax withholding at all, which is an unused
// block, not an incomplete one.
TEST_F(Compra, AnArrayWithoutTheWithholdingFieldsHasNoWithholding) {
  const struct {
    std::size_t campos;
    std::vector<std::string> lineas;
    const char* why;
  } casos[] = {
      {40, {}, "no block at all"},
      {44, {}, "the first block and the codes of the others missing"},
      {52, {}, "the whole record"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.why);
    const Resultado r = valida(Campos(kValido.begin(), kValido.begin() + static_cast<long>(c.campos)));
    EXPECT_EQ(r.errores, texto(c.lineas));
    EXPECT_EQ(r.fallido, !c.lineas.empty());
  }
}

TEST_F(Compra, AnEmptyWithholdingIsZeroed) {
  const Resultado r = valida(con(kValido, {{44, ""}, {45, "5"}, {46, "x"}, {47, "y"}}));
  EXPECT_FALSE(r.fallido) << r.errores;
  for (long k = 45; k <= 47; ++k) EXPECT_EQ(r.registro->at(k), "0");
  EXPECT_EQ(r.registro->at(44), "");
  EXPECT_EQ(r.registro->at(6), "1792045185001") << "the identity is checked on a copy";
}

}  // namespace
