// The purchases rules of the amounts, the payment and the modified document: each case changes a
// few cells of a valid row and expects the exact lines of its block.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compras_fixture.hpp"
#include "platform/database/statement_observer.hpp"

namespace compras_test {
namespace {

TEST_F(Compras, BasesAndVat) {
  expectBlocks(
      *this,
      {
          {{{15, ""}, {16, ""}, {17, ""}, {18, ""}, {20, ""}},
           {"Suma de (Base NoIVA + Base 0% + Base Gravada)  debe ser mayor a cero: 0.00"},
           "blank bases become 0 and only the sum fails"},
          {{{17, "100"}, {18, "12.01"}}, {}, "a cent off, within the tolerance of 0.01"},
          {{{17, "100"}, {18, "12.02"}},
           {"Base Imponible  x  % IVA no concuerda con Monto de IVA: 12.02"},
           "two cents off"},
          {{{18, "0"}, {20, ""}},
           {"Monto de IVA debe ser mayor a cero 0.00"},
           "no VAT on a taxed base: not compared"},
          {{{17, "0"}, {18, "5"}, {20, ""}}, {}, "no taxed base: the VAT is not checked"},
          {{{17, "-5"}, {16, "0"}, {18, "0"}, {20, ""}},
           {"Base imponible gravada debe ser mayor a cero: -5.00",
            "Suma de (Base NoIVA + Base 0% + Base Gravada)  debe ser mayor a cero: -5.00"},
           "a negative base, and the sum that sees it"},
          {{{18, "abc"}, {20, ""}},
           {"Monto de IVA no válido: abc", "Base Imponible  x  % IVA no concuerda con Monto de IVA: abc",
            "No debe haber Retencion de IVA (Bienes/Servicios) si IVA es cero"},
           "a VAT of letters cannot be compared, which counts as failed"},
          {{{17, "abc"}, {18, "0"}, {20, ""}},
           {"Base imponible gravada debe ser numérico : abc", "Monto de IVA debe ser mayor a cero 0.00"},
           "a base of letters with no VAT: its test counts as held"},
          {{{17, "abc"}, {18, "5"}, {20, ""}},
           {"Base imponible gravada debe ser numérico : abc",
            "Base Imponible  x  % IVA no concuerda con Monto de IVA: 5.00"},
           "a base of letters with a VAT: compared with a computed 0"},
          {{{15, "x"}, {16, "1,50"}},
           {"Base No Aplica IVA debe ser numérico : x", "Base imponible 0% debe ser numérico : 1,50"},
           "a comma is no decimal separator; no sum is tested without its bases"},
          {{{15, "12.345"}, {16, "0.005"}}, {}, "amounts are rounded half away from zero"},
      });
  const Outcome run = validateRow(row({{15, "12.345"}, {16, "0.005"}, {17, "100"}, {18, "12"}}));
  EXPECT_EQ(run.sheet->get(1, 15), "12.35");
  EXPECT_EQ(run.sheet->get(1, 16), "0.01");
  EXPECT_EQ(run.sheet->get(1, 17), "100.00");
  EXPECT_EQ(run.sheet->get(1, 18), "12.00");
}

TEST_F(Compras, TheVatToleranceIsTheCallers) {
  const Outcome exact = validate(sheetOf({row({{18, "12.01"}})}), "5", "2013", kEmpresa, 1, 0.0);
  EXPECT_EQ(exact.log, block(1, {"Base Imponible  x  % IVA no concuerda con Monto de IVA: 12.01"}));
  const Outcome loose = validate(sheetOf({row({{18, "12.01"}})}), "5", "2013", kEmpresa, 1, 0.01);
  EXPECT_EQ(loose.log, "");
}

TEST_F(Compras, IceAndVatWithheld) {
  // A withholding voucher that passes, so that a row that withholds VAT needs nothing more.
  const Changes voucher = {{48, "1001"}, {49, "55"}, {50, "1112223334"}, {51, "10/05/2013"}};
  std::vector<Case> cases = {
      {{{19, "7"}}, {}, "an ICE amount"},
      {{{19, "abc"}}, {"Monto de ICE abc no válido "}, "ICE of letters"},
      {{{21, "x"}},
       {"Monto Retenido por IVA Servicios (70%) x no válido ",
        "No debe haber Retencion de IVA (Bienes/Servicios) si IVA es cero"},
       "services withheld of letters: the rule without VAT cannot read it and counts as failed"},
      {{{22, "x"}, {20, ""}},
       {"Monto Retenido por IVA Servicios (100%)x no válido ",
        "No debe haber Retencion de IVA (Bienes/Servicios) si IVA es cero"},
       "no blank before the value; a withholding that is no number counts as held"},
      {{{20, "y"}},
       {"Monto Retenido por IVA Bienes y no válido ",
        "No debe haber Retencion de IVA (Bienes/Servicios) si IVA es cero"},
       "goods withheld of letters"},
      {{{17, "0"}, {16, "100"}, {18, "0"}, {20, "3"}},
       {"No debe haber Retencion de IVA (Bienes/Servicios) si IVA es cero",
        "Total retenciones IVA 3 debe ser menor del monto IVA 0.00"},
       "withheld without VAT: no single comparison, the total still"},
      {{{20, "12"}},
       {"Retención IVA Bienes 12.00 debe ser menor que el valor de IVA 12.00"},
       "goods withheld equal to the VAT"},
      {{{20, "0"}, {21, "12"}},
       {"Retención IVA Servicios 12.00 debe ser menor que el valor de IVA 12.00"},
       "services withheld equal to the VAT"},
      {{{20, "12"}, {21, "12"}},
       {"Retención IVA Bienes 12.00 debe ser menor que el valor de IVA 12.00",
        "Total retenciones IVA 24 debe ser menor del monto IVA 12.00"},
       "only the first single comparison is reported"},
      {{{20, "0"}, {22, "12"}}, {}, "a 100 % withholding may equal the VAT"},
      {{{20, "3.60"}, {21, "8.40"}}, {}, "a total equal to the VAT"},
      {{{20, "3.60"}, {21, "8.40"}, {22, "0.01"}},
       {"Total retenciones IVA 12.01 debe ser menor del monto IVA 12.00"},
       "a cent over the VAT"},
      {{{17, "2.5"}, {18, "0.3"}, {20, "0.10"}, {21, "0.20"}}, {}, "0.1 + 0.2 reaches 0.30 exactly"},
  };
  for (Case& c : cases) c.changes.insert(c.changes.end(), voucher.begin(), voucher.end());
  expectBlocks(*this, cases);
}

TEST_F(Compras, PaymentAbroad) {
  const std::vector<std::string> none;
  expectBlocks(
      *this,
      {
          {{{23, " l "}, {24, "x"}, {25, "x"}, {26, "x"}},
           {},
           "local: nothing about the payment abroad is checked"},
          {{{23, ""}, {24, "x"}}, {"Pago Local. Codigo 0 no válido, debe ser L ó E "}, "blank"},
          {{{23, "0"}}, {"Pago Local. Codigo 0 no válido, debe ser L ó E "}, "zero formats as nothing"},
          {{{23, "X"}}, {"Pago Local. Codigo X no válido, debe ser L ó E "}, "another letter"},
          {{{23, "Exterior"}, {24, "593"}, {25, "n"}, {26, "S"}}, {}, "abroad, to a registered country"},
          {{{23, "e"}, {24, "5"}, {25, "SI"}, {26, "no"}}, {}, "5 is looked up as 005"},
          {{{23, "E"}, {24, "16"}, {25, "S"}, {26, "N"}},
           {"Pago Local. Codigo de pais 016 no existe "},
           "unknown country"},
          {{{23, "E"}, {24, ""}, {25, "S"}, {26, "N"}},
           {"Pago Local. Codigo de pais  no existe "},
           "no country"},
          {{{23, "E"}, {24, "593"}, {25, ""}, {26, "N"}},
           {"Pago Exterior: Doble tributacion 0 no valido, debe ser S ó N "},
           "blank double taxation"},
          {{{23, "E"}, {24, "593"}, {25, "S"}, {26, " S"}},
           {"Pago Exterior: Sujeto a doble retencion  S no valido cuando tipo de pago es al Exterior. Debe "
            "ser S ó N "},
           "withholding abroad is not trimmed"},
          {{{23, "E"}, {24, "593"}, {25, "x"}, {26, ""}},
           {"Pago Exterior: Doble tributacion X no valido, debe ser S ó N ",
            "Pago Exterior: Sujeto a doble retencion 0 no valido cuando tipo de pago es al Exterior. Debe "
            "ser S ó N "},
           "both answers missing"},
      });
}

TEST_F(Compras, PaymentCellsAreRewritten) {
  const Outcome run = validate(sheetOf({row({{23, " l "}, {24, "x"}, {25, "x"}, {26, "x"}, {32, "01"}}),
                                        row({{23, "e"}, {24, "5"}, {25, "s"}, {26, "no"}, {32, "01-20"}}),
                                        row({{23, "0"}, {24, "x"}, {25, "y"}, {26, "z"}})}));
  const std::vector<std::vector<std::string>> expected = {
      {"L", "0", "NO", "NO"}, {"E", "005", "SI", "NO"}, {"0", "x", "y", "z"}};
  for (long r = 1; r <= 3; ++r) {
    for (int c = 0; c < 4; ++c)
      EXPECT_EQ(run.sheet->get(r, 23 + c), expected[r - 1][c]) << r << "," << 23 + c;
  }
  EXPECT_EQ(run.sheet->get(1, 32), "1");
  EXPECT_EQ(run.sheet->get(2, 32), "01-20");
}

TEST_F(Compras, PaymentForms) {
  expectBlocks(
      *this,
      {
          {{{32, "01"}}, {}, "one form"},
          {{{32, "1-20"}}, {}, "a list of forms"},
          {{{32, "01-21"}}, {}, "each element is read as a number"},
          {{{32, "1-99"}},
           {"Forma de pago. Alguno de los codigos registrados no so validos 1-99"},
           "an unknown form"},
          {{{32, ""}},
           {"Forma de pago. Alguno de los codigos registrados no so validos 0"},
           "no form at all"},
          {{{32, "1'"}}, {"Forma de pago. Alguno de los codigos registrados no so validos 1'"}, "a quote"},
      });
}

TEST_F(Compras, ModifiedDocument) {
  const Changes nota = {{11, "4"},    {27, "1"},  {28, "02/05/2013"},
                        {29, "1001"}, {30, "12"}, {31, "1234567890"}};
  auto with = [&](Changes more) {
    Changes c = nota;
    c.insert(c.end(), more.begin(), more.end());
    return c;
  };
  expectBlocks(
      *this,
      {
          {nota, {}, "a credit note of an invoice"},
          {with({{11, "5"}, {31, std::string(37, '9')}}), {}, "a debit note with a long authorisation"},
          {with({{27, ""}, {28, ""}, {29, ""}, {30, ""}, {31, ""}}),
           {"Nota Credito: Código de comprobante modificado 0 no válido ",
            "Nota Credito: Fecha de emisión de comprobante modificado 0 no es válida",
            "Nota Credito: Serie comprobante modificado no puede ser cero 0",
            "Nota Credito: Serie - 'Código de establecimiento' comprobante modificado 0 no válido ",
            "Nota Credito: Secuencia comprobante modificado 0 no puede ser cero",
            "Nota Credito: Autorizacion comprobante modificado 0 no debe ser cero"},
           "a credit note without its modified document"},
          {with({{27, "0"}}), {"Nota Credito: Código de comprobante modificado 00 no válido "}, "type zero"},
          {with({{27, "3"}}),
           {"Nota Credito: Código de comprobante modificado 03 no registrado "},
           "a type the supplier's transaction does not allow"},
          {with({{27, "99"}}),
           {"Nota Credito: Código de comprobante modificado 99 no registrado "},
           "an unknown type"},
          {with({{28, "31/12/2001"}}), {}, "the date has no bound"},
          {with({{28, "31/02/2013"}}),
           {"Nota Credito: Fecha de emisión de comprobante modificado 31/02/2013 no es válida"},
           "no such day"},
          {with({{29, "abc"}}),
           {"Nota Credito: Serie comprobante modificado abc no válido ",
            "Nota Credito: Serie comprobante modificado no puede ser cero abc",
            "Nota Credito: Serie - 'Código de establecimiento' comprobante modificado abc no válido "},
           "a serie of letters fails three ways"},
          {with({{29, "000000"}}),
           {"Nota Credito: Serie comprobante modificado no puede ser cero 000000",
            "Nota Credito: Serie - 'Código de establecimiento' comprobante modificado 000 no válido "},
           "a serie of zeros"},
          {with({{29, "1000"}}),
           {"Nota Credito: Serie - 'Punto de emisión' comprobante modificado 000 no válido "},
           "emission point zero"},
          {with({{30, "x"}}),
           {"Nota Credito: Secuencia comprobante modificado x debe ser numérico"},
           "letters"},
          {with({{30, "1234567890"}}),
           {"Nota Credito: Secuencia de comprobante modificado 1234567890 longitud excede el limite"},
           "ten digits"},
          {with({{31, "12345678901"}}),
           {"Nota Credito: Longitud de autorizacion  12345678901 es 11 debe ser 10 o 37"},
           "eleven digits"},
          {with({{31, "x1"}}),
           {"Nota Credito: Autorizacion comprobante modificado x1 debe ser numerico "},
           "letters"},
          {with({{31, std::string(36, '9')}}), {}, "36 digits pass"},
      });
}

TEST_F(Compras, ModifiedDocumentCells) {
  const Outcome run = validate(sheetOf({
      row({{27, "4"}, {28, "x"}, {29, "1"}, {30, "2"}, {31, "3"}}),
      row({{11, "4"}, {27, "1"}, {28, "2013-05-02"}, {29, "1001"}, {30, "12"}, {31, " 1234567890 "}}),
  }));
  const std::vector<std::vector<std::string>> expected = {
      {"0", "01/01/2000", "0", "0", "0"}, {"01", "02/05/2013", "001001", "0000012", "1234567890"}};
  for (long r = 1; r <= 2; ++r) {
    for (int c = 0; c < 5; ++c)
      EXPECT_EQ(run.sheet->get(r, 27 + c), expected[r - 1][c]) << r << "," << 27 + c;
  }
  EXPECT_EQ(run.log, "");
}

TEST_F(Compras, PaymentLookupsRunOncePerCall) {
  const std::vector<Row> rows(4, row({{23, "E"}, {24, "593"}, {25, "N"}, {26, "N"}, {32, "1-20"}}));
  std::vector<std::string> first;
  {
    vt::db::StatementRecorder recorder;
    EXPECT_EQ(validate(sheetOf(rows)).result, "OK");
    first = recorder.texts(vt::db::ObservedKind::Query);
  }
  auto count = [&](const std::string& text) { return std::count(first.begin(), first.end(), text); };
  EXPECT_EQ(count("select * from tbcttgCiudades where co_pais = '593' "), 1);
  EXPECT_EQ(count("select * from tbCodigoGeneral Where co_grupo = 'FPG' and co_valor = '1'"), 1);
  EXPECT_EQ(count("select * from tbCodigoGeneral Where co_grupo = 'FPG' and co_valor = '20'"), 1);
  vt::db::StatementRecorder again;
  EXPECT_EQ(validate(sheetOf(rows)).result, "OK");
  EXPECT_EQ(again.texts(vt::db::ObservedKind::Query), first) << "a second call asks again";
}

}  // namespace
}  // namespace compras_test
