// The ATS purchase record validator: a valid purchase of May 2013 (VAT 12 %) with a few fields
// changed, the exact fault text each gives, and the fields it writes back.

#include <string>
#include <vector>

#include "library/frame/conexion.hpp"
#include "registro_fixture.hpp"
#include "registros_validos.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;

const Campos& kValido = validos::kCompraATS;

const char* const kRetencionSinCR = "Comprobante tiene valores retenidos, debe especificar datos de CR. ";

class CompraATS : public RegistrosDe<&CLSValidarInformacion::Valida_ATSCompra> {
 protected:
  CompraATS() { validador_.iPocIVA = 12; }
};

TEST_F(CompraATS, EachCheckWritesItsLine) {
  struct Case {
    Cambios cambios;
    std::vector<std::string> lineas;  // none: the record passes
    const char* why;
    int16_t nu_mes = 5;
    const char* nu_anio = "2013";
  };
  // A credit note modifying an invoice of the month before.
  const Cambios notaCredito = {{8, "04"},      {31, "01"},        {32, "20/04/2013"},
                               {33, "001001"}, {34, "000000077"}, {35, "1112223336"}};
  const Cambios sinRetenciones = {{17, "0"}, {36, "0"}, {37, "0"}, {38, "0"}, {39, "0"}};
  const std::vector<Case> casos = {
      {{}, {}, "a valid purchase"},
      {{{0, "1792045185001 "}, {1, "6"}, {2, "2012"}},
       {"RUC de Empresa no coincide con la empresa seleccionada: 1792045185001 ",
        "Periodo: Mes no coincide con el mes seleccionado : 6",
        "Periodo: Año no coincide con el año seleccionado : 2012",
        "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 10/05/2013"},
       "another period: the issue date is measured against the record's own month"},
      {{{1, "05"}}, {}, "a month written with a zero"},
      {{{1, "7"}, {4, "15/07/2013"}, {26, "16/07/2013"}}, {}, "any month in a yearly run", 99},
      {{{1, "13"}},
       {"Periodo: Mes no coincide con el mes seleccionado : 13",
        "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 10/05/2013"},
       "a month that forms no period end: no issue date is within it"},
      {{{2, "2013"}},
       {"Periodo: Año no coincide con el año seleccionado : 2013",
        "Año de fecha de contabilización de comprobante no corresponde 15/05/2013"},
       "a period year that is no number is read as 0, and strictly for the accounting date",
       5,
       "abc"},
      {{{3, "01/06/2013"}, {4, "01/06/2013"}},
       {"Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 01/06/2013",
        "Mes de fecha de contabilización de comprobante no corresponde: 01/06/2013",
        "CR - Fecha de emisión debe ser mayor o igual a fecha de registro contable 16/05/2013"},
       "dates of the month after"},
      {{{3, "31/05/2013"}, {4, "31/05/2013"}, {26, "31/05/2013"}}, {}, "the last day of the month"},
      {{{3, "31/02/2013"}},
       {"Fecha de emisión de comprobante no es válido: 31/02/2013",
        "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 31/02/2013",
        "Fecha de contabilización no puede ser menor que la fecha de emisión 15/05/2013-31/02/2013"},
       "an issue date that is no date fails every check that reads it"},
      {{{4, "x"}},
       {"Fecha de contabilización de comprobante no es válido: x",
        "Mes de fecha de contabilización de comprobante no corresponde: x",
        "Año de fecha de contabilización de comprobante no corresponde x",
        "Fecha de contabilización no puede ser menor que la fecha de emisión x-10/05/2013",
        "IR (1). Código 312 no registrado para periodo de fecha x",
        "CR - Fecha de emisión debe ser mayor o igual a fecha de registro contable 16/05/2013"},
       "an accounting date that is no date: no withholding code can be in force on it"},
      {{{4, "09/05/2013"}},
       {"Fecha de contabilización no puede ser menor que la fecha de emisión 09/05/2013-10/05/2013"},
       "accounted before it was issued"},
      {{{4, "15/05/2012"}, {3, "10/05/2012"}},
       {"Año de fecha de contabilización de comprobante no corresponde 15/05/2012",
        "IR (1). Código 312 no registrado para periodo de fecha 15/05/2012"},
       "a purchase of the year before"},
      {{{5, "X"}},
       {"Tipo de identificación no válido X",
        "Tipo de comprobante  'X' - 01 no válida para Secuencia de Transaccion  "},
       "an unknown type leaves no transaction code"},
      {{{5, "r"}},
       {"Tipo de comprobante  'r' - 01 no válida para Secuencia de Transaccion  "},
       "a type in lower case passes, but gets no identity check and no transaction code"},
      {{{5, "P"}, {6, "AB123"}},
       {"Numero de identificación debe ser numérico AB123",
        "Tipo de comprobante  'P' - 01 no válida para Secuencia de Transaccion  "},
       "a passport with letters"},
      {{{5, "P"}, {6, "123456"}},
       {"Tipo de comprobante  'P' - 01 no válida para Secuencia de Transaccion 03 "},
       "a passport is transaction 03, for which an invoice is not valid"},
      {{{6, "0"}},
       {"Numero de identificacion no válido 0",
        "Tipo de comprobante  'R' - 01 no válida para Secuencia de Transaccion  "},
       "number zero"},
      {{{6, "1792045186001"}},
       {"Numero de Identificacion (RUC, Cédula ) no válido 1792045186001 Proveedor S.A."},
       "a RUC with a wrong check digit"},
      {{{5, "C"}, {6, "1710034065"}, {8, "03"}}, {}, "a purchase settlement of a person with a cédula"},
      {{{5, "C"}, {6, "1710034065"}},
       {"Tipo de comprobante  'C' - 01 no válida para Secuencia de Transaccion 02 "},
       "an invoice is not valid for a cédula"},
      {{{8, "0"}},
       {"Código de comprobante no válido 0",
        "Codigo de sustento tributario: 01 no válido para comprobante: 0"},
       "voucher type zero: no lookup"},
      {{{8, "99"}},
       {"Código de comprobante no válido: 99",
        "Codigo de sustento tributario: 01 no válido para comprobante: 99"},
       "a voucher type not in the catalogue"},
      {{{8, "1"}}, {"Código de comprobante no válido: 1"}, "the voucher type is looked up as written"},
      {{{8, "01' or '1'='1"}},
       {"Código de comprobante no válido: 01' or '1'='1",
        "Codigo de sustento tributario: 01 no válido para comprobante: 01' or '1'='1"},
       "a quote in the voucher type stays inside the looked-up value"},
      {{{9, "x"}}, {"Codigo de sustento tributario debe ser numerico: x"}, "a tax support that is no number"},
      {{{9, "-1"}}, {"Código de credito tributario debe ser mayor a cero -1"}, "a negative tax support"},
      {{{9, "0"}}, {"Código de credito tributario no válido: 0"}, "tax support 0 is looked up as written"},
      {{{9, "10"}},
       {"Codigo de sustento tributario: 10 no válido para comprobante: 01"},
       "a tax support the voucher type does not allow"},
      {{{10, "000001"}},
       {"Número de Serie - Código de establecimiento no válido 000"},
       "establishment zero: the emission point is not checked"},
      {{{10, "001000"}}, {"Número de Serie - Punto de emisión no válido 000"}, "emission point zero"},
      {{{10, "0"}},
       {"Número de Serie no puede ser cero 0", "Número de Serie - Código de establecimiento no válido 0"},
       "a serie zero"},
      {{{10, "A01001"}},
       {"Número de Serie no válido: A01001", "Número de Serie no puede ser cero A01001",
        "Número de Serie - Código de establecimiento no válido A01"},
       "a serie that is no number"},
      {{{8, "11"}},
       {"No. de Serie debe ser 999999 para comprobantes del 10 al 14, 19 Y 20 001001"},
       "an airline ticket carries the serie 999999"},
      {{{8, "11"}, {10, "999999"}}, {}, "an airline ticket with its serie"},
      {{{2, "2005"}, {3, "10/05/2005"}, {4, "15/05/2005"}, {26, "16/05/2005"}, {8, "11"}, {10, "000000"}},
       {"IR (1). Código 312 no registrado para periodo de fecha 15/05/2005"},
       "before 2006 an airline ticket's serie is only a number",
       5,
       "2005"},
      {{{11, "123456789"}}, {}, "a sequence of 9 digits"},
      {{{11, "1234567890"}},
       {"Secuencia de comprobante. Longitud excede al limite: 1234567890"},
       "a sequence of 10 digits"},
      {{{11, "0"}}, {"Secuencia de comprobante. No puede ser cero: 0"}, "sequence zero"},
      {{{11, "12a"}}, {"Secuencia de comprobante. Debe ser numérico: 12a"}, "a sequence that is no number"},
      {{{12, "11122233345"}},
       {"Número de autorizacion. Longitud excede al limite: 11122233345"},
       "an authorisation of 11 digits"},
      {{{12, "0"}}, {"Número de autorizacion no debe ser cero 0"}, "authorisation zero"},
      {{{12, "x"}}, {"Número de autorizacion no válido: x"}, "an authorisation that is no number"},
      {{{13, "0"}, {14, "0"}, {15, "0"}, {16, "0"}, {17, "0"}},
       {"Suma de (Base NoIVA + Base 0% + Base Gravada)  debe ser mayor a cero: 0"},
       "a purchase without bases"},
      {{{13, "abc"}},
       {"Base No Aplica IVA debe ser numérico : abc"},
       "a base that is no number fails the sum without a line of its own"},
      {{{14, "x"}, {15, "y"}},
       {"Base imponible 0% debe ser numérico : x", "Base imponible gravada debe ser numérico : y",
        "Monto de IVA debe ser mayor a cero 12.00",
        "Base Imponible  x  % IVA no concuerda con Monto de IVA: 12.00"},
       "a taxed base that is no number fails the checks that read it"},
      {{{15, "-5"}}, {"Base imponible gravada debe ser mayor a cero: -5"}, "a negative taxed base"},
      {{{14, "100.00"}, {15, "0"}, {16, "0"}, {17, "0"}}, {}, "only a base at 0 %"},
      {{{16, "12.004"}}, {}, "VAT that rounds to the computed one"},
      {{{16, "12.01"}}, {"Base Imponible  x  % IVA no concuerda con Monto de IVA: 12.01"}, "VAT a cent away"},
      {{{16, "0"}},
       {"Monto de IVA debe ser mayor a cero 0", "Retención 30% IVA Bienes no valido si IVA es cero 3.60",
        "Total de retenciones de IVA 3.6 no debe ser mayor que monto IVA 0"},
       "no VAT on a taxed base"},
      {{{16, "x"}},
       {"Monto de IVA no válido: x", "Base Imponible  x  % IVA no concuerda con Monto de IVA: x",
        "Retención 30% IVA Bienes no valido si IVA es cero 3.60",
        "Total de retenciones de IVA 3.6 no debe ser mayor que monto IVA x"},
       "VAT that is no number fails every check that reads it"},
      {{{17, "12"}},
       {"Valor de Retención de IVA Bienes 12 debe ser menor que IVA 12.00"},
       "all the VAT on goods"},
      {{{17, "0"}, {18, "12"}},
       {"Valor de Retención de IVA Servicios 12 debe ser menor que IVA 12.00"},
       "all the VAT on services"},
      {{{17, "0"}, {19, "12"}}, {}, "all the VAT at 100 %"},
      {{{17, "0"}, {19, "5"}},
       {"Valor de Retención 100% de IVA 5 debe ser igual que IVA 12.00"},
       "part at 100 %"},
      {{{17, "3.6"}, {18, "8.4"}}, {}, "goods and services withheld add up to the VAT"},
      {{{17, "8"}, {18, "8"}},
       {"Total de retenciones de IVA 16 no debe ser mayor que monto IVA 12.00"},
       "more withheld than the VAT"},
      {{{17, "x"}, {18, "y"}, {19, "z"}},
       {"Monto Retenido de IVA por Bienes no válido: x", "Monto Retenido de IVA por Servicios no válido: y",
        "Monto Retenido de IVA por Servicios no válido: z"},
       "VAT withheld that is no number"},
      {{{20, "100"}, {21, "15"}, {22, "15"}}, {}, "ICE at its registered rate"},
      {{{20, "100"}, {21, "15"}, {22, "16"}},
       {"Base ICE x  % ICE no concuerda con Monto retenido ICE: 16"},
       "ICE that is not base times rate"},
      {{{20, "100"}, {21, "10"}, {22, "10"}},
       {"Porcentaje de ICE no registrado: 10"},
       "an ICE rate not registered"},
      {{{21, "15"}, {22, "15"}},
       {"Monto de retención de ICE no coinciden: 0 - 15 - 15"},
       "ICE without a base"},
      {{{20, "a"}, {21, "b"}, {22, "c"}},
       {"Base de ICE no válido: a", "Porcentaje de retención ICE debe ser numérico : b",
        "Monto de ICE no válido: c", "Base ICE x  % ICE no concuerda con Monto retenido ICE: c",
        "Monto de retención de ICE no coinciden: a - b - c"},
       "ICE fields that are no numbers"},
      {{{23, ""}, {24, "a"}, {25, ""}, {26, ""}},
       {"CR - Número de Serie no válida: ", "CR - Número de Secuencia debe ser numerico: a",
        "CR - Número de Autorizacion no válido: ", "CR - Fecha de emisión no válida: ", kRetencionSinCR},
       "amounts withheld without the withholding voucher"},
      {{{27, ""}, {28, "x"}, {29, ""}, {30, "32/05/2013"}},
       {"CR-2 Número de Serie no válida: ", "CR-2 Número de Secuencia no válida: x",
        "CR-2 Número de Autorizacion no válido: ", "CR-2 Fecha de emisión no válida: 32/05/2013"},
       "the second withholding voucher is always checked"},
      {{{23, "0"}}, {kRetencionSinCR}, "a withholding voucher serie zero"},
      {{{26, "14/05/2013"}},
       {"CR - Fecha de emisión debe ser mayor o igual a fecha de registro contable 14/05/2013"},
       "a withholding voucher issued before the accounting date"},
      {{{26, "15/05/2013"}}, {}, "a withholding voucher of the accounting date"},
      {{{26, "x"}},
       {"CR - Fecha de emisión no válida: x",
        "CR - Fecha de emisión debe ser mayor o igual a fecha de registro contable x"},
       "a withholding voucher date that is no date"},
      {mas(sinRetenciones, {{23, "0"}, {24, "0"}, {25, "0"}}),
       {},
       "nothing withheld needs no withholding voucher"},
      {{{31, "x"}, {32, "y"}, {33, "z"}, {34, "w"}, {35, "v"}}, {}, "an invoice modifies no voucher"},
      {notaCredito, {}, "a credit note"},
      {mas(notaCredito, {{31, "0"}, {32, "x"}}),
       {"Código de comprobante modificado no válido 0",
        "Fecha de emisión de comprobante modificado no es válido x"},
       "a credit note without the modified voucher type and date"},
      {mas(notaCredito, {{31, "99"}}),
       {"Código de comprobante modificado no registrado 99"},
       "a modified voucher type not in the catalogue"},
      {mas(notaCredito, {{33, "000000"}}),
       {"Número de Serie comprobante modificado no puede ser cero 000000",
        "Número de Serie - Código de establecimiento comprobante modific. no válido 000"},
       "a modified voucher's serie of zeros"},
      {mas(notaCredito, {{33, "x01000"}}),
       {"Número de Serie comprobante modificado no válido: x01000",
        "Número de Serie comprobante modificado no puede ser cero x01000",
        "Número de Serie - Código de establecimiento comprobante modific. no válido x01"},
       "a modified voucher's serie that is no number"},
      {mas(notaCredito, {{33, "001000"}}),
       {"Número de Serie - Punto de emisión comprobante modific. no válido 000"},
       "a modified voucher's emission point zero"},
      {mas(notaCredito, {{34, "x"}}),
       {"Número de Secuencia de comprobante modificado no válido x"},
       "a modified voucher's sequence that is no number"},
      {mas(notaCredito, {{34, "0"}}),
       {"Número de Secuencia de comprobante no puede ser cero 0"},
       "a modified voucher's sequence zero"},
      {mas(notaCredito, {{35, "x"}}),
       {"Número de autorizacion no válido x"},
       "a modified voucher's authorisation"},
      {mas(notaCredito, {{35, "123456789"}}),
       {"Longitud de número de autorizacion no válido 123456789"},
       "a modified voucher's authorisation of 9 digits"},
      {mas(notaCredito, {{35, "1234567890123456789012345678901234567"}}),
       {},
       "a modified voucher's authorisation has no upper limit"},
      {{{36, "0"}, {37, "100"}},
       {"IR(1). Datos incompletos de retencion "},
       "a withholding base without a code"},
      {{{36, "abc"}, {37, "0"}}, {}, "a code with letters counts as no code"},
      {{{36, "999"}},
       {"IR (1). Código 999 no registrado para periodo de fecha 15/05/2013"},
       "a code not in force: before any code was found the percentage is free"},
      {{{38, "2"}, {39, "2"}},
       {"IR (1). Porcentaje de retención 2 no valido para código 312 en 1792045185001-Proveedor S.A."},
       "a rate other than the code's fixed one"},
      {{{36, "303"}, {38, "10"}, {39, "10"}},
       {"IR (1). Porcentaje de retención 10 de código 303 no válido para personas juridicas "
        "1792045185001-Proveedor S.A."},
       "code 303 for a company"},
      {{{5, "C"}, {6, "1710034065"}, {8, "03"}, {36, "303"}, {38, "10"}, {39, "10"}},
       {},
       "code 303 for a person"},
      {{{36, "344"}, {38, "1.75"}, {39, "1.75"}}, {}, "the rate as written: 1.75 % of 100.00 is 1.75"},
      {{{36, "344"}, {37, "1000.00"}, {38, "1.75"}, {39, "17.50"}},
       {},
       "1.75 % of 1000.00 is 17.50, as the sheet has it"},
      {{{36, "344"}, {38, "1.75"}, {39, "1.80"}},
       {"IR (1). Base imponible 100.00 x  porcentaje no concuerda con monto retenido: 1.80"},
       "the amount of a rate rounded to 0.018 is no longer accepted"},
      {{{36, "344"}, {37, "1000.00"}, {38, "1.75"}, {39, "18.00"}},
       {"IR (1). Base imponible 1000.00 x  porcentaje no concuerda con monto retenido: 18.00"},
       "nor for a larger base"},
      {{{37, "x"}, {38, "y"}, {39, "z"}},
       {"IR (1). Base imponible debe ser numérico x", "IR (1). Porcentaje de retención debe ser numérico y",
        "IR (1). Monto de retención debe ser numérico z", "IR (1). Datos incompletos de retención ",
        "IR (1). Porcentaje de retención y no valido para código 312 en 1792045185001-Proveedor S.A.",
        "IR (1). Base imponible x x  porcentaje no concuerda con monto retenido: z"},
       "a block that is no numbers"},
      {{{40, "999"}, {41, "100"}, {42, "2"}, {43, "2"}},
       {"IR (2). Código 999 no registrado para periodo de fecha 15/05/2013",
        "IR (2). Porcentaje de retención 2 no valido para código 999 en 1792045185001-Proveedor S.A."},
       "a code not found keeps the fixed rate of the code found before it"},
      {{{40, "312"}, {41, "x"}, {42, "1"}, {43, "1.00"}},
       {"IR(2). Base imponible debe ser numérico: x", "IR(2). Datos incompletos de retención "},
       "a base that is no number is compared with the amount computed before it"},
      {{{40, "344"}, {41, "100"}, {42, "2"}, {43, "3"}},
       {"IR(2). Base imponible 100 x  porcentaje no concuerda con monto retenido: 3"},
       "the second block's amount"},
      {{{44, "312"}},
       {"IR(3). Datos incompletos de retención  ",
        "IR (3). Porcentaje de retención 0 no valido para código 312 en 1792045185001-Proveedor S.A."},
       "a third block with a code and nothing else"},
      {{{44, "344"}, {45, "100"}, {46, "2"}, {47, "3"}},
       {"IR(3). Base imponible x  porcentaje no concuerda con monto retenido 3"},
       "the third block's amount"},
      {{{44, "344"}, {45, "100"}, {46, "x"}, {47, "y"}},
       {"IR(3). Porcentaje de retención debe ser numérico x", "IR(3). Monto de retención debe ser numérico y",
        "IR(3). Datos incompletos de retención  ",
        "IR(3). Base imponible x  porcentaje no concuerda con monto retenido y"},
       "a third block whose rate and amount are no numbers"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    validador_.nu_mes = c.nu_mes;
    validador_.nu_anio = c.nu_anio;
    const Resultado r = valida(con(kValido, c.cambios), "antes\r\n");
    EXPECT_EQ(r.respuesta, "OK");
    EXPECT_EQ(r.fallido, !c.lineas.empty());
    EXPECT_EQ(r.errores, c.lineas.empty() ? "" : "antes\r\n" + texto(c.lineas));
  }
}

// The last day of the record's own month goes onto the object, whatever the object's period.
TEST_F(CompraATS, LeavesTheLastDayOfTheRecordsMonth) {
  struct Case {
    Cambios cambios;
    const char* ultimoDia;
    const char* why;
  };
  const std::vector<Case> casos = {
      {{}, "31", "May"},
      {{{1, "2"}}, "28", "February of 2013"},
      {{{1, "2"}, {2, "2012"}}, "29", "February of a leap year"},
      {{{1, "3.00"}}, "31", "a month written with decimals"},
      {{{1, "13"}}, "0", "a month that is none"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    validador_.iUltDiasMes = "7";
    valida(con(kValido, c.cambios));
    EXPECT_EQ(validador_.iUltDiasMes, c.ultimoDia);
  }
}

TEST_F(CompraATS, ZeroesAWithholdingWithoutCode) {
  const Resultado r =
      valida(con(kValido, {{36, ""}, {37, ""}, {38, "5"}, {39, "7"}, {44, "abc"}, {45, " 0"}}));
  EXPECT_FALSE(r.fallido) << r.errores;
  for (long k : {37, 38, 39, 45, 46, 47}) EXPECT_EQ(r.registro->at(k), "0") << k;
  EXPECT_EQ(r.registro->at(36), "") << "the code is left as given";
  EXPECT_EQ(r.registro->at(44), "abc");

  const Resultado incompleto = valida(con(kValido, {{36, "0"}, {37, "100"}, {38, "1"}, {39, "1.00"}}));
  EXPECT_EQ(incompleto.registro->at(37), "100") << "a block lacking its code keeps its fields";
}

// Without a usable connection every lookup counts as finding nothing.
TEST_F(CompraATS, WithoutAConnectionNothingIsFound) {
  valtrone::gfCierraConexion();
  const Resultado r = valida(con(kValido, {{21, "15"}}));
  EXPECT_TRUE(r.fallido);
  EXPECT_EQ(r.errores,
            texto({"Código de comprobante no válido: 01", "Código de credito tributario no válido: 01",
                   "Porcentaje de ICE no registrado: 15",
                   "IR (1). Código 312 no registrado para periodo de fecha 15/05/2013"}));
}

// A record shorter than the layout fails; the checks of a missing field write no line, those of
// the fields it holds write theirs, and nothing is written outside the array.
TEST_F(CompraATS, AShortRecordFails) {
  Campos corto(kValido.begin(), kValido.begin() + 17);
  Resultado r = valida(corto, "antes\r\n");
  EXPECT_EQ(r.respuesta, "OK");
  EXPECT_TRUE(r.fallido);
  EXPECT_EQ(r.errores, "antes\r\n");
  EXPECT_EQ(r.registro->size(), 17);

  corto[12] = "0";
  r = valida(corto);
  EXPECT_TRUE(r.fallido);
  EXPECT_EQ(r.errores, texto({"Número de autorizacion no debe ser cero 0"}));
}

}  // namespace
