// The export record validator: a valid record of May 2013 with a few fields changed, and the
// exact fault text each gives, or the fields it rewrites.

#include <string>
#include <vector>

#include "library/frame/conexion.hpp"
#include "registro_fixture.hpp"
#include "registros_validos.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;

const Campos& kValido = validos::kExportacion;

using Exportacion = RegistrosDe<&CLSValidarInformacion::Valida_Exportacion>;

TEST_F(Exportacion, EachCheckWritesItsLine) {
  struct Case {
    Cambios cambios;
    std::vector<std::string> lineas;  // none: the record passes
    const char* why;
    int16_t nu_mes = 5;
    const char* nu_anio = "2013";
  };
  const std::vector<Case> casos = {
      {{}, {}, "a valid record"},
      {{{0, "1792045185002"}, {1, "6"}, {2, "2012"}},
       {"RUC de Empresa no coincide con la empresa seleccionada: 1792045185002",
        "Periodo: Mes no coincide con el mes seleccionado : 6",
        "Periodo: Año no coincide con el año seleccionado : 2012",
        "Año de fecha de contabilización 15/05/2013 no puede ser mayor al periodo informado "},
       "another period; the accounting year is beyond the record's"},
      {{{1, "6"}}, {}, "a yearly run checks no month", 99},
      {{{3, "b"}},
       {"Tipo de importacion no válido b"},
       "a type in lower case fails, yet carries its referendo"},
      {{{3, "b"}, {16, "0"}},
       {"Tipo de importacion no válido b", "Referendo. Distrito aduanero no válido 0"},
       "the referendo of a lower-case type is checked"},
      {{{4, "0"}}, {"Código de comprobante no válido 0"}, "voucher type zero"},
      {{{4, "1"}}, {"Código de comprobante no válido: 1"}, "the voucher type is looked up as written"},
      {{{4, "03"}}, {"Comprobante no válido para tipo de transaccion 03"}, "a voucher type not for exports"},
      {{{5, "20/05/2012"}},
       {"Año de fecha de embarque/contabilización de comprobante no corresponde 20/05/2012"},
       "a shipment in the period's month of another year"},
      {{{5, "20/04/2013"}},
       {"Mes de fecha de embarque/contabilización de comprobante no corresponde: 20/04/2013"},
       "a shipment in another month"},
      {{{5, "20/04/2013"}}, {}, "a yearly run compares no shipment month", 99},
      {{{5, "mañana"}},
       {"Fecha de contabilización de comprobante no es válido: mañana",
        "Mes de fecha de embarque/contabilización de comprobante no corresponde: mañana",
        "Año de fecha de embarque/contabilización de comprobante no corresponde mañana"},
       "a shipment date that is none fails its three checks"},
      {{{6, "n"}}, {"Tipo de identificación de proveedor no válido n"}, "identification type in lower case"},
      {{{7, "cualquier cosa"}}, {}, "the other party's number is not checked"},
      {{{8, "   "}}, {"Nombre de identificación del proveedor requerido    "}, "a blank name"},
      {{{9, "0"}}, {"Código de comprobante no válido 0"}, "invoice type zero"},
      {{{9, "1"}}, {"Código de comprobante no válido debe ser solo '01' - Factura: 1"}, "invoice type 1"},
      {{{10, "32/05/2013"}},
       {"Fecha de emisión de comprobante no es válido: 32/05/2013",
        "Fecha de contabilización 15/05/2013 debe ser menor o igual que fecha de emisión "
        "15/05/2013-32/05/2013"},
       "an issue date that is none"},
      {{{11, "16/05/2013"}},
       {"Fecha de contabilización 16/05/2013 debe ser menor o igual que fecha de emisión "
        "16/05/2013-15/05/2013"},
       "accounted the day after the issue"},
      {{{1, "1"}, {2, "2013"}, {5, "20/01/2013"}, {10, "15/12/2012"}, {11, "15/12/2012"}},
       {},
       "December of the year before is within a January period: the dates compare as dates",
       1},
      {{{10, "15/06/2014"}, {11, "15/06/2014"}},
       {"Año de fecha de contabilización 15/06/2014 no puede ser mayor al periodo informado "},
       "a later year is the year's fault alone, whatever its month"},
      {{{10, "15/06/2013"}, {11, "15/06/2013"}},
       {"Mes de fecha de contabilización 15/06/2013 no puede ser mayor al periodo informado "},
       "a later month of the same year"},
      {{{10, "15/12/2012"}, {11, "15/12/2012"}}, {}, "an earlier year, whatever its month"},
      {{{11, "x"}},
       {"Fecha de contabilización de comprobante no es válido: x",
        "Mes de fecha de contabilización x no puede ser mayor al periodo informado ",
        "Año de fecha de contabilización x no puede ser mayor al periodo informado ",
        "Fecha de contabilización x debe ser menor o igual que fecha de emisión x-15/05/2013"},
       "an accounting date that is none fails its four checks"},
      {{{12, "000001"}}, {"Número de Serie - Código de establecimiento no válido 000"}, "establishment zero"},
      {{{12, "001000"}}, {"Número de Serie - Punto de emisión no válido 000"}, "emission point zero"},
      {{{13, "12a"}}, {"Número de Secuencia de comprobante no válido: 12a"}, "a sequence that is no number"},
      {{{13, "0"}}, {"Número de Secuencia de comprobante no puede ser cero 0"}, "sequence zero"},
      {{{14, "A1"}, {15, "mil"}},
       {"Número de autorizacion no válido: A1", "Valor Comprobante debe ser numerico : mil"},
       "authorisation and value that are no numbers"},
      {{{16, "99"}}, {"Referendo. Código de distrito aduanero no registrado: 99"}, "an unknown district"},
      {{{17, "2014"}},
       {"Referendo. Año de importación no puede ser mayor al año de periodo seleccionado:  2014"},
       "a referendo of a later year"},
      {{{18, "0"}}, {"Referendo. Regimen no válido 0"}, "regime zero"},
      {{{18, "10"}}, {"Referendo. Código de regimen no registrado: 10"}, "an unknown regime"},
      {{{19, "0"}}, {"Referendo. Numero correlativo debe ser mayor a cero: 0"}, "correlative zero"},
      {{{19, "x"}}, {"Referendo. Numero correlativo no válido : x"}, "correlative no number"},
      {{{20, "0"}}, {}, "check digit zero"},
      {{{20, "-1"}}, {"Referendo. Digito verificador no válido : -1"}, "a negative check digit"},
      {{{20, ""}}, {"Referendo. Digito verificador no válido : "}, "an empty check digit"},
      {{{21, ""}}, {"Numero de documento de transporte no debe estar vacio "}, "no transport document"},
      {{{21, " "}}, {}, "a blank transport document"},
      {{{21, "ABCDEFGHIJKLMNOP"}}, {}, "sixteen characters"},
      {{{21, "ABCDEFGHIJKLMNOPQ"}},
       {"Numero de documento de transporte. Longitud excede el limite de 16 caracteres "},
       "seventeen characters"},
      {{{21, "ÁÉÍÓÚÑáéíóúñÜü12"}}, {}, "sixteen characters with accents"},
      {{{22, "0"}}, {"Valor FOB debe ser mayor a cero: 0"}, "FOB zero"},
      {{{22, "1,500.00"}}, {"Valor FOB debe ser numerico : 1,500.00"}, "FOB with a thousands separator"},
      {{{23, "N"}}, {}, "refund N"},
      {{{23, "SN"}}, {}, "refund SN"},
      {{{23, ""}}, {}, "refund empty"},
      {{{23, "NS"}}, {"Estado de devolución IVA no válido: NS"}, "refund NS"},
      {{{23, "s"}}, {"Estado de devolución IVA no válido: s"}, "refund in lower case"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    validador_.nu_mes = c.nu_mes;
    validador_.nu_anio = c.nu_anio;
    const Resultado r = valida(con(kValido, c.cambios), "antes\r\n");
    EXPECT_EQ(r.respuesta, "OK");
    EXPECT_EQ(r.fallido, !c.lineas.empty());
    EXPECT_EQ(r.errores, texto(c.lineas)) << "only this record's lines";
  }
}

TEST_F(Exportacion, AServiceExportCarriesTheNeutralReferendo) {
  const Resultado r = valida(con(kValido, {{3, "S"}, {16, "0"}, {18, "x"}, {19, "-5"}}));
  EXPECT_FALSE(r.fallido);
  EXPECT_EQ(r.errores, "");
  const std::vector<std::string> neutro = {"000", "0000", "00", "0", "0"};
  for (long k = 16; k <= 20; ++k) EXPECT_EQ(r.registro->at(k), neutro[static_cast<std::size_t>(k - 16)]);
  EXPECT_EQ(r.registro->at(21), "HAWB-0001");
}

TEST_F(Exportacion, APeriodYearThatIsNoNumberFailsTheYearAndTheReferendoYear) {
  validador_.nu_anio = "dos mil trece";
  const Resultado r = valida(kValido);
  EXPECT_EQ(
      r.errores,
      texto({"Periodo: Año no coincide con el año seleccionado : 2013",
             "Año de fecha de embarque/contabilización de comprobante no corresponde 20/05/2013",
             "Referendo. Año de importación no puede ser mayor al año de periodo seleccionado:  2013"}));
}

// Without a connection no catalogue answers: each lookup counts as not found, and the transaction
// check after the voucher type is not made.
TEST_F(Exportacion, WithoutAnOpenConnectionNoCodeIsRegistered) {
  valtrone::gfCierraConexion();
  const Resultado r = valida(kValido);
  EXPECT_EQ(r.errores, texto({"Código de comprobante no válido: 01",
                              "Referendo. Código de distrito aduanero no registrado: 28",
                              "Referendo. Código de regimen no registrado: 4"}));
  valtrone::gfAbreConexion();
}

TEST_F(Exportacion, AShortArrayFailsWithoutTheLinesOfItsMissingFields) {
  const Resultado r = valida(Campos(kValido.begin(), kValido.begin() + 21));
  EXPECT_TRUE(r.fallido);
  EXPECT_EQ(r.errores, texto({"Numero de documento de transporte no debe estar vacio "}))
      << "the only line that carries no field";
}

}  // namespace
