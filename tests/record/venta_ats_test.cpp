// The ATS sales record validator: a valid line of May 2013 (VAT 12 %) with a few fields changed,
// the exact fault text each gives, and the fields it writes back.

#include <string>
#include <vector>

#include "registro_fixture.hpp"
#include "registros_validos.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;

const Campos& kValido = validos::kVentaATS;

class VentaATS : public RegistrosDe<&CLSValidarInformacion::Valida_ATSVenta> {
 protected:
  VentaATS() { validador_.iPocIVA = 12; }
};

TEST_F(VentaATS, EachCheckWritesItsLine) {
  struct Case {
    Cambios cambios;
    std::vector<std::string> lineas;  // none: the record passes
    const char* why;
    int16_t iValidaBases = 0;
    int16_t iConvertirRUC = 0;
  };
  const Cambios sinMontos = {{8, "0"}, {9, "0"}, {10, "0"}, {11, "0"}, {14, "0"}, {15, "0"}};
  const std::vector<Case> casos = {
      {{}, {}, "a valid line"},
      {{{0, "1792045185001 "}, {1, "6"}, {2, "2012"}},
       {"RUC de Empresa no coincide con la empresa seleccionada: 1792045185001 ",
        "Periodo: Mes no coincide con el mes seleccionado : 6",
        "Periodo: Año no coincide con el año seleccionado : 2012"},
       "another period"},
      {{{3, "r"}}, {"Tipo de identificación no válido r"}, "a type in lower case is still checked as a RUC"},
      {{{3, "X"}}, {"Tipo de identificación no válido X"}, "an unknown type"},
      {{{3, "F"}, {4, "9999999999999"}}, {}, "the final consumer"},
      {{{3, "F"}, {4, "1710034065"}},
       {"Identificación para Consumidor Final no válido 1710034065 Cliente S.A."},
       "a final consumer with another number"},
      {{{3, "C"}, {4, "1710034065"}}, {}, "a valid cédula"},
      {{{3, "C"}, {4, "1710034066"}},
       {"Número de Identificación (RUC, Cédula ) no válido 1710034066 Cliente S.A."},
       "a cédula with a wrong check digit"},
      {{{4, "1792045186001"}},
       {"Número de Identificación (RUC, Cédula ) no válido 1792045186001 Cliente S.A."},
       "a RUC with a wrong check digit"},
      {{{4, "1792045186001"}}, {}, "a wrong RUC becomes the final consumer when asked", 0, 1},
      {{{3, "P"}, {4, "AB123"}},
       {"Numero de identificación debe ser numérico AB123"},
       "a passport with letters"},
      {{{4, "0"}}, {"Numero de identificacion no válido 0"}, "number zero"},
      {{{4, "-5"}}, {"Numero de identificacion no válido -5"}, "a negative number"},
      {{{6, ""}}, {"Código de comprobante no válido "}, "no voucher type"},
      {{{6, "99"}}, {"Código de comprobante no válido: 99"}, "a voucher type not in the catalogue"},
      {{{6, "01"}}, {"Comprobante no válido para transaccion de venta 01"}, "a voucher type not for sales"},
      {{{7, "x"}}, {"Cantidad de comprobantes al mes debe ser numerico: x"}, "a count that is no number"},
      {{{7, "0"}}, {"Cantidad de comprobantes al mes debe ser mayor a cero: 0"}, "no vouchers"},
      {{{7, "0"}}, {}, "no vouchers, the count checks relaxed", 1},
      {{{8, "abc"}},
       {"Base No IVA debe ser numerico : abc"},
       "a base that is no number: no sum is made of it"},
      {{{9, "-1"}}, {"Base imponible 0% debe ser mayor o igual a cero: -1"}, "a negative base"},
      {sinMontos,
       {"Suma de (Base 0% + Base No IVA+ Base Gravada)  debe ser mayor a cero: 0",
        "Comprobante no contiene monto. Sumatoria de Base 0% + Base No IVA + Base 12% + Bases IR(x) debe ser "
        "mayor "
        "a cero. "},
       "a line without amounts"},
      {sinMontos, {}, "a line without amounts, the amount checks relaxed", 1},
      {{{11, "12.004"}}, {}, "VAT that rounds to the computed one"},
      {{{11, "12.01"}},
       {"Base Imponible 100.00 x  % IVA no concuerda con Monto de IVA 12.01"},
       "VAT a cent away"},
      {{{11, "0"}}, {"Monto de IVA debe ser mayor a cero 0"}, "no VAT on a taxed base"},
      {{{11, "x"}}, {"Monto de IVA no válido: x"}, "VAT that is no number"},
      {{{12, "30"}, {13, "0"}}, {"Retencion de IVA 30 - 0"}, "a VAT withholding rate without amount"},
      {{{12, "0"}, {13, "5"}}, {"Retencion de IVA no coinciden: 0 - 5"}, "a VAT withheld without rate"},
      {{{12, "0"}, {13, "5"}}, {}, "a VAT withheld without rate, the checks relaxed", 1},
      {{{12, "x"}, {13, "y"}},
       {"Porcentaje de retención IVA  x", "Monto de IVA retenido y"},
       "VAT withholding fields that are no numbers"},
      {{{14, "0"}, {15, "100"}}, {"IR(1). Datos incompletos de retencion "}, "a base without a code"},
      {{{14, "344"}, {15, "0"}, {16, "0"}, {17, "0"}},
       {"IR(1). Datos incompletos de retencion "},
       "a code of free rate without amounts"},
      {{{14, "999"}},
       {"IR (1). Código 999 no registrado para periodo de fecha 31/05/2013"},
       "a code not in force"},
      {{{16, "2"}, {17, "2"}},
       {"IR (1). Porcentaje de retención 2 no válido para codigo de retención 312"},
       "a rate other than the code's fixed one"},
      {{{14, "344"}, {16, "1.75"}, {17, "1.75"}}, {}, "the rate as written: 1.75 % of 100.00 is 1.75"},
      {{{14, "344"}, {15, "1000.00"}, {16, "1.75"}, {17, "17.50"}}, {}, "1.75 % of 1000.00 is 17.50"},
      {{{14, "344"}, {16, "1.75"}, {17, "1.80"}},
       {"IR(1). Base Imponible IR  x  porcentaje no concuerda con monto retenido 1.80"},
       "the amount of a rate rounded to 0.018 is no longer accepted"},
      {{{15, "x"}, {16, "2"}},
       {"IR(1). Base imponible debe ser numérico x",
        "IR (1). Porcentaje de retención 2 no válido para codigo de retención 312"},
       "a base that is no number leaves the fixed-rate check running: it reads the rate only"},
      {{{16, "2"}, {17, "x"}},
       {"IR(1). Monto de retención debe ser numérico x",
        "IR (1). Porcentaje de retención 2 no válido para codigo de retención 312"},
       "an amount that is no number leaves the fixed-rate check running"},
      {{{16, "x"}},
       {"IR(1). Porcentaje de Retención debe ser numércio x"},
       "a rate that is no number leaves out every step that reads it"},
      {{{14, "303"}, {16, "10"}, {17, "10"}},
       {"IR(1). Porcentaje de retencion código 303 no válido para personas juridicas 10"},
       "code 303 for a company"},
      {{{3, "C"}, {4, "1710034065"}, {14, "303"}, {16, "10"}, {17, "10"}}, {}, "code 303 for a person"},
      {{{18, "999"}, {19, "100"}, {20, "2"}, {21, "2"}},
       {"IR (2). Código 999 no registrado para periodo de fecha 31/05/2013",
        "IR (2). Porcentaje de retención 2 no válido para codigo de retención 999"},
       "a code not found keeps the fixed rate of the code found before"},
      {{{18, "312"}, {19, "x"}, {20, "1"}, {21, "1"}},
       {"IR(2). Base imponible debe ser numérico: x"},
       "a withholding base that is no number"},
      {{{22, "312"}, {23, "100"}, {24, "a"}, {25, "b"}},
       {"IR(3). Porcentaje de Retención debe ser numércio: a",
        "IR(3). Monto de retención debe ser numérico b"},
       "a withholding rate and amount that are no numbers"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    validador_.iValidaBases = c.iValidaBases;
    validador_.iConvertirRUC = c.iConvertirRUC;
    validador_.iUltDiasMes = "";
    const Resultado r = valida(con(kValido, c.cambios), "antes\r\n");
    EXPECT_EQ(r.respuesta, "OK");
    EXPECT_EQ(r.fallido, !c.lineas.empty());
    EXPECT_EQ(r.errores, c.lineas.empty() ? "" : "antes\r\n" + texto(c.lineas));
    EXPECT_EQ(validador_.iUltDiasMes, "31");
  }
}

TEST_F(VentaATS, TheNumbersItWritesBack) {
  Resultado r = valida(con(kValido, {{3, "P"}, {4, "123456789012345"}}));
  EXPECT_EQ(r.errores, texto({"Identificacion: Longitud maxima no permitida  15"}));
  EXPECT_EQ(r.registro->at(4), "1234567890123") << "a passport keeps its first 13 characters";

  validador_.iConvertirRUC = 1;
  r = valida(con(kValido, {{3, "C"}, {4, "1710034066"}}));
  EXPECT_FALSE(r.fallido);
  EXPECT_EQ(r.registro->at(3), "C");
  EXPECT_EQ(r.registro->at(4), "9999999999999");

  r = valida(con(kValido, {{14, "0"}, {15, "0"}, {16, "8"}, {17, "5"}}));
  EXPECT_FALSE(r.fallido);
  for (long k = 15; k <= 17; ++k) EXPECT_EQ(r.registro->at(k), "0") << "an empty withholding is zeroed";
  EXPECT_EQ(r.registro->at(14), "0");
}

// A yearly run has no month of its own: the month is not compared, and a withholding code is
// looked up on the last day of the month the line declares.
TEST_F(VentaATS, AYearlyRunLooksTheCodeUpInTheLinesOwnMonth) {
  const struct {
    Cambios cambios;
    std::vector<std::string> lineas;
    const char* ultimoDia;
    const char* why;
  } casos[] = {
      {{{1, "7"}}, {}, "31", "July's sale with its withholding passes"},
      {{{1, "02"}}, {}, "28", "the last day of February 2013"},
      {{{1, "2"}, {14, "999"}},
       {"IR (1). Código 999 no registrado para periodo de fecha 28/02/2013"},
       "28",
       "the day the code was looked up on is the one shown"},
      {{{1, "13"}},
       {"IR (1). Código 312 no registrado para periodo de fecha 00/13/2013"},
       "0",
       "a month that forms no date has no code in force"},
  };
  validador_.nu_mes = 99;
  for (const auto& c : casos) {
    SCOPED_TRACE(c.why);
    const Resultado r = valida(con(kValido, c.cambios));
    EXPECT_EQ(validador_.iUltDiasMes, c.ultimoDia);
    EXPECT_EQ(r.errores, texto(c.lineas));
  }
}

}  // namespace
