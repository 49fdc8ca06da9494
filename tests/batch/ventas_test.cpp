// The sales rules column by column: each case changes a few cells of a valid row and expects the
// exact lines of its block; then the caller's options and the batch contract.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ventas_fixture.hpp"

namespace ventas_test {
namespace {

const std::string kCliente = " Comercial Andina";

TEST_F(Ventas, TheBaseRowPassesAndIsRewrittenIntoNormalForm) {
  const Outcome run = validate(sheetOf({row({{1, "05.0"},
                                             {3, " r "},
                                             {4, " 1791234561001 "},
                                             {5, "  Comercial Andina "},
                                             {8, "2.6"},
                                             {10, "50.005"},
                                             {11, " 100 "},
                                             {15, "2013-05-31"},
                                             {17, "25.4"},
                                             {18, "123"},
                                             {19, "007"},
                                             {20, "0"},
                                             {21, "abc"}})}));
  EXPECT_EQ(run.result, "OK");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 2);
  EXPECT_EQ(normalised(*run.sheet),
            "1792045185001;05;2013;R;1791234561001;Comercial Andina;001;18;3;0.00;50.01;100.00;12.00;0.00;0.00;"
            "31/05/2013;001001;0000025;0000000123;7;;abc\r\n");
}

TEST_F(Ventas, CompanyAndPeriod) {
  expectBlocks(*this,
               {
                   {{{0, "1790012344001"}},
                    {"RUC de empresa 1792045185001 no coincide con la empresa seleccionada 1790012344001"},
                    "another company"},
                   {{{0, "792045185001"}},
                    {"RUC de empresa 1792045185001 no coincide con la empresa seleccionada 0792045185001"},
                    "a twelve-digit RUC is padded, and then differs"},
                   {{{1, "4"}}, {"Periodo: Mes no coincide con el mes seleccionado : 04"}, "another month"},
                   {{{1, "mayo"}},
                    {"Periodo: Mes no coincide con el mes seleccionado : mayo"},
                    "a month that is no number cannot match"},
                   {{{2, "13"}},
                    {"Periodo: Año no coincide con el año seleccionado : 0013"},
                    "another year, padded to four digits"},
               });
}

TEST_F(Ventas, AWholeYearRunTakesEveryMonth) {
  Ventas::Call year;
  year.nu_mes = "99";
  // Each row is stored under its own month: one outside the year is refused here, with the period
  // message, rather than by the database after the run said OK.
  expectBlocks(*this,
               {{{{1, "12"}}, {}, "December in the year's run"},
                {{{1, "13"}}, {"Periodo: Mes no coincide con el mes seleccionado : 13"}, "a month after December"},
                {{{1, "0"}}, {"Periodo: Mes no coincide con el mes seleccionado : 00"}, "month zero"},
                {{{1, "99"}}, {"Periodo: Mes no coincide con el mes seleccionado : 99"}, "the year's mark is no month"},
                {{{1, "x"}}, {"Periodo: Mes no coincide con el mes seleccionado : x"}, "no month at all"}},
               year);
}

TEST_F(Ventas, ClientIdentification) {
  expectBlocks(
      *this,
      {
          {{{3, "X"}}, {"Tipo de identificación no válido X"}, "an unknown type, and no identification check"},
          {{{3, ""}, {4, ""}}, {"Tipo de identificación no válido "}, "a blank type and identification"},
          {{{3, "c"}, {4, "1710034065"}}, {}, "a ten-digit cédula, kept with thirteen digits"},
          {{{3, "C"}, {4, "1710034066"}},
           {"Identificación (RUC, Cédula ) no válido 0001710034066 Comercial Andina"},
           "a cédula with a wrong check digit"},
          {{{4, "1791234561002"}},
           {"Identificación (RUC, Cédula ) no válido 1791234561002 Comercial Andina"},
           "a RUC with a wrong check digit"},
          {{{4, "ABC12345"}}, {"Identificación debe ser numérico ABC12345" + kCliente}, "letters in a RUC"},
          {{{4, "0"}}, {"Identificacion no válido 0000000000000" + kCliente}, "a RUC of zeros"},
          {{{3, "P"}, {4, "ab12"}},
           {"Identificación de pasaporte no valida debe ser al menos 5 caracteresAB12" + kCliente},
           "a passport of four characters, upper-cased"},
          {{{3, "P"}, {4, "1234"}}, {}, "a numeric passport has thirteen digits once rewritten"},
          {{{3, "f"}, {4, "9999999999999"}}, {}, "the final consumer"},
          {{{3, "F"}, {4, "1710034065"}},
           {"Identificación para Consumidor Final 0001710034065" + kCliente},
           "a final consumer with another number"},
          {{{3, "F"}, {4, "NINGUNO"}},
           {"Identificación debe ser numérico NINGUNO" + kCliente},
           "a final consumer that is no number"},
          {{{3, "F"}, {4, "1"}, {5, "007"}},
           {"Identificación para Consumidor Final 0000000000001 7"},
           "the name in the message is written as a number when it is one"},
      });
}

TEST_F(Ventas, TheNameCellKeepsItsTextWhenTheMessageRewritesIt) {
  const Outcome run = validate(sheetOf({row({{3, "F"}, {4, "1"}, {5, "007"}})}));
  EXPECT_EQ(run.sheet->get(1, 5), "007");
}

TEST_F(Ventas, EstablishmentAndVoucherType) {
  expectBlocks(*this,
               {
                   {{{6, "0"}}, {"Establecimiento no puede ser cero 000"}, "establishment zero"},
                   {{{6, "a1"}}, {"Establecimiento no válido a1"}, "letters"},
                   {{{6, ""}}, {"Establecimiento no válido "}, "blank"},
                   {{{7, "FA"}}, {"Código de comprobante no válido FA"}, "a type made of letters"},
                   {{{7, ""}}, {"Código de comprobante no válido "}, "a blank type"},
                   {{{7, "99"}}, {"Código de comprobante no válido: 99"}, "a type missing from the catalogue"},
                   {{{7, "1"}},
                    {"Comprobante de venta 01 no válido para tipo de cliente y tipo de transaccion "},
                    "a purchases-only type"},
                   {{{7, "4"}}, {}, "a credit note lists the sales transactions"},
                   {{{7, "1' or '1'='1"}},
                    {"Código de comprobante no válido: 1' or '1'='1"},
                    "a quote in the cell stays inside the looked-up value"},
               });
}

TEST_F(Ventas, CountAndBases) {
  expectBlocks(
      *this,
      {
          {{{8, "0"}}, {"Cantidad de comprobantes al mes debe ser mayor a cero: 0"}, "no vouchers"},
          {{{8, "tres"}}, {"Cantidad de comprobantes al mes debe ser numerico tres"}, "a count in words"},
          {{{9, "x"}}, {"Base No IVA debe ser numerico: x"}, "a base that is no number leaves out the sum checks"},
          {{{10, "-5"}}, {"Base imponible 0% debe ser mayor o igual a cero: -5.00"}, "a negative base"},
          {{{9, ""}, {10, ""}},
           {"Base No IVA debe ser numerico: ", "Base imponible 0% debe ser numerico: "},
           "blank bases are no numbers"},
          {{{11, "-1"}, {12, "0"}},
           {"Base imponible gravada (12) debe ser mayor o igual a cero: -1.00"},
           "a negative taxed base asks for no VAT"},
          {{{9, "0"}, {10, "0"}, {11, "0"}, {12, "0"}},
           {"Suma de (Base 0% + Base No IVA+ Base Gravada)  debe ser mayor a cero: 0",
            "Comprobante no contiene monto. Sumatoria de Base 0% + Base No IVA + Base 12% debe ser mayor a cero 0"},
           "no amount at all"},
          {{{10, "-50.5"}, {11, "0"}, {12, "0"}},
           {"Base imponible 0% debe ser mayor o igual a cero: -50.50",
            "Suma de (Base 0% + Base No IVA+ Base Gravada)  debe ser mayor a cero: -50.5",
            "Comprobante no contiene monto. Sumatoria de Base 0% + Base No IVA + Base 12% debe ser mayor a cero "
            "-50.5"},
           "a negative sum is written as a plain number"},
      });
}

TEST_F(Ventas, VatAndWithholdings) {
  expectBlocks(
      *this,
      {
          {{{12, "12.01"}}, {}, "within the tolerance"},
          {{{12, "13"}},
           {"Base Imponible 100.00 x  (12) % IVA no concuerda con Monto de IVA 13.00"},
           "beyond the tolerance"},
          {{{12, "0"}}, {"Monto de IVA 0.00 debe ser mayor a cero "}, "a taxed base without VAT"},
          {{{12, "doce"}},
           {"Monto de IVA no válido: doce", "Base Imponible 100.00 x  (12) % IVA no concuerda con Monto de IVA doce"},
           "a VAT that is no number cannot agree"},
          {{{11, "0"}, {12, "5"}}, {}, "no taxed base: the VAT is not compared"},
          {{{11, "abc"}},
           {"Base imponible gravada (12) debe ser numerico: abc",
            "Base Imponible abc x  (12) % IVA no concuerda con Monto de IVA 12.00"},
           "a taxed base that is no number leaves a computed VAT of 0"},
          {{{11, ""}, {12, "0"}},
           {"Base imponible gravada (12) debe ser numerico: ", "Monto de IVA 0.00 debe ser mayor a cero "},
           "a blank taxed base cannot excuse a VAT of 0, which agrees with the computed 0"},
          {{{13, "n/a"}}, {"Monto retención IVA n/a no valido "}, "VAT withheld"},
          {{{14, "-"}}, {"Monto retencion IR - no valido "}, "income tax withheld"},
          {{{13, "-1"}, {14, "-2"}}, {}, "withholdings have no sign check"},
      });
}

TEST_F(Ventas, TheToleranceIsTheCallers) {
  Ventas::Call exact;
  exact.tolerance = 0;
  expectBlocks(*this,
               {{{{12, "12.01"}}, {"Base Imponible 100.00 x  (12) % IVA no concuerda con Monto de IVA 12.01"},
                 "a cent off with no tolerance"},
                {{}, {}, "the exact VAT"}},
               exact);
}

TEST_F(Ventas, VoucherDetail) {
  expectBlocks(
      *this,
      {
          {{{15, "31/02/2013"}}, {"Comprobante: Fecha de emisión 31/02/2013 no es válida"}, "an impossible day"},
          {{{15, ""}}, {"Comprobante: Fecha de emisión  no es válida"}, "a blank date"},
          {{{15, "15/01/2012"}}, {}, "the date is not compared with the period"},
          {{{16, "0"}}, {}, "a serie of zeros"},
          {{{16, "1"}},
           {"Comprobante: Serie - 'Código de establecimiento'  000 no válido "},
           "establishment part of zeros"},
          {{{16, "1000"}}, {"Comprobante: Serie - 'Punto de emisión' 000 no válido "}, "emission point of zeros"},
          {{{16, "A01"}}, {"Comprobante: Serie A01 no válido "}, "letters"},
          {{{17, "0"}}, {}, "a sequential of zeros"},
          {{{17, "123456789"}}, {}, "nine digits"},
          {{{17, "1234567890"}}, {"Comprobante: Secuencia 1234567890 longitud excede el limite"}, "ten digits"},
          {{{17, "x"}}, {"Comprobante: Secuencia x debe ser numérico"}, "letters"},
          {{{18, "0"}}, {}, "an authorisation of zeros"},
          {{{18, "1234567890123456789012345678901234567"}}, {}, "thirty-seven digits"},
          {{{18, "12345678901"}},
           {"Comprobante: Longitud de autorizacion  12345678901 debe ser 10 o 37"},
           "eleven digits"},
          {{{18, "AUT"}}, {"Comprobante: Número de Autorizacion AUT debe ser numerico "}, "letters"},
      });
}

TEST_F(Ventas, ARowCollectsEveryFaultInColumnOrder) {
  const Outcome run = validate(sheetOf({row({{2, "2012"}, {6, "0"}, {8, "0"}, {12, "0"}, {18, "1"}}), baseRow(),
                                        row({{3, "Z"}})}));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 4);
  EXPECT_EQ(run.log, block(1, {"Periodo: Año no coincide con el año seleccionado : 2012",
                               "Establecimiento no puede ser cero 000",
                               "Cantidad de comprobantes al mes debe ser mayor a cero: 0",
                                "Monto de IVA 0.00 debe ser mayor a cero "}) +
                         block(3, {"Tipo de identificación no válido Z"}));
}

