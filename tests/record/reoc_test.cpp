// The withholding-annex purchase record validator: a valid purchase of May 2013
// (VAT 12 %) with a few fields changed, the exact fault text each gives, and
// the fields it writes back.

#include <string>
#include <vector>

#include "library/frame/conexion.hpp"
#include "registro_fixture.hpp"
#include "registros_validos.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;

const Campos& kValido = validos::kReoc;

const char* const kProveedor = "1792045185001-Proveedor S.A.";

class Reoc : public RegistrosDe<&CLSValidarInformacion::Valida_REOC> {
 protected:
  Reoc() {
    validador_.iPocIVA = 12;
    validador_.iUltDiasMes = "31";
  }
};

TEST_F(Reoc, EachCheckWritesItsLine) {
  struct Case {
    Cambios cambios;
    std::vector<std::string> lineas;  // none: the record passes
    const char* why;
    const char* ultimoDia = "31";
  };
  const std::string p = kProveedor;
  const Cambios sinRetencion = {{23, "0"}, {26, "0"}, {27, "0"}, {28, "0"}};
  const std::vector<Case> casos = {
      {{}, {}, "a valid purchase"},
      {{{0, "1792045185001 "}, {1, "6"}, {2, "2012"}},
       {"RUC de Empresa no coincide con la empresa seleccionada: "
        "1792045185001 ",
        "Periodo: Mes no coincide con el mes seleccionado : 6",
        "Periodo: Año no coincide con el año seleccionado : 2012",
        "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado "
        "10/05/2013"},
       "another period: the issue date is measured against the record's own "
       "month"},
      {{{3, "31/05/2013"}, {18, "31/05/2013"}}, {}, "the last day of the month"},
      {{{3, "01/06/2013"}, {18, "01/06/2013"}},
       {"Fecha de emisión de comprobante no debe ser mayor al mes seleccionado "
        "01/06/2013"},
       "issued in the month after"},
      {{},
       {"Fecha de emisión de comprobante no debe ser mayor al mes seleccionado "
        "10/05/2013"},
       "no last day left on the object: no issue date is within the period",
       ""},
      {{{3, "x"}},
       {"Fecha de emisión de comprobante no es válido: x",
        "IR (1). Código 312 no registrado para periodo de fecha x",
        "CR - Fecha de emisión debe ser mayor o igual a fecha de registro "
        "contable 12/05/2013"},
       "an issue date that is no date: no withholding code can be in force on "
       "it"},
      {{{4, "r"}},
       {"Tipo de identificación no válido r", "Comprobante no válido para transaccion de compra: 01"},
       "the type is compared exactly, and leaves no transaction code"},
      {{{4, "P"}, {5, "123456"}},
       {"Comprobante no válido para transaccion de compra: 01"},
       "a passport is transaction 03, for which an invoice is not valid"},
      {{{4, "C"}, {5, "1710034065"}, {7, "03"}}, {}, "a purchase settlement of a person with a cédula"},
      {{{5, "1792045186001"}},
       {"Numero de Identificacion (RUC, Cédula ) no válido 1792045186001 "
        "Proveedor S.A."},
       "a RUC with a wrong check digit"},
      {{{5, "AB"}},
       {"Numero de identificación debe ser numérico AB",
        "Comprobante no válido para transaccion de compra: 01"},
       "a number with letters"},
      {{{5, "0"}},
       {"Numero de identificacion no válido 0", "Comprobante no válido para transaccion de compra: 01"},
       "number zero"},
      {{{7, "0"}}, {"Código de comprobante no válido 0"}, "voucher type zero"},
      {{{7, "99"}}, {"Código de comprobante no válido: 99"}, "a voucher type not in the catalogue"},
      {{{7, "01' or '1'='1"}},
       {"Código de comprobante no válido: 01' or '1'='1"},
       "a quote in the voucher type stays inside the looked-up value"},
      {{{7, "06"}},
       {"Comprobante no válido para transaccion de compra: 06"},
       "a voucher type outside this annex"},
      {{{8, "000001"}}, {"Número de Serie - Código de establecimiento no válido 000"}, "establishment zero"},
      {{{8, "001000"}}, {"Número de Serie - Punto de emisión no válido 000"}, "emission point zero"},
      {{{8, "0"}}, {"Número de Serie no puede ser cero 0"}, "a serie zero is reported once"},
      {{{8, "ABC"}},
       {"Número de Serie no válido: ABC", "Número de Serie no puede ser cero ABC"},
       "a serie that is no number"},
      {{{8, "12345678"}}, {}, "a serie has no length limit"},
      {{{9, "1234567890"}},
       {"Secuencia de comprobante. Longitud excede al limite: 1234567890"},
       "a sequence of 10 digits"},
      {{{9, "0"}}, {"Secuencia de comprobante. No puede ser cero: 0"}, "sequence zero"},
      {{{10, "11122233345"}},
       {"Número de autorizacion. Longitud excede al limite: 11122233345"},
       "an authorisation of 11 digits"},
      {{{10, "0"}}, {"Número de autorizacion no debe ser cero 0"}, "authorisation zero"},
      {{{11, "0"}, {12, "0"}, {13, "0"}, {14, "0"}},
       {"Suma de (Base NoIVA + Base 0% + Base Gravada)  debe ser mayor a cero: "
        "0"},
       "a purchase without bases"},
      {{{12, "100.00"}, {13, "0"}, {14, "0"}}, {}, "only a base at 0 %: no VAT is due"},
      {{{13, "-5"}}, {"Base imponible gravada debe ser mayor a cero: -5"}, "a negative taxed base"},
      {{{13, "x"}},
       {"Base imponible gravada debe ser numérico : x"},
       "a taxed base that is no number fails the sum without a line of its "
       "own"},
      {{{13, "x"}, {14, "0"}},
       {"Base imponible gravada debe ser numérico : x", "Monto de IVA debe ser mayor a cero 0"},
       "a taxed base that is no number still asks for VAT"},
      {{{14, "12.01"}}, {"Base Imponible  x  % IVA no concuerda con Monto de IVA: 12.01"}, "VAT a cent away"},
      {{{14, "0"}}, {"Monto de IVA debe ser mayor a cero 0"}, "no VAT on a taxed base"},
      {{{14, "x"}}, {"Monto de IVA no válido: x"}, "VAT that is no number"},
      {{{15, ""}, {16, "a"}, {17, ""}, {18, ""}},
       {"CR - Número de Serie no válida: ", "CR - Número de Secuencia no válida: a",
        "CR - Número de Autorizacion no válido: ", "CR - Fecha de emisión no válida: ",
        "Comprobante tiene valores retenidos, debe especificar datos de "
        "CR-1. "},
       "amounts withheld without the withholding voucher"},
      {{{19, ""}, {20, "x"}, {21, ""}, {22, "32/05/2013"}},
       {"CR-2 Número de Serie no válida: ", "CR-2 Número de Secuencia no válida: x",
        "CR-2 Número de Autorizacion no válido: ", "CR-2 Fecha de emisión no válida: 32/05/2013"},
       "the second withholding voucher is always checked"},
      {{{15, "0"}, {18, "01/01/2013"}},
       {"Comprobante tiene valores retenidos, debe especificar datos de "
        "CR-1. "},
       "a withholding voucher serie zero: its date is not compared"},
      {{{18, "09/05/2013"}},
       {"CR - Fecha de emisión debe ser mayor o igual a fecha de registro "
        "contable 09/05/2013"},
       "a withholding voucher issued the day before the voucher"},
      {{{18, "10/05/2013"}}, {}, "a withholding voucher of the voucher's day"},
      {{{18, "x"}},
       {"CR - Fecha de emisión no válida: x",
        "CR - Fecha de emisión debe ser mayor o igual a fecha de registro "
        "contable x"},
       "a withholding voucher date that is no date"},
      {mas(sinRetencion, {{15, "0"}, {16, "0"}, {17, "0"}}),
       {},
       "nothing withheld needs no withholding voucher"},
      {{{23, "0"}, {24, "0"}, {25, "0"}, {26, "100"}},
       {"IR(1). Datos incompletos de retencion "},
       "a withholding base without a code"},
      {{{23, ""}, {26, "0"}, {27, "0"}, {28, "0"}},
       {},
       "a blank code is an unused block, as the loader leaves one: zeroed without a line"},
      {{{23, ""}}, {"IR(1). Datos incompletos de retencion "}, "a blank code with a base lacks its code"},
      {{{23, "x"}, {26, "0"}, {27, "0"}, {28, "0"}},
       {"IR(1). Datos incompletos de retencion "},
       "a code that is no number at all"},
      {{{29, "abc"}}, {"IR(2). Datos incompletos de retencion "}, "a code of letters in the second block"},
      {{{23, "999"}},
       {"IR (1). Código 999 no registrado para periodo de fecha 10/05/2013"},
       "a code not in force: before any code was found the percentage is free"},
      {{{27, "2"}, {28, "2"}},
       {"IR (1). Porcentaje de retención 2 no valido para código 312 en " + p},
       "a rate other than the code's fixed one"},
      {{{29, "999"}, {32, "100"}, {33, "2"}, {34, "2"}},
       {"IR (2). Código 999 no registrado para periodo de fecha 10/05/2013",
        "IR (2). Porcentaje de retención 2 no valido para código 999 en " + p},
       "a code not found keeps the fixed rate of the code found before it"},
      {{{23, "303"}, {27, "10"}, {28, "10"}},
       {"IR (1). Porcentaje de retención 10 de código 303 no válido para "
        "personas juridicas " +
        p},
       "code 303 for a company"},
      {{{29, "303"}, {32, "100"}, {33, "10"}, {34, "10"}},
       {"IR (2). Porcentaje de retención 10 de código 303 no válido para "
        "personas jurídicas " +
        p},
       "code 303 for a company in a later block"},
      {{{4, "C"}, {5, "1710034065"}, {7, "03"}, {23, "303"}, {27, "10"}, {28, "10"}},
       {},
       "code 303 for a person"},
      {{{26, "0"}}, {"Sumatoria de Bases IR (1) debe ser mayor a cero 0.00"}, "a withholding without bases"},
      {{{26, "0"}, {27, "0"}, {28, "0"}},
       {"Sumatoria de Bases IR (1) debe ser mayor a cero 0.00", "IR (1). Datos incompletos de retención ",
        "IR (1). Porcentaje de retención 0 no valido para código 312 en " + p},
       "a code with nothing else"},
      {{{24, "x"}},
       {"IR (1). Base NO IVA debe ser numérico x"},
       "a base that is no number counts its leading value"},
      {{{25, "x"}, {26, "y"}},
       {"IR (1). Base TARIFA 0% debe ser numérico x", "IR (1). Base TARIFA 12% debe ser numérico y",
        "Sumatoria de Bases IR (1) debe ser mayor a cero 0.00"},
       "bases that are no numbers count their leading values"},
      {{{27, "x"}},
       {"IR (1). Porcentaje de retención debe ser numérico x", "IR (1). Datos incompletos de retención ",
        "IR (1). Porcentaje de retención x no valido para código 312 en " + p},
       "a rate that is no number is also incomplete"},
      {{{28, "x"}},
       {"IR (1). Monto de retención debe ser numérico x", "IR (1). Datos incompletos de retención "},
       "an amount that is no number is also incomplete"},
      {{{23, "344"}, {26, "1000"}, {27, "1.75"}, {28, "17.50"}},
       {},
       "the rate as written: 1.75 % of 1000 is 17.50"},
      {{{23, "344"}, {26, "1000"}, {27, "1.75"}, {28, "18.00"}},
       {"IR (1). Base imponible 1000 x  porcentaje no concuerda con monto retenido 1.75"},
       "a rate rounded to 0.018 is no longer the rule"},
      {{{23, "344"}, {27, "2"}, {28, "3"}},
       {"IR (1). Base imponible 100 x  porcentaje no concuerda con monto "
        "retenido 2"},
       "the first blocks show the rate where the amount belongs"},
      {{{41, "344"}, {44, "100"}, {45, "2"}, {46, "3"}},
       {"IR (4). Base imponible 100 x  porcentaje no concuerda con monto "
        "retenido 3"},
       "the fourth block shows the amount"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    validador_.iUltDiasMes = c.ultimoDia;
    const Resultado r = valida(con(kValido, c.cambios), "antes\r\n");
    EXPECT_EQ(r.respuesta, "OK");
    EXPECT_EQ(r.fallido, !c.lineas.empty());
    EXPECT_EQ(r.errores, "antes\r\n" + texto(c.lineas)) << "the caller's text stays, passed or not";
    EXPECT_EQ(validador_.iUltDiasMes, c.ultimoDia) << "the last day is only read";
  }
}

TEST_F(Reoc, ZeroesAnUnusedBlock) {
  const Resultado r =
      valida(con(kValido, {{23, "0"}, {24, "0"}, {25, ""}, {26, "0"}, {27, "5"}, {28, "7"}, {35, " 0 "}}));
  EXPECT_FALSE(r.fallido) << r.errores;
  EXPECT_EQ(r.errores, "") << "the zeroed amount is all that was withheld";
  for (long k = 24; k <= 28; ++k) EXPECT_EQ(r.registro->at(k), "0") << k;
  EXPECT_EQ(r.registro->at(23), "0") << "the code is left as given";
  EXPECT_EQ(r.registro->at(35), " 0 ");

  const Resultado incompleto = valida(con(kValido, {{23, "0"}, {26, "100"}}));
  EXPECT_EQ(incompleto.registro->at(26), "100") << "a block lacking its code keeps its fields";
  EXPECT_EQ(incompleto.registro->at(28), "1.00");
}

// Without a usable connection every lookup counts as finding nothing.
TEST_F(Reoc, WithoutAConnectionNothingIsFound) {
  valtrone::gfCierraConexion();
  const Resultado r = valida(kValido);
  EXPECT_TRUE(r.fallido);
  EXPECT_EQ(r.errores, texto({"Código de comprobante no válido: 01",
                              "IR (1). Código 312 no registrado para periodo "
                              "de fecha 10/05/2013"}));
}

}  // namespace
