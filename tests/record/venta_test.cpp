// The older sales record validator: a valid line of May 2013 with a few fields changed, the exact
// fault text each gives, and the fields it writes back.

#include <string>
#include <vector>

#include "registro_fixture.hpp"
#include "registros_validos.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;

const Campos& kValido = validos::kVenta;

using Venta = RegistrosDe<&CLSValidarInformacion::Valida_Venta>;

TEST_F(Venta, EachCheckWritesItsLine) {
  struct Case {
    Cambios cambios;
    std::vector<std::string> lineas;  // none: the record passes
    const char* why;
    int16_t iValidaBases = 0;
  };
  const Cambios sinBases = {{8, "0"}, {9, "0"}, {11, "0"}};
  const Cambios sinMontos = {{8, "0"}, {9, "0"}, {11, "0"}, {23, "0"}, {24, "0"}};
  const Cambios cedula = {{3, "C"}, {4, "1710034065"}};
  const Cambios ir303 = {{27, "303"}, {28, "100"}, {29, "10"}, {30, "10"}};
  const std::vector<Case> casos = {
      {{}, {}, "a valid line"},
      {{{0, "1792045185001 "}, {1, "6"}, {2, "2012"}},
       {"RUC de Empresa no coincide con la empresa seleccionada: 1792045185001 ",
        "Periodo: Mes no coincide con el mes seleccionado : 6",
        "Periodo: Año no coincide con el año seleccionado : 2012"},
       "another period"},
      {{{1, "05abc"}}, {}, "the month is read from its leading number"},
      {{{3, "r"}, {4, "1792045186001"}},
       {"Tipo de identificación no válido r"},
       "a type in lower case: no identity check"},
      {{{3, "F"}, {4, " 9999999999999 "}}, {}, "the final consumer, blanks around it"},
      {{{3, "F"}, {4, "1710034065"}},
       {"Identificacion para Consumidor Final no válido 1710034065 Cliente S.A."},
       "a final consumer with another number"},
      {cedula, {}, "a valid cédula"},
      {{{3, "C"}, {4, "1710034066"}},
       {"Numero de Identificacion (RUC, Cédula ) no válido 1710034066 Cliente S.A."},
       "a cédula with a wrong check digit"},
      {{{4, "1792045186001"}},
       {"Numero de Identificacion (RUC, Cédula ) no válido 1792045186001 Cliente S.A."},
       "a RUC with a wrong check digit"},
      {{{3, "P"}, {4, "AB123"}},
       {"Numero de identificación debe ser numérico AB123"},
       "a passport with letters"},
      {{{4, "0"}}, {"Numero de identificacion no válido 0"}, "number zero"},
      {{{4, "-5"}}, {"Numero de identificacion no válido -5"}, "a negative number"},
      {{{6, ""}}, {"Código de comprobante no válido "}, "no voucher type"},
      {{{6, "0"}}, {"Código de comprobante no válido 0"}, "voucher type zero"},
      {{{6, "99"}}, {"Código de comprobante no válido: 99"}, "a voucher type not in the catalogue"},
      {{{6, "01"}}, {"Comprobante no válido para transaccion de venta 01"}, "a voucher type not for sales"},
      {{{7, "x"}}, {"Cantidad de comprobantes al mes debe ser numerico: x"}, "a count that is no number"},
      {{{7, "x"}}, {"Cantidad de comprobantes al mes debe ser numerico: x"}, "the same, checks relaxed", 1},
      {{{7, "0"}}, {"Cantidad de comprobantes al mes debe ser mayor a cero: 0"}, "no vouchers"},
      {{{7, "0"}}, {}, "no vouchers, the count checks relaxed", 1},
      {{{8, "abc"}}, {"Base imponible 0% debe ser numerico : abc"}, "a base 0 % that is no number"},
      {{{9, "-1"}},
       {"Base imponible gravada debe ser mayor o igual a cero: -1"},
       "a negative taxed base: no VAT is asked of it"},
      {sinMontos,
       {"Suma de (Base 0% + Base Gravada)  debe ser mayor a cero: 0",
        "Comprobante no contiene monto. Sumatoria de Base 12% + Base 0% + Bases IR(x). debe ser mayor a "
        "cero. "},
       "a line without amounts"},
      {sinMontos,
       {"Comprobante no contiene monto. Sumatoria de Base 12% + Base 0% + Bases IR(x). debe ser mayor a "
        "cero. "},
       "a line without amounts, the sum of the bases relaxed",
       1},
      {sinBases,
       {"Suma de (Base 0% + Base Gravada)  debe ser mayor a cero: 0"},
       "no bases but an income-tax base: the line has an amount"},
      {{{8, "-80"}, {9, "30"}, {11, "3.60"}},
       {"Base imponible 0% debe ser mayor o igual a cero: -80",
        "Suma de (Base 0% + Base Gravada)  debe ser mayor a cero: -50"},
       "the sum is written as a plain number"},
      {{{10, "x"}},
       {"Porcentaje de IVA debe ser numerico : x",
        "Base Imponible  x  % IVA no concuerda con Monto de IVA 12.00"},
       "a VAT rate that is no number is taken as met and the product is 0"},
      {{{10, "13"}, {11, "13.00"}},
       {"Porcentaje de IVA no registrado: 13"},
       "a VAT rate not in the catalogue"},
      {{{10, "14"}},
       {"Base Imponible  x  % IVA no concuerda con Monto de IVA 12.00"},
       "the record's own rate, not the object's"},
      {{{11, "12.004"}}, {}, "VAT that rounds to the computed one"},
      {{{11, "12.01"}}, {"Base Imponible  x  % IVA no concuerda con Monto de IVA 12.01"}, "VAT a cent away"},
      {{{11, "0"}}, {"Monto de IVA debe ser mayor a cero 0"}, "no VAT on a taxed base: no product"},
      {{{11, "x"}},
       {"Monto de IVA no válido: x", "Base Imponible  x  % IVA no concuerda con Monto de IVA x"},
       "VAT that is no number fails its product too"},
      {{{9, "abc"}, {11, "0"}},
       {"Base imponible gravada debe ser numerico : abc", "Monto de IVA debe ser mayor a cero 0"},
       "a taxed base that is no number counts as above zero"},
      {{{9, "abc"}},
       {"Base imponible gravada debe ser numerico : abc",
        "Base Imponible  x  % IVA no concuerda con Monto de IVA 12.00"},
       "a taxed base that is no number leaves the product at 0"},
      {{{13, "0"}, {14, "5"}},
       {"Retencion de IVA x Bienes no coinciden: 12.00 - 0 - 5"},
       "withheld without rate"},
      {{{13, "30"}, {14, "0"}},
       {"Retencion de IVA x Bienes no coinciden: 12.00 - 30 - 0"},
       "a rate, nothing withheld"},
      {{{13, "30"}, {14, "1.00"}}, {}, "the amount withheld is not computed from the rate"},
      {{{13, "15"}},
       {"Porcentaje de retencion del IVA por Bienes no registrado: 15"},
       "a goods rate not registered"},
      {{{12, "x"}, {13, "y"}},
       {"Monto de IVA por Compras no válido: x",
        "Porcentaje de retención IVA por Bienes debe ser numerico : y",
        "Retencion de IVA x Bienes no coinciden: x - y - 3.60"},
       "goods fields that are no numbers"},
      {{{14, "z"}},
       {"Monto Retenido de IVA por Compras no válido: z",
        "Retencion de IVA x Bienes no coinciden: 12.00 - 30 - z"},
       "an amount withheld that is no number fails the pair"},
      {{{15, "10"}, {16, "20"}, {17, "0"}},
       {"Retención de IVA x Servicios no coinciden: 10 - 20 - 0"},
       "a services rate, nothing withheld"},
      {{{15, "x"}, {16, "30"}, {17, "y"}},
       {"Monto de IVA por Servicios no válido: x", "% de retencion del IVA por Servicios no registrado: 30",
        "Monto Retenido de IVA por Servicios no válido: y",
        "Retención de IVA x Servicios no coinciden: x - 30 - y"},
       "services fields"},
      {{{16, "q"}},
       {"% de retención IVA por Servicios debe ser numerico : q"},
       "a services rate that is no number"},
      {{{18, "100"}, {19, "15"}, {20, "15"}}, {}, "ICE as computed"},
      {{{18, "100"}, {19, "15.004"}, {20, "15"}}, {}, "the ICE rate is looked up to the cent"},
      {{{18, "100"}, {19, "15"}, {20, "15.01"}},
       {"Base ICE x  % ICE no concuerda con Monto retenido ICE: 15.01"},
       "ICE a cent away"},
      {{{18, "100"}, {19, "15"}, {20, "0"}},
       {"Monto de Retencion de ICE no coinciden: 100 - 15 - 0"},
       "no ICE amount"},
      {{{18, "100"}, {19, "0"}, {20, "5"}},
       {"Monto de Retencion de ICE no coinciden: 100 - 0 - 5"},
       "no ICE rate"},
      {{{18, "0"}, {19, "0"}, {20, "5"}}, {}, "no ICE base: no ICE comparison"},
      {{{18, "x"}, {19, "r"}, {20, "5"}},
       {"Base de ICE no válido: x", "Porcentaje de retención ICE debe ser numerico : r",
        "Base ICE x  % ICE no concuerda con Monto retenido ICE: 5",
        "Monto de Retencion de ICE no coinciden: x - r - 5"},
       "ICE fields that are no numbers: the amount is held against the VAT product left before"},
      {{{18, "100"}, {19, "10"}, {20, "10"}},
       {"Porcentaje de ICE no registrado: 10"},
       "an ICE rate not registered"},
      {{{21, ""}, {22, "SN"}}, {}, "presumptive states empty or both letters"},
      {{{21, "X"}, {22, "s"}},
       {"Estado de IVA Presuntivo no válido X", "Estado de IR Presuntivo no válido s"},
       "presumptive states outside S and N"},
      {{{23, "0"}}, {"IR(1). Datos incompletos de retencion "}, "a base without a code"},
      {{{27, "0"}, {28, "100"}},
       {"IR(2). Datos incompletos de retención "},
       "a base without a code in block 2"},
      {{{31, ""}, {32, "100"}},
       {"IR(3). Datos incompletos de retención "},
       "a base without a code in block 3"},
      {{{23, "344"}, {24, "0"}, {25, "0"}, {26, "0"}},
       {"IR(1). Datos incompletos de retencion "},
       "a code of free rate without amounts"},
      {{{23, "999"}}, {"IR(1). Código no registrado: 999"}, "a code not in the catalogue"},
      {{{25, "2"}, {26, "2"}},
       {"IR(1). Porcentaje de retencion no válido para código de retención: 312"},
       "a rate other than the code's fixed one"},
      {{{25, "1.00"}}, {}, "the fixed rate written with decimals"},
      {{{23, "344"}, {25, "1.75"}, {26, "1.75"}}, {}, "the rate as written: 1.75 % of 100 is 1.75"},
      {{{23, "344"}, {25, "1.75"}, {26, "2.00"}},
       {"IR(1). Base Imponible IR  x  porcentaje no concuerda con monto retenido: 2.00"},
       "the amount of a rate rounded to 0.02 is no longer accepted"},
      {ir303,
       {"IR(2). Porcentaje de retencion código 303 no válido para personas juridicas: 10"},
       "code 303 for a company"},
      {{{3, "C"}, {4, "1710034065"}, {27, "303"}, {28, "100"}, {29, "10"}, {30, "10"}},
       {},
       "code 303 for a person"},
      {{{27, "999"}, {28, "100"}, {29, "2"}, {30, "2"}},
       {"IR(2). Código no registrado: 999",
        "IR(2). Porcentaje de retencion no válido para código de retención: 999"},
       "a code not found keeps the fixed rate of the code found before"},
      {{{24, "x"}},
       {"IR(1). Base imponible debe ser numérico: x", "IR(1). Datos incompletos de retencion ",
        "IR(1). Base Imponible IR  x  porcentaje no concuerda con monto retenido: 1.00"},
       "a base that is no number: the tests that read it count as met"},
      {{{29, "a"}, {27, "344"}, {28, "100"}, {30, "b"}},
       {"IR(2). Porcentaje de Retención debe ser numércio: a",
        "IR(2). Monto de retención debe ser numérico: b", "IR(2). Datos incompletos de retencion ",
        "IR(2). Base Imponible IR  x  porcentaje no concuerda con monto retenido: b"},
       "a rate and amount that are no numbers"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    validador_.iValidaBases = c.iValidaBases;
    validador_.iUltDiasMes = "7";
    const Resultado r = valida(con(kValido, c.cambios), "antes\r\n");
    EXPECT_EQ(r.respuesta, "OK");
    EXPECT_EQ(r.fallido, !c.lineas.empty());
    EXPECT_EQ(r.errores, c.lineas.empty() ? "" : "antes\r\n" + texto(c.lineas));
    EXPECT_EQ(validador_.iUltDiasMes, "7") << "no property is written";
  }
}

TEST_F(Venta, TheFieldsItWritesBack) {
  Resultado r = valida(con(kValido, {{3, "P"}, {4, "123456789012345"}}));
  EXPECT_FALSE(r.fallido) << r.errores;
  EXPECT_EQ(r.registro->at(4), "1234567890123") << "a passport keeps its first 13 characters";

  r = valida(
      con(kValido, {{27, "0"}, {28, "0"}, {29, "8"}, {30, "5"}, {31, ""}, {32, ""}, {33, "x"}, {34, "y"}}));
  EXPECT_FALSE(r.fallido) << r.errores;
  for (long k : {28, 29, 30, 32, 33, 34})
    EXPECT_EQ(r.registro->at(k), "0") << "an empty withholding is zeroed";
  EXPECT_EQ(r.registro->at(31), "");

  r = valida(con(kValido, {{3, "C"}, {4, "1710034066"}}));
  EXPECT_EQ(r.registro->at(4), "1710034066") << "the identity is checked on a padded copy";
}

TEST_F(Venta, AYearlyRunChecksNoMonth) {
  validador_.nu_mes = 99;
  EXPECT_FALSE(valida(con(kValido, {{1, "7"}})).fallido);
}

// The object's year is read strictly: one that is no number fails every record.
TEST_F(Venta, AnObjectYearThatIsNoNumber) {
  validador_.nu_anio = "";
  const Resultado r = valida(con(kValido, {{2, ""}}));
  EXPECT_EQ(r.errores, texto({"Periodo: Año no coincide con el año seleccionado : "}));
}

// A record shorter than its layout fails without a fault of the program; fields 0 to 2 stay.
TEST_F(Venta, AShortRecord) {
  const Resultado r = valida(Campos(kValido.begin(), kValido.begin() + 9), "antes");
  EXPECT_EQ(r.respuesta, "OK");
  EXPECT_TRUE(r.fallido);
  EXPECT_EQ(r.errores.rfind("antes", 0), 0u);
  EXPECT_EQ(r.registro->at(2), "2013");
}

}  // namespace
