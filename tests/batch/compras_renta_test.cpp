// Purchases columns 33 to 67: the income-tax blocks, the dividend columns, the withholding
// voucher, the types without income tax, the reimbursed voucher and the free columns.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compras_fixture.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/database/statement_observer.hpp"

namespace compras_test {
namespace {

struct Case {
  const char* why;
  Changes cells;
  std::vector<std::string> lines;  // the row's log lines; none when it passes
  Changes after = {};              // cells as rewritten
};

// A withholding voucher that passes, for rows that withhold.
const Changes kVoucher = {{48, "1001"}, {49, "55"}, {50, "1112223334"}, {51, "10/05/2013"}};

Changes with(Changes base, const Changes& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}

class ComprasRenta : public Compras {
 protected:
  void check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      const Outcome run = validateRow(row(c.cells));
      EXPECT_EQ(run.log, c.lines.empty() ? "" : block(1, c.lines)) << c.why;
      for (const auto& [col, cell] : c.after)
        EXPECT_EQ(run.sheet->get(1, col), cell) << c.why << " col " << col;
    }
  }
};

TEST_F(ComprasRenta, IncomeTaxBlocks) {
  check({
      {"a blank block becomes zeros", {}, {}, {{33, "0"}, {34, "0"}, {35, "0"}, {36, "0"}}},
      {"no code, a percentage without base", {{35, "8"}}, {"Codigo Retencion (1). Datos incompletos "},
       {{33, "0"}, {35, "8"}, {36, ""}}},
      {"no code, base and amount filled in: cleared without a message", {{34, "1000"}, {35, "2"}, {36, "20"}},
       {}, {{34, "0"}, {35, "0"}, {36, "0"}}},
      {"a code that is text goes to the no-code rule", {{37, "abc"}}, {}, {{37, "0"}}},
      {"free-rate code: cells rewritten, amount matches",
       with(kVoucher, {{33, "0344"}, {34, "1000"}, {35, "1"}, {36, "10"}}), {},
       {{33, "344"}, {34, "1000.00"}, {35, "1.00"}, {36, "10.00"}}},
      {"1.75 % of 1000 is 17.50: the rate is not rounded to 0.018 before the product",
       with(kVoucher, {{33, "344"}, {34, "1000"}, {35, "1.75"}, {36, "17.50"}}), {}},
      {"1.75 % of 1000 is not 18.00", with(kVoucher, {{33, "344"}, {34, "1000"}, {35, "1.75"}, {36, "18"}}),
       {"Codigo Retencion (1). Base imponible 1000.00 x  porcentaje 1.75 no concuerda con monto retenido: 18.00"}},
      {"fixed-rate code with another percentage",
       with(kVoucher, {{37, "312"}, {38, "100"}, {39, "2"}, {40, "2"}}),
       {"Codigo Retencion (2). Porcentaje de retención 2.00 no valido para código 312 en 1791234561001-"}},
      {"303 for a legal person", with(kVoucher, {{6, "1790012344001"}, {33, "303"}, {34, "100"}, {35, "10"}, {36, "10"}}),
       {"Codigo Retencion (1). Porcentaje de retención 10.00 de código 303 no válido para personas juridicas "
        "1790012344001-"}},
      {"303 with all zeros: incomplete only", {{6, "1790012344001"}, {33, "303"}},
       {"Codigo de Retencion (1). Datos incompletos en codigo de retención ",
        "Codigo Retencion (1). Porcentaje de retención 0 no valido para código 303 en 1790012344001-"}},
      {"a code not valid on the issue date: no fixed-rate check", with(kVoucher, {{41, "399"}, {42, "100"}, {43, "2"}, {44, "2"}}),
       {"Codigo de Retencion (3). Código 399 no registrado para periodo de fecha 10/05/2013"}},
      {"a base that is text: numeric, incomplete and the amount check shown with 0",
       with(kVoucher, {{33, "303"}, {34, "abc"}, {35, "10"}, {36, "10"}}),
       {"Codigo de Retencion (1). Base imponible abc debe ser numérico",
        "Codigo de Retencion (1). Datos incompletos en codigo de retención ",
        "Codigo Retencion (1). Calculo del valor del dividendo correspondiente a 1791234561001  para Base "
        "imponible abc x  porcentaje 10.00 es 0 no concuerda con monto retenido 10.00"}},
      {"the same in block 2 goes to the base-times-rate check",
       with(kVoucher, {{37, "303"}, {38, "abc"}, {39, "10"}, {40, "10"}}),
       {"Codigo de Retencion (2). Base imponible abc debe ser numérico",
        "Codigo de Retencion (2). Datos incompletos en codigo de retención ",
        "Codigo Retencion (2). Base imponible abc x  porcentaje 10.00 no concuerda con monto retenido: 10.00"}},
      {"dividend in block 1 against the table (100000 to 200000: 1000 + 5 %)",
       with(kVoucher, {{33, "345"}, {34, "150000"}, {35, "0"}, {36, "3500"}, {45, "02/05/2013"}, {46, "0"}, {47, "2012"}}),
       {}},
      {"dividend amount off the table",
       with(kVoucher, {{33, "345"}, {34, "150000"}, {35, "3"}, {36, "3000"}, {45, "02/05/2013"}, {46, "0"}, {47, "2012"}}),
       {"Codigo Retencion (1). Calculo del valor del dividendo correspondiente a 1791234561001  para Base "
        "imponible 150000.00 x  porcentaje 3.00 es 3500 no concuerda con monto retenido 3000.00"}},
      {"345 in block 2 is base times rate",
       with(kVoucher, {{37, "345"}, {38, "1000"}, {39, "2"}, {40, "20"}, {45, "02/05/2013"}, {46, "0"}, {47, "2012"}}),
       {}},
  });
}

