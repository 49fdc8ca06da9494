// The import record validator: a valid import of goods of May 2013 with a few fields changed, the
// exact fault text each gives, and the neutral values it writes into what a record does not carry.

#include <string>
#include <vector>

#include "registro_fixture.hpp"
#include "registros_validos.hpp"

namespace {

using namespace registro_test;
using valtrone::CLSValidarInformacion;

const Campos& kValido = validos::kImportacion;

using Importacion = RegistrosDe<&CLSValidarInformacion::Valida_Importacion>;

TEST_F(Importacion, EachCheckWritesItsLine) {
  struct Case {
    Cambios cambios;
    std::vector<std::string> lineas;  // none: the record passes
    const char* why;
  };
  const std::vector<Case> casos = {
      {{}, {}, "a valid import of goods"},
      {{{0, "1792045185002"}, {1, "6"}, {2, "2012"}},
       {"RUC de Empresa no coincide con la empresa seleccionada: 1792045185002",
        "Periodo: Mes no coincide con el mes seleccionado : 6",
        "Periodo: Año no coincide con el año seleccionado : 2012",
        "Mes de fecha de contabilización de comprobante no corresponde: 20/05/2013",
        "Año de fecha de contabilización de comprobante no corresponde 20/05/2013"},
       "another period: the accounting date is held against the record's own month and year"},
      {{{3, "b"}}, {"Tipo de importacion no válido b"}, "a type in lower case is still goods"},
      {{{3, "b"}, {10, "0"}},
       {"Tipo de importacion no válido b", "Referendo. Distrito aduanero no válido 0"},
       "goods in lower case have their referendo checked"},
      {{{3, "X"}, {10, "0"}, {17, "x"}}, {"Tipo de importacion no válido X"}, "an unknown type is not goods"},
      {{{3, "S"}, {10, "0"}, {16, "x"}, {18, "99"}}, {}, "services carry no referendo and no bases"},
      {{{4, "0"}},
       {"Código de comprobante no válido 0",
        "Codigo de sustento tributario: 02 no válido para comprobante: 0"},
       "voucher type zero allows no tax support"},
      {{{4, "99"}},
       {"Código de comprobante no válido: 99",
        "Codigo de sustento tributario: 02 no válido para comprobante: 99"},
       "a voucher type not in the catalogue allows no tax support"},
      {{{4, "01"}, {5, "01"}},
       {"Comprobante no válido para tipo de transaccion 01"},
       "a voucher type not for imports"},
      {{{5, ""}}, {"Código de credito tributario no válido en compras "}, "no tax support"},
      {{{5, "16"}}, {"Código de credito tributario no válido: 16"}, "a tax support not in the catalogue"},
      {{{5, "01"}},
       {"Codigo de sustento tributario: 01 no válido para comprobante: 15"},
       "a tax support the voucher type does not allow"},
      {{{6, "31/02/2013"}},
       {"Fecha de contabilización de comprobante no es válido: 31/02/2013",
        "Mes de fecha de contabilización de comprobante no corresponde: 31/02/2013",
        "Año de fecha de contabilización de comprobante no corresponde 31/02/2013"},
       "an accounting date that is no date fails all three"},
      {{{6, "20/06/2013"}},
       {"Mes de fecha de contabilización de comprobante no corresponde: 20/06/2013"},
       "an accounting date of another month"},
      {{{7, "n"}}, {"Tipo de identificación de proveedor no válido n"}, "a supplier type in lower case"},
      {{{8, "  "}},
       {"Numero de identificación del proveedor requerido Proveedor Inc."},
       "no supplier number: the line names the supplier"},
      {{{9, ""}}, {"Nombre de identificación del proveedor requerido "}, "no supplier name"},
      {{{10, "28"}}, {}, "the district is looked up with three digits"},
      {{{10, "27"}},
       {"Referendo. Código de distrito aduanero no registrado: 27"},
       "a district not registered"},
      {{{11, "2014"}},
       {"Referendo. Año de importación no puede ser mayor al año de periodo seleccionado: 2014"},
       "a referendo of a later year"},
      {{{2, "2014"}, {11, "2014"}},
       {"Periodo: Año no coincide con el año seleccionado : 2014",
        "Año de fecha de contabilización de comprobante no corresponde 20/05/2013",
        "Referendo. Año de importación no puede ser mayor al año de periodo seleccionado: 2014"},
       "the referendo year is held against the object's year, not the record's"},
      {{{11, "2012"}}, {}, "a referendo of an earlier year"},
      {{{12, "0"}}, {"Referendo. Regimen no válido 0"}, "regime zero"},
      {{{12, "5"}}, {"Referendo. Código de regimen no registrado: 5"}, "a regime not registered"},
      {{{13, "0"}}, {"Referendo. Numero correlativo debe ser mayor a cero: 0"}, "correlative zero"},
      {{{13, "x"}}, {"Referendo. Numero correlativo no válido : x"}, "a correlative that is no number"},
      {{{14, "0"}}, {}, "check digit zero"},
      {{{14, "-1"}}, {"Referendo. Digito verificador no válido : -1"}, "a negative check digit"},
      {{{15, "0"}}, {}, "CIF zero"},
      {{{15, "-1"}}, {"Valor CIF debe ser mayor a cero: -1"}, "a negative CIF"},
      {{{3, "S"}, {15, "x"}}, {"Valor CIF debe ser numerico : x"}, "the CIF of services is checked too"},
      {{{16, "100"}, {17, "0"}, {19, "0"}}, {}, "only a base 0 %"},
      {{{16, "0"}, {17, "0"}, {19, "0"}},
       {"Suma de (Base 0% + Base Gravada)  debe ser mayor a cero: 0"},
       "no bases"},
      {{{17, "-5"}, {19, "0"}},
       {"Base imponible gravada debe ser mayor a cero: -5",
        "Suma de (Base 0% + Base Gravada)  debe ser mayor a cero: -5"},
       "a negative taxed base"},
      {{{16, "x"}}, {"Base imponible 0% debe ser numerico : x"}, "a base 0 % that is no number: no sum line"},
      {{{17, "x"}, {19, "0"}},
       {"Base imponible gravada debe ser numerico : x", "Monto de IVA debe ser mayor a cero 0"},
       "a taxed base that is no number leaves the VAT to be above zero"},
      {{{18, "x"}},
       {"Porcentaje de IVA debe ser numerico : x",
        "Base Imponible  x  % IVA no concuerda con Monto de IVA 120.00"},
       "a VAT rate that is no number"},
      {{{18, "13"}, {19, "130.00"}}, {"Porcentaje de IVA no registrado: 13"}, "a VAT rate not registered"},
      {{{19, "120.004"}}, {}, "VAT that rounds to the computed one"},
      {{{19, "120.01"}},
       {"Base Imponible  x  % IVA no concuerda con Monto de IVA 120.01"},
       "VAT a cent away"},
      {{{19, "0"}}, {"Monto de IVA debe ser mayor a cero 0"}, "no VAT on a taxed base: no product"},
      {{{19, "x"}},
       {"Monto de IVA no válido: x", "Base Imponible  x  % IVA no concuerda con Monto de IVA x"},
       "VAT that is no number"},
      {{{20, "100"}, {21, "15"}, {22, "15"}}, {}, "ICE as computed"},
      {{{20, "100"}, {21, "15"}, {22, "15.01"}},
       {"Base ICE x  % ICE no concuerda con Monto retenido ICE: 15.01"},
       "ICE a cent away"},
      {{{20, "100"}, {21, "0"}, {22, "5"}},
       {"Monto de Retencion de ICE no coinciden: 100 - 0 - 5"},
       "an ICE base without rate: no product"},
      {{{20, "x"}, {21, "y"}, {22, "z"}},
       {"Base de ICE no válido: x", "% de retención ICE debe ser numerico : y", "Monto de ICE no válido: z",
        "Base ICE x  % ICE no concuerda con Monto retenido ICE: z",
        "Monto de Retencion de ICE no coinciden: x - y - z"},
       "ICE fields that are no numbers"},
      {{{21, "10"}}, {"Porcentaje de ICE no registrado: 10"}, "an ICE rate not registered"},
      {{{23, "312"}, {24, "1000"}, {25, "1"}, {26, "10.00"}}, {}, "an income-tax withholding"},
      {{{23, "344"}, {24, "1000"}, {25, "1.75"}, {26, "17.50"}},
       {},
       "the rate as written: 1.75 % of 1000 is 17.50"},
      {{{23, "344"}, {24, "1000"}, {25, "1.75"}, {26, "20.00"}},
       {"Base Imponible IR  x  %IR no concuerda con Monto Retenido de IR 1000"},
       "the amount of a rate rounded to 0.02 is no longer accepted; the line names the base"},
      {{{23, "999"}, {24, "1000"}, {25, "1"}, {26, "10"}},
       {"Código de retencion de IR no válido: 999"},
       "a code not in the catalogue"},
      {{{23, "312"}, {24, "a"}, {25, "b"}, {26, "c"}},
       {"Base imponible de retención de IR no válido: a", "Porcentaje de Retención de IR no válido: b",
        "Monto de retenido de IR no válido: c",
        "Base Imponible IR  x  %IR no concuerda con Monto Retenido de IR a"},
       "income-tax fields that are no numbers"},
  };
  for (const Case& c : casos) {
    SCOPED_TRACE(c.why);
    const Resultado r = valida(con(kValido, c.cambios), "antes\r\n");
    EXPECT_EQ(r.respuesta, "OK");
    EXPECT_EQ(r.fallido, !c.lineas.empty());
    EXPECT_EQ(r.errores, c.lineas.empty() ? "" : "antes\r\n" + texto(c.lineas));
  }
}

TEST_F(Importacion, NeutralValuesOfWhatARecordDoesNotCarry) {
  Resultado r = valida(con(kValido, {{3, "S"}, {23, ""}, {24, "5"}, {25, "5"}, {26, "5"}}));
  EXPECT_FALSE(r.fallido) << r.errores;
  const std::vector<std::string> neutros = {"0",    "0000", "00",   "0",    "0",    "1000.00",
                                            "0.00", "0.00", "12",   "0.00", "0.00", "0.00",
                                            "0.00", "",     "0.00", "0",    "0.00"};
  for (long k = 10; k <= 26; ++k) EXPECT_EQ(r.registro->at(k), neutros.at(k - 10)) << "field " << k;

  r = valida(con(kValido, {{3, "b"}}));
  EXPECT_EQ(r.registro->at(10), "028") << "goods keep their referendo";
  EXPECT_EQ(r.registro->at(19), "120.00");
}

// The object's year is read strictly: one that is no number fails the year of every record and
// the referendo year of every import of goods.
TEST_F(Importacion, AnObjectYearThatIsNoNumber) {
  validador_.nu_anio = "dos mil";
  const Resultado r = valida(kValido);
  EXPECT_EQ(r.errores,
            texto({"Periodo: Año no coincide con el año seleccionado : 2013",
                   "Referendo. Año de importación no puede ser mayor al año de periodo seleccionado: 2013"}));
}

TEST_F(Importacion, AYearlyRunChecksNoMonth) {
  validador_.nu_mes = 99;
  EXPECT_EQ(valida(con(kValido, {{1, "6"}})).errores,
            texto({"Mes de fecha de contabilización de comprobante no corresponde: 20/05/2013"}))
      << "the accounting date is still held against the record's month";
}

}  // namespace