TEST_F(Ventas, EachVoucherTypeIsLookedUpOncePerCall) {
  std::vector<Row> rows;
  for (int i = 0; i < 40; ++i) rows.push_back(row({{7, i % 2 ? "4" : "18"}}));
  const std::vector<std::string> statements =
      hoja_test::statementsDuring([&] { EXPECT_EQ(validate(sheetOf(rows)).result, "OK"); });
  EXPECT_EQ(statements.size(), 4u) << ::testing::PrintToString(statements);
}

TEST_F(Ventas, EarlierMonthsWithholdingsLeaveOutTheCountAndSumChecks) {
  Ventas::Call earlier;
  earlier.iOpciones = options(1, 0);
  expectBlocks(*this,
               {{{{8, "0"}, {9, "0"}, {10, "0"}, {11, "0"}, {12, "0"}, {13, "1.5"}}, {}, "a row of withholdings only"},
                {{{8, "x"}}, {"Cantidad de comprobantes al mes debe ser numerico x"}, "the count is still a number"}},
               earlier);
}

TEST_F(Ventas, UnusableIdentificationsBecomeTheFinalConsumerWhenAsked) {
  Ventas::Call convert;
  convert.iOpciones = options(0, 1);
  const Outcome run = validate(sheetOf({row({{3, "F"}, {4, "1710034065"}}), row({{4, "1791234561002"}}),
                                        row({{3, "C"}, {4, "1710034066"}}), row({{4, "ABC"}}), baseRow()}),
                               convert);
  EXPECT_EQ(run.log, block(4, {"Identificación debe ser numérico ABC" + kCliente}));
  const std::string rewritten[][2] = {{"F", "9999999999999"},
                                      {"F", "9999999999999"},
                                      {"F", "9999999999999"},
                                      {"R", "ABC"},
                                      {"R", "1791234561001"}};
  for (long r = 1; r <= 5; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(run.sheet->get(r, 3), rewritten[r - 1][0]);
    EXPECT_EQ(run.sheet->get(r, 4), rewritten[r - 1][1]);
  }
}