TEST_F(ComprasRenta, DividendColumnsAndTypesWithoutIncomeTax) {
  const Changes dividend = with(kVoucher, {{41, "346"}, {42, "100"}, {43, "0"}, {44, "0"}});
  check({
      {"no dividend code resets the columns even over text",
       with(kVoucher, {{33, "312"}, {34, "100"}, {35, "1"}, {36, "1"}, {45, "x"}, {46, "y"}, {47, "z"}}), {},
       {{45, "01/01/2000"}, {46, "0.00"}, {47, "0"}}},
      {"346 in block 3 alone triggers; blank date and tax", dividend,
       {"Datos Dividendo. Fecha de pago  no es válida", "Datos Dividendo. Valor del impuesto (IR) pagado  debe ser numerico"},
       {{46, ""}, {47, "0"}}},
      {"a date before 2002 and a later year", with(dividend, {{45, "15/03/1999"}, {46, "5"}, {47, "2014"}}),
       {"Datos Dividendo. Fecha de pago 15/03/1999 debe ser mayor al '01/01/2002' ",
        "Datos Dividendo. Año en que se generaron las utilidades  2014 debe ser menor o igual al periodo (año) informado "},
       {{46, "5.00"}}},
      {"the first of 2002 and the period's year pass", with(dividend, {{45, "01/01/2002"}, {46, "5"}, {47, "2013"}}), {}},
      {"a year that is text", with(dividend, {{45, "01/01/2002"}, {46, "5"}, {47, "dos"}}),
       {"Datos Dividendo. Año en que se pagaron las utilidades (atribuibles al dividendo) dos debe ser numerico"}},
      {"a type 5 voucher carries no income tax",
       with(kVoucher, {{11, "5"}, {27, "1"}, {28, "02/05/2013"}, {29, "1001"}, {30, "12"}, {31, "1234567890"},
                       {37, "332"}, {38, "10"}, {39, "0"}, {40, "0"}}),
       {"Comprobante: Tipo de comprobante 05 no debe de tener datos en Retenciones de IR "}},
      {"free columns through \"#\"", {{65, "0"}, {66, "007"}, {67, "texto"}}, {}, {{65, ""}, {66, "7"}, {67, "texto"}}},
  });
}

