// The cancelled-document record validator: a valid record of May 2013 with a few fields changed,
// and the exact fault text each gives; then the contract every record validator keeps (the flag,
// the caller's text, short arrays, no connection) shown on this one.

#include <memory>
#include <string>
#include <vector>

#include "library/frame/conexion.hpp"
#include "registro_fixture.hpp"
#include "registros_validos.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;

const Campos& kValido = validos::kAnulacion;

using Anulacion = RegistrosDe<&CLSValidarInformacion::Valida_Anulacion>;

TEST_F(Anulacion, EachCheckWritesItsLine) {
  struct Case {
    Cambios cambios;
    std::vector<std::string> lineas;  // none: the record passes
    const char* why;
    int16_t nu_mes = 5;
    const char* nu_anio = "2013";
    const char* ultimoDia = "31";
  };
  const std::vector<Case> casos = {
      {{}, {}, "a valid record"},
      {{{0, "1792045185001 "}},
       {"RUC de Empresa no coincide con la empresa seleccionada: 1792045185001 "},
       "the company with a trailing blank"},
      {{{1, "05"}}, {}, "a month written with a zero"},
      {{{1, "7"}, {8, "20/07/2013"}},
       {"Periodo: Mes no coincide con el mes seleccionado : 7"},
       "another month, the date within it"},
      {{{1, "3"}, {8, "20/03/2013"}}, {}, "any month in a yearly run", 99},
      {{{2, "2012"}},
       {"Periodo: Año no coincide con el año seleccionado : 2012",
        "Fecha de anulación no puede ser mayor al periodo reportado 20/05/2013"},
       "another year: the date is beyond the record's own period"},
      {{},
       {"Periodo: Año no coincide con el año seleccionado : 2013"},
       "a period year that is no number",
       5,
       ""},
      {{{3, "0"}}, {"Código de comprobante no válido 0"}, "voucher type zero: no lookup"},
      {{{3, "99"}}, {"Código de comprobante no válido: 99"}, "a voucher type not in the catalogue"},
      {{{3, "1"}}, {"Código de comprobante no válido: 1"}, "the code is looked up as written"},
      {{{3, "1'"}}, {"Código de comprobante no válido: 1'"}, "an apostrophe is looked up as a character"},
      {{{4, "000001"}},
       {"Número de Serie - Código de establecimiento no válido 000"},
       "establishment zero: the emission point is not checked"},
      {{{4, "001000"}}, {"Número de Serie - Punto de emisión no válido 000"}, "emission point zero"},
      {{{4, "000000"}},
       {"Número de Serie no puede ser cero 000000",
        "Número de Serie - Código de establecimiento no válido 000"},
       "a serie of zeros"},
      {{{4, "A01001"}},
       {"Número de Serie no válido: A01001", "Número de Serie no puede ser cero A01001",
        "Número de Serie - Código de establecimiento no válido A01"},
       "a serie that is no number fails three checks at once"},
      {{{5, "000000009"}, {6, "000000010"}}, {}, "a range written with the same digits"},
      {{{5, "9"}, {6, "10"}}, {}, "a range of numbers compares as numbers, not as texts"},
      {{{5, "10"}, {6, "9"}},
       {"Rango de secuencias de comprobantes no correcto. Inicio: 10. Fin: 9"},
       "a range that runs backwards"},
      {{{5, "000000011"}, {6, "10"}},
       {"Rango de secuencias de comprobantes no correcto. Inicio: 000000011. Fin: 10"},
       "leading zeros do not change the number"},
      {{{5, "150"}, {6, "150"}}, {}, "a range of one voucher"},
      {{{5, "x"}, {6, "0"}},
       {"Número de Secuencia de comprobante no válido: x",
        "Número de Secuencia de comprobante no puede ser cero 0",
        "Rango de secuencias de comprobantes no correcto. Inicio: x. Fin: 0"},
       "no number and zero; the range is checked whatever they gave"},
      {{{7, "12A"}}, {"Número de autorizacion no válido: 12A"}, "an authorisation that is no number"},
      {{{7, "1"}}, {}, "an authorisation has no length rule"},
      {{{8, "31/02/2013"}},
       {"Fecha de anulación de comprobante no es válido: 31/02/2013",
        "Fecha de anulación no puede ser mayor al periodo reportado 31/02/2013"},
       "a date that is none fails both date checks"},
      {{{8, "31/05/2013"}}, {}, "the last day of the period"},
      {{{8, "01/06/2013"}},
       {"Fecha de anulación no puede ser mayor al periodo reportado 01/06/2013"},
       "the day after the period"},
      {{{1, "2"}, {2, "2024"}, {8, "29/02/2024"}}, {}, "a leap February", 2, "2024", "29"},
      {{{1, "2"}, {2, "2024"}, {8, "01/03/2024"}},
       {"Fecha de anulación no puede ser mayor al periodo reportado 01/03/2024"},
       "the day after a leap February",
       2,
       "2024",
       "29"},
      {{{1, "2"}, {2, "2023"}, {8, "28/02/2023"}}, {}, "a common February", 2, "2023", "28"},
      {{{1, "13"}},
       {"Fecha de anulación no puede ser mayor al periodo reportado 20/05/2013"},
       "a month that is none has no period end",
       99,
       "2013",
       "0"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    validador_.nu_mes = c.nu_mes;
    validador_.nu_anio = c.nu_anio;
    validador_.iUltDiasMes = "set by the caller";
    const Campos campos = con(kValido, c.cambios);
    const Resultado r = valida(campos);
    EXPECT_EQ(r.respuesta, "OK");
    EXPECT_EQ(r.fallido, !c.lineas.empty());
    EXPECT_EQ(r.errores, texto(c.lineas));
    EXPECT_EQ(validador_.iUltDiasMes, c.ultimoDia);
    for (long k = 0; k < 9; ++k) EXPECT_EQ(r.registro->at(k), campos[k]) << "no field is written back";
  }
}

TEST_F(Anulacion, TheCallersTextIsEmptiedByAPassedRecordAndKeptBeforeTheLinesOfAFailedOne) {
  const std::string previo = "Registro 1\r\n";
  const Resultado pasa = valida(kValido, previo);
  EXPECT_FALSE(pasa.fallido);
  EXPECT_EQ(pasa.errores, "");

  const Resultado falla = valida(con(kValido, {{7, "x"}}), previo);
  EXPECT_EQ(falla.respuesta, "OK");
  EXPECT_TRUE(falla.fallido);
  EXPECT_EQ(falla.errores, previo + "Número de autorizacion no válido: x\r\n");
}

// A field the array does not hold fails its checks without a line: the line would carry it.
TEST_F(Anulacion, AShortArrayFailsWithoutTheLinesOfItsMissingFields) {
  validador_.iUltDiasMes = "30";
  Campos corto(kValido.begin(), kValido.begin() + 5);
  Resultado r = valida(corto, "antes\r\n");
  EXPECT_TRUE(r.fallido);
  EXPECT_EQ(r.errores, "antes\r\n");
  EXPECT_EQ(validador_.iUltDiasMes, "31") << "the month and year are there";

  corto[0] = "1790012344001";
  r = valida(corto);
  EXPECT_EQ(r.errores, "RUC de Empresa no coincide con la empresa seleccionada: 1790012344001\r\n");

  validador_.iUltDiasMes = "30";
  r = Registros::valida(&CLSValidarInformacion::Valida_Anulacion, vt::automation::StringArrayRef(),
                        "antes\r\n");
  EXPECT_EQ(r.respuesta, "OK");
  EXPECT_TRUE(r.fallido);
  EXPECT_EQ(r.errores, "antes\r\n");
  EXPECT_EQ(validador_.iUltDiasMes, "30") << "no period to take the last day from";
}

TEST_F(Anulacion, WithoutAnOpenConnectionTheVoucherTypeCannotBeFound) {
  valtrone::gfCierraConexion();
  const Resultado r = valida(kValido);
  EXPECT_TRUE(r.fallido);
  EXPECT_EQ(r.errores, "Código de comprobante no válido: 01\r\n");
  valtrone::gfAbreConexion();
}

}  // namespace
