// The purchases rules of the company, period, dates, supplier and voucher columns: each case
// changes a few cells of a valid row and expects the exact lines of its block.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compras_fixture.hpp"

namespace compras_test {
namespace {

TEST_F(Compras, TheBaseRowPassesAndIsRewrittenIntoNormalForm) {
  const Outcome run = validateRow(row({{5, " r "}, {6, " 1791234561001 "}, {3, "2013-05-10"}, {7, " ab "}}));
  EXPECT_EQ(run.result, "OK");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 2);
  const std::vector<std::pair<int, std::string>> expected = {
      {0, "1792045185001"},
      {1, "05"},
      {2, "2013"},
      {3, "10/05/2013"},
      {4, "15/05/2013"},
      {5, "R"},
      {6, "1791234561001"},
      {7, "AB"},
      {8, ""},
      {9, ""},
      {10, "01"},
      {11, "01"},
      {12, "001001"},
      {13, "0000025"},
      {14, "1234567890"},
  };
  for (const auto& [col, cell] : expected) EXPECT_EQ(run.sheet->get(1, col), cell) << "column " << col;
}

TEST_F(Compras, CompanyPeriodAndDates) {
  expectBlocks(
      *this,
      {
          {{{0, "1790012344001"}},
           {"RUC de empresa 1792045185001 no coincide con la empresa seleccionada 1790012344001"},
           "another company"},
          {{{1, "4"}},
           {"Periodo: Mes no coincide con el mes seleccionado : 04",
            "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 10/05/2013",
            "Mes de fecha de contabilización de comprobante 15/05/2013 no corresponde "},
           "another month: 31/04 is no date, so the issue-date limit cannot be built and counts as passed"},
          {{{2, "12"}},
           {"Periodo: Año no coincide con el año seleccionado : 0012",
            "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 10/05/2013",
            "Año de fecha de contabilización de comprobante 15/05/2013 no corresponde al año de periodo "},
           "another year, padded to four digits"},
          {{{3, "abc"}},
           {"Fecha de emisión de comprobante no es válido: abc",
            "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado abc",
            "Fecha de contabilización 15/05/2013 no puede ser menor que la fecha de emisión abc"},
           "an issue date that is no date fails every comparison that uses it"},
          {{{3, "01/06/2013"}},
           {"Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 01/06/2013",
            "Fecha de contabilización 15/05/2013 no puede ser menor que la fecha de emisión 01/06/2013"},
           "issued after the period"},
          {{{3, "31/05/2013"}, {4, "31/05/2013"}}, {}, "the period's last day, booked the same day"},
          {{{3, "2013/05/10"}, {4, "15/5/2013"}}, {}, "year-first and unpadded dates are read"},
          {{{4, ""}},
           {"Fecha de contabilización de comprobante no es válido: ",
            "Mes de fecha de contabilización de comprobante  no corresponde ",
            "Año de fecha de contabilización de comprobante  no corresponde al año de periodo ",
            "Fecha de contabilización  no puede ser menor que la fecha de emisión 10/05/2013"},
           "a blank accounting date fails its four checks"},
          {{{4, "09/05/2013"}},
           {"Fecha de contabilización 09/05/2013 no puede ser menor que la fecha de emisión 10/05/2013"},
           "booked before it was issued"},
          {{{4, "15/06/2013"}},
           {"Mes de fecha de contabilización de comprobante 15/06/2013 no corresponde "},
           "booked in another month"},
          {{{3, "10/05/2012"}, {4, "15/05/2012"}},
           {"Año de fecha de contabilización de comprobante 15/05/2012 no corresponde al año de periodo "},
           "an earlier year's invoice booked in another year"},
          {{{3, "31/02/2013"}},
           {"Fecha de emisión de comprobante no es válido: 31/02/2013",
            "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado 31/02/2013",
            "Fecha de contabilización 15/05/2013 no puede ser menor que la fecha de emisión 31/02/2013"},
           "an impossible day is no date and stays as written"},
      });
}

TEST_F(Compras, APaddedCompanyRucPasses) {
  const Outcome run = validate(sheetOf({row({{0, "992314702001"}})}), "5", "2013", "0992314702001");
  EXPECT_EQ(run.result, "OK") << run.log;
  EXPECT_EQ(run.sheet->get(1, 0), "0992314702001");
}

TEST_F(Compras, AnAnnualRunComparesEachDateWithItsOwnMonth) {
  expectBlocks(
      *this,
      {
          {{{1, "1"}, {3, "31/01/2013"}, {4, "28/02/2013"}},
           {},
           "any month; the accounting month is not compared"},
          {{{1, "12"}, {3, "2013-12-31"}, {4, "31/12/2013"}}, {}, "the year's last day"},
          {{{1, "13"}},
           {"Periodo: Mes no coincide con el mes seleccionado : 13"},
           "a month outside the year would leave the purchase out of every monthly annex"},
          {{{1, "0"}}, {"Periodo: Mes no coincide con el mes seleccionado : 00"}, "month zero"},
          {{{1, "x"}}, {"Periodo: Mes no coincide con el mes seleccionado : x"}, "no month at all"},
          {{{3, "x"}},
           {"Fecha de emisión de comprobante no es válido: x",
            "Fecha de emisión de comprobante no debe ser mayor al mes del comprobante x",
            "Fecha de contabilización 15/05/2013 no puede ser menor que la fecha de emisión x"},
           "an issue date that is no date"},
          {{{2, "2014"}},
           {"Periodo: Año no coincide con el año seleccionado : 2014",
            "Año de fecha de contabilización de comprobante 15/05/2013 no corresponde al año de periodo "},
           "the year is still compared"},
      },
      "99");
}

TEST_F(Compras, AMonthFirstRegionalPatternReadsTheLoadersDates) {
  context().config.regional.gsFormatoFecha = "MM/dd/yyyy";
  // The withholding voucher's date is compared with the issue date once that is rewritten.
  // The income-tax code is looked up on the issue date too.
  const Outcome run = validateRow(row({{3, "05/10/2013"},
                                       {4, "05/15/2013"},
                                       {15, "0"},
                                       {16, "50"},
                                       {17, "100"},
                                       {18, "12"},
                                       {19, "0"},
                                       {23, "L"},
                                       {33, "312"},
                                       {34, "150"},
                                       {35, "1"},
                                       {36, "1.5"},
                                       {48, "1001"},
                                       {49, "56"},
                                       {50, "1112223334"},
                                       {51, "05/16/2013"}}));
  EXPECT_EQ(run.result, "OK") << run.log;
  EXPECT_EQ(run.sheet->get(1, 3), "10/05/2013");
  EXPECT_EQ(run.sheet->get(1, 4), "15/05/2013");
  EXPECT_EQ(run.sheet->get(1, 51), "16/05/2013");
}

TEST_F(Compras, SupplierIdentification) {
  const std::string noTransaccion = "Comprobante 01 no válido para tipo de proveedor y tipo de transaccion ";
  expectBlocks(
      *this,
      {
          {{{5, "x"}},
           {"Tipo de identificación X no válido ", noTransaccion},
           "an unknown type leaves no transaction code for the voucher type"},
          {{{5, "0"}}, {"Tipo de identificación  no válido ", noTransaccion}, "zero formats as nothing"},
          {{{6, "1234"}},
           {"Numero de Identificacion (RUC, Cédula ) no válido 0000000001234 "},
           "four digits are padded and pass the length check, not the identity check"},
          {{{6, "ABCDEF"}},
           {"Numero de identificación debe ser numérico ABCDEF", noTransaccion},
           "a RUC of letters"},
          {{{6, "0"}}, {"Numero de identificacion no válido 0000000000000", noTransaccion}, "a RUC of zeros"},
          {{{6, "1791234562001"}, {7, "x"}},
           {"Numero de Identificacion (RUC, Cédula ) no válido 1791234562001 X"},
           "a wrong check digit; the complement follows the number"},
          {{{5, "C"}, {6, "1710034065"}},
           {noTransaccion},
           "a cédula is transaction 02, which invoices do not allow"},
          {{{5, "C"}, {6, "1710034065"}, {11, "3"}}, {}, "a cédula on a purchase settlement"},
          {{{5, "C"}, {6, "1710034066"}, {11, "3"}},
           {"Numero de Identificacion (RUC, Cédula ) no válido 0001710034066 "},
           "a cédula with a wrong check digit"},
          {{{5, "R"}, {9, "x"}, {8, "9"}},
           {},
           "for a RUC the supplier type and related party are not checked"},
          {{{5, "p"}, {6, "AB123456"}, {8, "01"}, {9, "S"}, {11, "3"}}, {}, "a passport supplier, type 01"},
          {{{5, "P"}, {6, "AB12"}, {8, "1"}, {9, "NO"}},
           {"Longitud de identificación de proveedor AB12 no valida  ", noTransaccion},
           "a four-character passport fails its length only; its code is not kept"},
          {{{5, "P"}, {6, ""}, {8, ""}, {9, ""}},
           {"Proveedor Tipo. Codigo  no registrado ", "Proveedor Relacionado. Valor debe ser SI/NO",
            "Longitud de identificación de proveedor  no valida  ", noTransaccion},
           "a passport row without identification"},
          {{{5, "P"}, {6, "AB123456"}, {8, "0"}, {9, "si"}, {11, "3"}},
           {"Proveedor Tipo. Codigo 0 no valido ", "Proveedor Relacionado. Valor debe ser SI/NO"},
           "type zero; related party is not upper-cased"},
          {{{5, "P"}, {6, "AB123456"}, {8, "7"}, {9, "N"}, {11, "3"}},
           {"Proveedor Tipo. Codigo 7 no registrado "},
           "a supplier type the catalogue lacks"},
          {{{5, "P"}, {6, "AB123456"}, {8, "1'"}, {9, "N"}, {11, "3"}},
           {"Proveedor Tipo. Codigo 1' no registrado "},
           "a quote in the cell is just a code that is not registered"},
      });
}

TEST_F(Compras, SupplierCellsAreRewrittenAsChecked) {
  const Outcome run =
      validate(sheetOf({row({{5, "p"}, {6, " ab123456 "}, {7, " 7 "}, {8, " 01 "}, {9, " n "}, {11, "3"}}),
                        row({{5, "P"}, {6, "AB123456"}, {8, "2"}, {9, "Sí"}, {11, "3"}}),
                        row({{5, "C"}, {6, "1710034065"}, {11, "3"}, {9, "s"}})}));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.log, block(1, {"Proveedor Relacionado. Valor debe ser SI/NO"}));
  const std::vector<std::vector<std::string>> expected = {
      {"P", "AB123456", "7", "1", "n"},
      {"P", "AB123456", "", "2", "SI"},
      {"C", "0001710034065", "", "", "s"},
  };
  for (long r = 1; r <= 3; ++r) {
    for (int c = 0; c < 5; ++c) {
      EXPECT_EQ(run.sheet->get(r, 5 + c), expected[r - 1][c]) << "row " << r << " column " << 5 + c;
    }
  }
}

