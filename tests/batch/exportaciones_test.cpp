// The exports rules column by column: each case is a row, mostly the valid base row with a few
// cells changed, and the exact lines of its block; then the customs documents on both sides of the
// FUE's last day, and the batch contract.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exportaciones_fixture.hpp"

namespace exportaciones_test {
namespace {

const std::string kAutorizacion37 = "1234567890123456789012345678901234567";

Exportaciones::Call period(const char* mes, const char* anio) {
  Exportaciones::Call call;
  call.nu_mes = mes;
  call.nu_anio = anio;
  return call;
}

TEST_F(Exportaciones, ValidRowsPassAndAreRewrittenIntoNormalForm) {
  const Outcome run = validate(sheetOf({
      row({{3, "007"},
           {4, " b "},
           {6, "2013-05-15"},
           {7, "28.0"},
           {10, "012345678"},
           {11, "5"},
           {12, " CEC0012345 "},
           {14, "1500.5"},
           {19, " 1234567890 "},
           {20, "0"},
           {21, "abc"},
           {23, "x"}}),
      row({{4, "S"},
           {5, "16"},
           {7, "x"},
           {8, "x"},
           {9, "x"},
           {10, "x"},
           {11, "x"},
           {12, ""},
           {19, kAutorizacion37}}),
  }));
  EXPECT_EQ(run.result, "OK");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 3);
  EXPECT_EQ(
      normalised(*run.sheet),
      "1792045185001;05;2013;7;B;01;15/05/2013;28;2013;04;12345678;0;CEC0012345;0000000000000;1500.50;"
      "1500.50;15/05/2013;001001;0000025;1234567890;;abc;;x\r\n"
      "1792045185001;05;2013;;S;16;15/05/2013;0;0;0;0;0;0;0000000000000;1500.50;1500.50;15/05/2013;001001;"
      "0000025;" +
          kAutorizacion37 + ";;;;\r\n");
}

TEST_F(Exportaciones, ARowShippedBeforeTheCutOffKeepsItsCorrelativoAndCheckDigit) {
  const Outcome run = validate(sheetOf({rowBeforeCutOff({{10, "123"}, {11, " 7"}})}), period("9", "2012"));
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(
      normalised(*run.sheet),
      "1792045185001;09;2012;;B;01;28/09/2012;28;2012;04;123;7;CEC0012345;2812012400123;1500.50;1500.50;"
      "28/09/2012;001001;0000025;1234567890;;;;\r\n");
}

TEST_F(Exportaciones, CompanyPeriodAndExportType) {
  expectBlocks(*this,
               {
                   {row({{0, "1790012344001"}}),
                    {"RUC de empresa 1792045185001 no coincide con la empresa seleccionada 1790012344001"},
                    "another company"},
                   {row({{1, "4"}, {6, "15/04/2013"}}),
                    {"Periodo: Mes no coincide con el mes seleccionado : 04"},
                    "another month, with a date of that month"},
                   {row({{1, "mayo"}}),
                    {"Periodo: Mes no coincide con el mes seleccionado : mayo",
                     "Mes de fecha de embarque no corresponde: 15/05/2013"},
                    "a month in words matches neither the period nor the date"},
                   {row({{1, "99"}}),
                    {"Mes de fecha de embarque no corresponde: 15/05/2013"},
                    "a whole-year row passes the period, and then no date has its month"},
                   {row({{2, "2012"}}),
                    {"Periodo: Año no coincide con el año seleccionado : 2012",
                     "Año de fecha de embarque no corresponde 15/05/2013",
                     "Referendo-Año de importación no puede ser mayor al año de periodo seleccionado:  2012"},
                    "another year: the date and the referendo are compared with the row's year"},
                   {row({{4, "X"}}),
                    {"Tipo de exportacion no válido X debe ser 'B', 'S' "},
                    "an unknown type is no export of goods: its customs cells become 0 unchecked"},
                   {row({{4, ""}}), {"Tipo de exportacion no válido  debe ser 'B', 'S' "}, "a blank type"},
                   {row({{4, " s "}}), {}, "a service, upper-cased and trimmed"},
               });
}

TEST_F(Exportaciones, VoucherType) {
  expectBlocks(*this,
               {
                   {row({{5, "00"}}), {"Código de comprobante no puede ser cero "}, "zero, not looked up"},
                   {row({{5, "FA"}}), {"Código de comprobante no puede ser cero "}, "letters read as zero"},
                   {row({{5, "99"}}), {"Código de comprobante no válido 99"}, "missing from the catalogue"},
                   {row({{5, "18"}}),
                    {"Comprobante de venta 18 no válido para tipo de transaccion (Exportacion)"},
                    "a type of local sales"},
                   {row({{5, "16"}}), {}, "the FUE itself lists the exports transaction"},
                   {row({{5, "1' or '1'='1"}}),
                    {"Código de comprobante no válido 1' or '1'='1"},
                    "a quote in the cell stays inside the looked-up value"},
               });
}

TEST_F(Exportaciones, TransactionDate) {
  expectBlocks(
      *this,
      {
          {row({{6, "0"}}),
           {"Fecha de embarque  no es válida "},
           "a zero is emptied and reported; the rules that hang on the date wait for it"},
          {row({{6, ""}}), {"Fecha de embarque  no es válida "}, "a blank date"},
          {row({{6, "31/02/2013"}}), {"Fecha de embarque 31/02/2013 no es válida "}, "an impossible day"},
          {row({{4, "S"}, {6, "x"}}), {"Fecha de embarque x no es válida "}, "a service's date, same text"},
          {row({{6, "15/04/2013"}}),
           {"Mes de fecha de embarque no corresponde: 15/04/2013"},
           "shipped in April"},
          {row({{4, "S"}, {6, "15/04/2013"}}),
           {"Mes de fecha de transacción no corresponde: 15/04/2013"},
           "a service of April"},
          {row({{4, "S"}, {6, "15/05/2014"}}),
           {"Año de fecha de transacción no corresponde 15/05/2014"},
           "a service of another year"},
          {row({{6, "15/05/2012"}}),
           {"Año de fecha de embarque no corresponde 15/05/2012",
            "Referendo. Longitud de Correlativo debe ser hasta 6 caracteres para antes de 30/09/2012",
            "Numero de FUE no puede ser cero "},
           "a date before the cut-off asks for the earlier referendo and a FUE"},
      });
  expectBlocks(*this,
               {{row({{1, "3"},
                      {2, "2001"},
                      {6, "15/03/2001"},
                      {8, "2001"},
                      {10, "123456"},
                      {11, "7"},
                      {13, "2812012400123"}}),
                 {"Fecha de embarque debe ser mayor a '01/01/2002' 15/03/2001"},
                 "a shipment of 2001 in a sheet of 2001"}},
               period("3", "2001"));
}

TEST_F(Exportaciones, ReferendoOfAnExportOfGoods) {
  expectBlocks(
      *this,
      {
          {row({{7, "0"}}),
           {"Referendo-Distrito aduanero no puede ser cero"},
           "district zero, not looked up"},
          {row({{7, "A"}}), {"Referendo-Distrito aduanero no puede ser cero"}, "letters read as zero"},
          {row({{7, ""}}), {"Referendo-Distrito aduanero no puede ser cero"}, "blank"},
          {row({{7, "27"}}),
           {"Referendo-Distrito aduanero 27 no registrado "},
           "looked up as 027, reported as 27"},
          {row({{7, "28' or '1'='1"}}),
           {"Referendo-Distrito aduanero 28' or '1'='1 no registrado "},
           "a quote in the cell stays inside the looked-up value"},
          {row({{8, "2014"}}),
           {"Referendo-Año de importación no puede ser mayor al año de periodo seleccionado:  2013"},
           "a year after the row's period, which the line names"},
          {row({{8, "2012"}}), {}, "an earlier year"},
          {row({{8, "x"}}), {"Referendo-Año de importación no valido x"}, "a year that is no number"},
          {row({{8, "0"}}), {"Referendo-Año de importación no puede ser cero"}, "year zero"},
          {row({{9, "x"}}), {"Referendo-Regimen no valido x"}, "a regime that is no number"},
          {row({{9, "0"}}), {"Referendo-Regimen no puede ser cero "}, "regime zero"},
          {row({{9, "10"}}), {"Referendo-Regimen no registrado: 10"}, "missing from the catalogue"},
          {row({{10, "x"}, {11, "x"}}),
           {"Referendo-Correlativo no válido x"},
           "after the cut-off the correlativo is checked too (the schema takes digits only); the digit is 0"},
          {row({{12, "   "}}), {"Referendo-Documento de transporte no debe estar vacio "}, "blanks only"},
          {row({{12, "12345678901234"}}),
           {"Referendo-Documento de transporte . Longitud debe ser 13 caracteres "},
           "fourteen characters"},
          {row({{12, "AB123"}}), {}, "five characters"},
      });
}

// After the cut-off the annex writes the correlativo as eight digits, which the authority's schema
// requires: a correlativo that is empty, not a number, zero or longer never reaches the annex.
TEST_F(Exportaciones, CorrelativoAfterTheCutOff) {
  expectBlocks(*this,
               {
                   {row({{10, "12345678"}}), {}, "eight digits"},
                   {row({{10, "1"}}), {}, "one digit, padded by the annex"},
                   {row({{10, "123456789"}}),
                    {"Referendo. Longitud de Correlativo debe ser hasta 8 caracteres para después de 30/09/2012"},
                    "nine digits"},
                   {row({{10, ""}}), {"Referendo-Correlativo no válido "}, "empty"},
                   {row({{10, "ABC123"}}), {"Referendo-Correlativo no válido ABC123"}, "letters"},
                   {row({{10, "0"}}), {"Referendo. Correlativo debe ser mayor a cero 0"}, "zero"},
                   {row({{10, "-5"}}), {"Referendo. Correlativo debe ser mayor a cero -5"}, "negative"},
                   {row({{10, "1234567890"}, {11, "12"}}),
                    {"Referendo. Longitud de Correlativo debe ser hasta 8 caracteres para después de 30/09/2012"},
                    "ten digits; the check digit is not read after the cut-off"},
               });
}

// A run of the whole year takes the rows of every month, each dated in its own month, and
// refuses a month outside the year with the period message.
TEST_F(Exportaciones, AWholeYearRunTakesEveryMonth) {
  expectBlocks(*this,
               {
                   {row({{1, "3"}, {6, "15/03/2013"}}), {}, "March"},
                   {row({{1, "07"}, {6, "15/07/2013"}, {4, "S"}}), {}, "a service of July"},
                   {row({{1, "03"}}),
                    {"Mes de fecha de embarque no corresponde: 15/05/2013"},
                    "the date still falls in the row's own month"},
                   {row({{1, "13"}}),
                    {"Periodo: Mes no coincide con el mes seleccionado : 13",
                     "Mes de fecha de embarque no corresponde: 15/05/2013"},
                    "a month after December"},
                   {row({{1, "99"}}),
                    {"Periodo: Mes no coincide con el mes seleccionado : 99",
                     "Mes de fecha de embarque no corresponde: 15/05/2013"},
                    "the year's mark is no month of a row"},
               },
               period("99", "2013"));
}

TEST_F(Exportaciones, CorrelativoAndCheckDigitBeforeTheCutOff) {
  expectBlocks(
      *this,
      {
          {rowBeforeCutOff({{10, "1234567"}}),
           {"Referendo. Longitud de Correlativo debe ser hasta 6 caracteres para antes de 30/09/2012"},
           "seven digits"},
          {rowBeforeCutOff({{10, "x"}}), {"Referendo-Correlativo no válido x"}, "letters"},
          {rowBeforeCutOff({{10, "0"}}), {"Referendo. Correlativo debe ser mayor a cero 0"}, "zero"},
          {rowBeforeCutOff({{11, "x"}}), {"Referendo-Digito verificador no válido : x"}, "letters"},
          {rowBeforeCutOff({{11, "-1"}}), {"Referendo-Digito verificador no válido : -1"}, "negative"},
          {rowBeforeCutOff({{11, "0"}}), {}, "a check digit of 0"},
          {rowBeforeCutOff({{11, "12"}}),
           {"Referendo-Digito verificador no válido : 12"},
           "two digits: the annex has room for one"},
      },
      period("9", "2012"));
}

TEST_F(Exportaciones, FueOnBothSidesOfTheCutOff) {
  expectBlocks(*this,
               {
                   {rowBeforeCutOff({{6, "30/09/2012"}, {13, "0"}}),
                    {"Numero de FUE no puede ser cero "},
                    "zero on the last day"},
                   {rowBeforeCutOff({{13, "12345678901234"}}),
                    {"Numero de FUE. Longitud es diferente del permitido 13 caracteres "},
                    "fourteen digits"},
                   {rowBeforeCutOff({{13, "1234"}}), {}, "padded to thirteen digits"},
                   {rowBeforeCutOff({{13, "x"}}), {"Numero de FUE x no valido "}, "letters"},
                   {rowBeforeCutOff({{4, "S"}, {13, "0"}}),
                    {"Numero de FUE no puede ser cero "},
                    "services carry a FUE too"},
               },
               period("9", "2012"));
  expectBlocks(
      *this,
      {{row({{1, "10"}, {2, "2012"}, {6, "01/10/2012"}, {8, "2012"}}), {}, "zero on the first day after"}},
      period("10", "2012"));
  expectBlocks(
      *this,
      {
          {row({{13, "1234"}}), {"Numero de FUE. Campo 1234 valido hasta 30/09/2012"}, "a FUE after it"},
          {row({{4, "S"}, {13, "1234"}}),
           {"Numero de FUE. Campo 1234 valido hasta 30/09/2012"},
           "a service's FUE after it"},
          {row({{13, ""}}), {"Numero de FUE  no valido "}, "a blank FUE is no number"},
          {row({{6, "x"}, {13, "1234"}}),
           {"Fecha de embarque x no es válida "},
           "without a date the FUE is held to neither side"},
      });
}

TEST_F(Exportaciones, ValuesAndExportInvoice) {
  expectBlocks(
      *this,
      {
          {row({{14, "0"}}), {"Valor FOB/Servicio 0.00 debe ser mayor a cero "}, "FOB zero"},
          {row({{14, "-3"}}), {"Valor FOB/Servicio -3.00 debe ser mayor a cero "}, "FOB negative"},
          {row({{14, "x"}}), {"Valor FOB/Servicio debe ser numerico x"}, "FOB in letters"},
          {row({{15, "0"}}),
           {"Fact. Exportación-Valor Comprobante Local debe ser mayor a cero 0.00"},
           "local zero"},
          {row({{15, ""}}), {"Fact. Exportación-Valor Comprobante Local debe ser numerico "}, "local blank"},
          {row({{16, "x"}}), {"Fact. Exportación: Fecha de emisión x no es válida"}, "issue date in letters"},
          {row({{16, "31/12/2001"}}),
           {"Fact. Exportación-Fecha de emisión 31/12/2001 debe ser mayor a '01/01/2002' "},
           "issued in 2001"},
          {row({{16, "01/01/2002"}}), {}, "the first day of 2002 passes"},
          {row({{17, "0"}}),
           {"Fact. Exportación-Serie comprobante no puede ser cero 000000"},
           "a serie of zeros, whose parts are not tested"},
          {row({{17, "1"}}),
           {"Fact. Exportación-Serie 'Código de establecimiento'  000 no válido "},
           "establishment 000"},
          {row({{17, "1000"}}),
           {"Fact. Exportación-Serie 'Punto de emisión' 000 no válido "},
           "emission point 000"},
          {row({{17, "A01"}}), {"Fact. Exportación-Serie A01 no válido "}, "letters"},
          {row({{18, "123456789"}}), {}, "nine digits"},
          {row({{18, "1234567890"}}),
           {"Fact. Exportación-Secuencia 1234567890 longitud excede el limite"},
           "ten digits"},
          {row({{18, "0"}}), {"Fact. Exportación-Secuencia 0000000 no puede ser cero"}, "zero"},
          {row({{18, "x"}}), {"Fact. Exportación-Secuencia x debe ser numérico"}, "letters"},
          {row({{19, "12345678901"}}),
           {"Fact. Exportación-Longitud de autorizacion  12345678901 es 11 debe ser 10 o 37"},
           "eleven digits"},
          {row({{19, "0000000000"}}),
           {"Fact. Exportación-Numero Autorizacion 0000000000 no debe ser cero"},
           "ten zeros"},
          {row({{19, "AUT"}}),
           {"Fact. Exportación-Número de Autorizacion AUT debe ser numerico "},
           "letters"},
      });
}

TEST_F(Exportaciones, ARowCollectsEveryFaultInColumnOrder) {
  const Outcome run = validate(
      sheetOf({row({{4, "X"}, {5, "99"}, {14, "0"}, {19, "1"}}), baseRow(), row({{7, "27"}, {13, "1"}})}));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 4);
  EXPECT_EQ(run.log,
            block(1, {"Tipo de exportacion no válido X debe ser 'B', 'S' ",
                      "Código de comprobante no válido 99", "Valor FOB/Servicio 0.00 debe ser mayor a cero ",
                      "Fact. Exportación-Longitud de autorizacion  1 es 1 debe ser 10 o 37"}) +
                block(3, {"Referendo-Distrito aduanero 27 no registrado ",
                          "Numero de FUE. Campo 1 valido hasta 30/09/2012"}));
}