TEST_F(ComprasRenta, WithholdingVoucher) {
  const Changes vat = {{20, "3.60"}};
  check({
      {"nothing withheld: the voucher is kept as it is", {{48, "abc"}, {51, "abc"}}, {}, {{48, "abc"}, {51, "abc"}}},
      {"withheld VAT without a serie",
       with(vat, {{49, "55"}, {50, "1112223334"}}),
       {"Falta datos de Comprobante Retencion para comprobante 001001-0000025  1791234561001-"}},
      {"VAT 5 and income tax -5 add up to nothing",
       {{20, "5"}, {33, "344"}, {34, "100"}, {35, "0"}, {36, "-5"}}, {}},
      {"a sequence x12 has no leading number", with(vat, {{48, "1001"}, {49, "x12"}, {50, "1112223334"}, {51, "10/05/2013"}}),
       {"Falta datos de Comprobante Retencion para comprobante 001001-0000025  1791234561001-"}},
      {"12x passes presence and fails as a sequence", with(vat, {{48, "1000"}, {49, "12x"}, {50, "12345678901"}, {51, "09/05/2013"}}),
       {"Comprobante Retencion: Serie - Punto de emisión no válido 000", "Comprobante Retencion: Secuencia 12x debe ser numerico",
        "Comprobante Retencion:Longitud de autorizacion 12345678901 es 11 debe ser 10 o 37",
        "Comprobante Retencion: Fecha de emisión 09/05/2013 debe ser mayor o igual a fecha de emision 10/05/2013"},
       {{48, "001000"}}},
      {"same day passes, 37 digits pass", with(vat, {{48, "1001"}, {49, "55"}, {50, std::string(37, '1')}, {51, "10/05/2013"}}),
       {}, {{49, "0000055"}}},
      {"before 2002 with a purchase before it", with(vat, {{3, "01/03/1999"}, {48, "1001"}, {49, "55"}, {50, "1112223334"}, {51, "15/03/1999"}}),
       {"Comprobante Retencion: Fecha de emisión 15/03/1999 debe ser mayor al '01/01/2002' "}},
  });
}

TEST_F(ComprasRenta, ReimbursedVoucher) {
  const Changes ok = {{11, "41"}, {52, "r"}, {53, "1791234561001"}, {55, "01"}, {56, "05/05/2013"}, {57, "1001"},
                      {58, "123"}, {59, "1234567890"}, {62, "100"}, {63, "12"}};
  check({
      {"another type gets fixed values", {{52, "R"}, {53, "x"}, {54, "y"}, {56, "z"}, {64, "1"}}, {},
       {{52, "0"}, {53, "0"}, {54, ""}, {55, "0"}, {56, "01/01/2000"}, {57, "0"}, {58, "0"}, {59, "0"}, {64, "0"}}},
      {"a lower-case r is a RUC; 01 becomes 1", ok, {},
       {{52, "R"}, {55, "1"}, {58, "0000123"}, {62, "100.00"}, {63, "12.00"}, {60, "0"}}},
      {"a blank identification type", with(ok, {{52, ""}}), {"Reembolso. Tipo de identificación no válido 0"}, {{52, "0"}}},
      {"a cédula is kept with 13 digits", with(ok, {{52, "C"}, {53, "1710034065"}}), {}, {{53, "0001710034065"}}},
      {"province 30 is refused", with(ok, {{53, "3091234561001"}}),
       {"Reembolso. Numero de Identificacion (RUC, Cédula ) no válido 3091234561001 "}},
      {"letters as the number", with(ok, {{53, "abc"}}), {"Reembolso. Numero de identificación debe ser numérico ABC"}},
      {"an unknown voucher type", with(ok, {{55, "99"}}), {"Reembolso. Código de comprobante no válido: 99"}},
      {"date, serie, sequence, authorisation",
       with(ok, {{56, "31/12/2001"}, {57, "000000"}, {58, "12345678901"}, {59, "123456789012"}}),
       {"Reembolso. Fecha emision comprobante 31/12/2001 debe ser mayor al '01/01/2002' ",
        "Reembolso. Número de Serie no puede ser cero 000000",
        "Reembolso. Número de Serie - Código de establecimiento no válido 000",
        "Reembolso. Secuencia de comprobante. Longitud excede al limite: 12345678901",
        "Reembolso. Longitud de autorizacion 123456789012es 12 debe ser 10 o 37 "}},
      {"bases all zero", with(ok, {{62, "0"}, {63, "0"}}),
       {"Reembolso. Suma de (Base NoIVA + Base 0% + Base Gravada)  debe ser mayor a cero: 0.00"}},
      {"VAT zero on a taxed base", with(ok, {{63, "0"}}), {"Reembolso. Monto de IVA 0.00 debe ser mayor a cero "}},
      {"VAT off the rate", with(ok, {{63, "12.50"}}),
       {"Reembolso. Base Imponible  x  % IVA no concuerda con Monto de IVA: 12.50"}},
      {"VAT and ICE that are text", with(ok, {{63, "doce"}, {64, "x"}}),
       {"Reembolso. Monto de IVA doce no válido ",
        "Reembolso. Base Imponible  x  % IVA no concuerda con Monto de IVA: doce", "Reembolso. Monto de ICE x no válido "}},
  });
}