TEST_F(Compras, TaxSupportAndVoucher) {
  expectBlocks(
      *this,
      {
          {{{10, "0"}}, {}, "tax support 00 is registered and allowed on invoices"},
          {{{10, "16"}},
           {"Código de sustento tributario no válido: 16",
            "Codigo de sustento tributario: 16 no válido para comprobante: 01"},
           "a tax support the catalogue lacks"},
          {{{10, "-1"}},
           {"Código de sustento tributario debe ser mayor a cero -01",
            "Codigo de sustento tributario: -01 no válido para comprobante: 01"},
           "a negative tax support"},
          {{{10, "x"}},
           {"Codigo de sustento tributario debe ser numerico: x",
            "Codigo de sustento tributario: x no válido para comprobante: 01"},
           "a tax support that is no number"},
          {{{11, "0"}},
           {"Código de comprobante no válido 00",
            "Codigo de sustento tributario: 01 no válido para comprobante: 00"},
           "voucher type zero still gets the tax-support check"},
          {{{11, "99"}},
           {"Código de comprobante no válido: 99",
            "Codigo de sustento tributario: 01 no válido para comprobante: 99"},
           "a voucher type the catalogue lacks"},
          {{{11, "x"}},
           {"Código de comprobante no válido x",
            "Codigo de sustento tributario: 01 no válido para comprobante: x"},
           "a voucher type that is no number"},
          {{{11, "3"}},
           {"Comprobante 03 no válido para tipo de proveedor y tipo de transaccion "},
           "a purchase settlement does not take a RUC supplier"},
          {{{10, "9"}, {11, "2"}},
           {"Codigo de sustento tributario: 09 no válido para comprobante: 02"},
           "a tax support the voucher type does not allow"},
          {{{12, "1000"}}, {"Número de Serie - Punto de emisión no válido 000"}, "emission point zero"},
          {{{12, "1"}}, {"Número de Serie - Código de establecimiento no válido 000"}, "establishment zero"},
          {{{12, "0"}}, {"Número de Serie no puede ser cero 000000"}, "serie zero"},
          {{{12, "A01"}}, {"Número de Serie A01 no válida"}, "a serie of letters"},
          {{{12, "1234567"}}, {}, "a serie longer than six digits is not refused"},
          {{{13, "123456789"}}, {}, "nine digits"},
          {{{13, "1234567890"}},
           {"Secuencia de comprobante. Longitud excede al limite: 1234567890"},
           "ten digits"},
          {{{13, "0"}}, {"Secuencia de comprobante. No puede ser cero: 0000000"}, "sequence zero"},
          {{{13, "7a"}}, {"Secuencia de comprobante. Debe ser numérico: 7a"}, "a sequence that is no number"},
          {{{14, " 1234567890 "}}, {}, "ten digits between blanks"},
          {{{14, std::string(35, '1')}}, {}, "35 digits pass"},
          {{{14, std::string(37, '1')}}, {}, "37 digits"},
          {{{14, std::string(49, '1')}}, {}, "no upper bound"},
          {{{14, "12345678901"}},
           {"Autorizacion de comprobante debe ser 12345678901 es 11 debe ser 10 o 37 "},
           "11 digits"},
          {{{14, std::string(34, '1')}},
           {"Autorizacion de comprobante debe ser " + std::string(34, '1') + " es 34 debe ser 10 o 37 "},
           "34 digits"},
          {{{14, "0"}}, {"Autorizacion de comprobante no debe ser cero 0"}, "authorisation zero"},
          {{{14, ""}}, {"Autorizacion de comprobante no válido "}, "a blank authorisation"},
          {{{14, "12345abcde"}}, {"Autorizacion de comprobante no válido 12345abcde"}, "letters"},
      });
}

}  // namespace
}  // namespace compras_test