TEST_F(Exportaciones, EachCatalogueValueIsLookedUpOncePerCall) {
  std::vector<Row> rows;
  for (int i = 0; i < 40; ++i) rows.push_back(row({{5, i % 2 ? "16" : "1"}, {7, i % 3 ? "28" : "27"}}));
  const std::vector<std::string> statements =
      hoja_test::statementsDuring([&] { EXPECT_EQ(validate(sheetOf(rows)).result, "ERROR"); });
  // Two voucher types, each looked up and asked for the exports transaction; two districts; one regime.
  EXPECT_EQ(statements.size(), 7u) << ::testing::PrintToString(statements);
}

TEST_F(Exportaciones, OnlyModeOneActs) {
  Exportaciones::Call store;
  store.mode = 2;
  store.progress = 7;
  const auto sheet = sheetOf({row({{1, "4"}})});
  const Outcome run = validate(sheet, store);
  EXPECT_EQ(run.result, "");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 7);
  EXPECT_EQ(sheet->get(1, 1), "4");
}

TEST_F(Exportaciones, ANarrowSheetReadsItsMissingCellsAsBlank) {
  const Outcome run = validate(sheetOf({baseRow()}, 15));
  EXPECT_EQ(run.log,
            block(1, {"Fact. Exportación: Fecha de emisión  no es válida",
                      "Fact. Exportación-Serie  no válido ", "Fact. Exportación-Secuencia  debe ser numérico",
                      "Fact. Exportación-Número de Autorizacion  debe ser numerico "}));
}

}  // namespace
}  // namespace exportaciones_test