TEST_F(ComprasRenta, TheCodesRecordOnTheIssueDate) {
  valtrone::gfAbreConexion();
  valtrone::ctx().gdbConexion->execute(
      "insert into tbcttgCoRetenIR (co_reten, ds_reten, va_reten, fe_inicio, fe_fin, st_ingreso, st_default) "
      "values ('901', 'desde junio', 1, '2013-06-01', '2014-12-31', 'N', 'A'),"
      "('902', 'inactivo', 1, '2013-01-01', '2014-12-31', 'N', 'I'),"
      "('903', 'general', 1, '2013-01-01', '2014-12-31', 'N', 'A'),"
      "('903', 'desde mayo', 2, '2013-05-01', '2013-12-31', 'N', 'A')");
  const Changes voucher = with(kVoucher, {{34, "100"}, {36, "2"}});
  check({
      {"valid only from a later date", with(voucher, {{33, "901"}, {35, "2"}}),
       {"Codigo de Retencion (1). Código 901 no registrado para periodo de fecha 10/05/2013"}},
      {"only an inactive record", with(voucher, {{33, "902"}, {35, "2"}}),
       {"Codigo de Retencion (1). Código 902 no registrado para periodo de fecha 10/05/2013"}},
      {"two windows: the newest start holds", with(voucher, {{33, "903"}, {35, "2"}}), {}},
      {"two windows: the older rate is refused", with(voucher, {{33, "903"}, {35, "1"}, {36, "1"}}),
       {"Codigo Retencion (1). Porcentaje de retención 1.00 no valido para código 903 en 1791234561001-"}},
      {"an issue date that is no date: no lookup", with(voucher, {{3, "x"}, {33, "903"}, {35, "2"}}),
       {"Fecha de emisión de comprobante no es válido: x",
        "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado x",
        "Fecha de contabilización 15/05/2013 no puede ser menor que la fecha de emisión x",
        "Codigo de Retencion (1). Código 903 no registrado para periodo de fecha x",
        "Comprobante Retencion: Fecha de emisión 10/05/2013 debe ser mayor o igual a fecha de emision x"}},
  });
}

TEST_F(ComprasRenta, OneDividendBaseIsLookedUpOncePerCall) {
  const std::vector<Row> rows(
      3, row(with(kVoucher, {{33, "345"}, {34, "150000"}, {35, "0"}, {36, "3500"}, {45, "02/05/2013"}, {46, "0"}, {47, "2012"}})));
  vt::db::StatementRecorder recorder;
  EXPECT_EQ(validate(sheetOf(rows)).result, "OK");
  const std::vector<std::string> queries = recorder.texts(vt::db::ObservedKind::Query);
  EXPECT_EQ(std::count_if(queries.begin(), queries.end(),
                          [](const std::string& q) { return q.find("tbDividendos_Tabla") != std::string::npos; }),
            1);
}

TEST_F(ComprasRenta, OneIncomeTaxCodeOnOneDateIsLookedUpOncePerCall) {
  const std::vector<Row> rows(4, row(with(kVoucher, {{33, "344"}, {34, "1000"}, {35, "1"}, {36, "10"},
                                                     {37, "344"}, {38, "500"}, {39, "1"}, {40, "5"}})));
  vt::db::StatementRecorder recorder;
  EXPECT_EQ(validate(sheetOf(rows)).result, "OK");
  const std::vector<std::string> queries = recorder.texts(vt::db::ObservedKind::Query);
  EXPECT_EQ(std::count_if(queries.begin(), queries.end(),
                          [](const std::string& q) { return q.find("tbcttgCoRetenIR") != std::string::npos; }),
            1);
}

}  // namespace
}  // namespace compras_test