TEST_F(Ventas, OnlyModeOneActs) {
  Ventas::Call store;
  store.mode = 2;
  store.progress = 7;
  const auto sheet = sheetOf({row({{1, "4"}})});
  const Outcome run = validate(sheet, store);
  EXPECT_EQ(run.result, "");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 7);
  EXPECT_EQ(sheet->get(1, 1), "4");
}

TEST_F(Ventas, ASheetWithoutDataRowsPassesAndLeavesTheProgressAlone) {
  Ventas::Call call;
  call.progress = 7;
  const Outcome run = validate(sheetOf({}), call);
  EXPECT_EQ(run.result, "OK");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 7);
}

TEST_F(Ventas, ANarrowSheetReadsItsMissingCellsAsBlank) {
  const Outcome run = validate(sheetOf({baseRow()}, 14));
  EXPECT_EQ(run.log, block(1, {"Comprobante: Fecha de emisión  no es válida", "Comprobante: Serie  no válido ",
                               "Comprobante: Secuencia  debe ser numérico",
                               "Comprobante: Número de Autorizacion  debe ser numerico "}));
}

TEST_F(Ventas, AShortOrMissingOptionsArrayAsksForNothing) {
  Ventas::Call shortOptions;
  shortOptions.iOpciones = std::make_shared<vt::automation::IntegerArray>(0, 0);
  expectBlocks(*this, {{{{8, "0"}}, {"Cantidad de comprobantes al mes debe ser mayor a cero: 0"}, "one element"}},
               shortOptions);
  Ventas::Call none;
  none.iOpciones = nullptr;
  expectBlocks(*this,
               {{{{3, "F"}, {4, "1"}}, {"Identificación para Consumidor Final 0000000000001" + kCliente}, "none"}},
               none);
}

}  // namespace
}  // namespace ventas_test
