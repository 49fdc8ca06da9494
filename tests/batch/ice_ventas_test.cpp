// The ICE sales sheet: each case changes a few cells of a valid row and expects the exact lines of
// its block; then the rewritten cells, the batch contract, the product lookup and a call by name.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ice_fixture.hpp"
#include "library/frame/conexion.hpp"
#include "platform/automation/loader.hpp"
#include "platform/database/statement_observer.hpp"
#include "tests/support/files.hpp"

namespace ice_test {
namespace {

constexpr Hoja kVentas = Hoja::Ventas;
const std::string kParte = " DISTRIBUIDORA SIERRA";
const std::string kSinProducto = " sin relacion a producto ICE ó producto no activo ";

class IceVentas : public Ice {};

TEST_F(IceVentas, TheBaseRowPassesAndIsRewrittenIntoNormalForm) {
  const Outcome run = validate(kVentas, sheetOf({row(kVentas, {{1, "05"},
                                                               {3, " r "},
                                                               {4, " 1791234561001 "},
                                                               {5, "  Distribuidora Sierra "},
                                                               {6, " 007 "},
                                                               {7, " libre "},
                                                               {8, " local "},
                                                               {9, "99.6"},
                                                               {10, "-0.4"},
                                                               {12, " 03031 "},
                                                               {13, "0013"},
                                                               {14, "0"},
                                                               {15, "abc"},
                                                               {16, " x "},
                                                               {17, "007"},
                                                               {18, "y"}})}));
  EXPECT_EQ(run.result, "OK");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 2);
  EXPECT_EQ(
      normalised(*run.sheet),
      "1792045185001;05;2013;R;1791234561001;DISTRIBUIDORA SIERRA;7;LIBRE;L;100;0;0;3031;0013;0;abc; x ;"
      "007;y;13;;abc\r\n");
}

TEST_F(IceVentas, CompanyAndPeriod) {
  expectBlocks(
      *this, kVentas,
      {
          {{{0, "1790012344001"}},
           {"RUC de empresa 1792045185001 no coincide con la empresa seleccionada 1790012344001",
            "Código de producto de empresa 3031" + kSinProducto},
           "another company, whose own products are looked up"},
          {{{1, "4"}}, {"Periodo: Mes no coincide con el mes seleccionado : 04"}, "another month"},
          {{{1, "mayo"}}, {"Periodo: Mes no coincide con el mes seleccionado : mayo"}, "a month of letters"},
          {{{2, "13"}}, {"Periodo: Año no coincide con el año seleccionado : 0013"}, "another year, padded"},
      });
  Ice::Call year;
  year.nu_mes = "99";
  expectBlocks(*this, kVentas,
               {{{{1, "12"}}, {}, "December in the year's run"},
                {{{1, "13"}}, {"Periodo: Mes no coincide con el mes seleccionado : 13"}, "a month outside the year"}},
               year);
  Ice::Call sinMes;
  sinMes.nu_mes = "cinco";
  expectBlocks(
      *this, kVentas,
      {{{}, {"Periodo: Mes no coincide con el mes seleccionado : 05"}, "a chosen month that is no number"}},
      sinMes);
}

TEST_F(IceVentas, BuyerIdentification) {
  expectBlocks(*this, kVentas,
               {
                   {{{3, "X"}, {4, "abc"}},
                    {"Tipo de identificación no válido X"},
                    "an unknown type, and no number check"},
                   {{{3, "c"}, {4, "1710034065"}}, {}, "a lower-case type and a ten-digit cédula"},
                   {{{3, "C"}},
                    {"Identificación (RUC, Cédula ) no válido 1791234561001 DISTRIBUIDORA SIERRA"},
                    "a cédula of thirteen digits"},
                   {{{4, "0"}}, {"Identificacion no válido 0000000000000" + kParte}, "a RUC of zeros"},
                   {{{3, "P"}, {4, "ab12"}},
                    {"Identificación de pasaporte no valida debe ser al menos 5 caracteresAB12" + kParte},
                    "a passport of four characters"},
                   {{{3, "P"}, {4, "abc12"}}, {}, "a passport of five"},
                   {{{3, "F"}, {4, "9999999999999"}}, {}, "the final consumer"},
                   {{{3, "F"}, {4, "1"}},
                    {"Identificación para Consumidor Final 0000000000001" + kParte},
                    "another number"},
                   {{{3, "F"}, {4, "9x"}}, {"Identificación debe ser numérico 9X" + kParte}, "letters"},
               });
}

TEST_F(IceVentas, SaleType) {
  expectBlocks(*this, kVentas,
               {
                   {{{8, "Exportación"}}, {}, "a word is cut to its first letter"},
                   {{{8, "e"}}, {}, "lower case"},
                   {{{8, ""}}, {"Tipo de Venta. Codigo 0 no válido, debe ser L ó E "}, "blank becomes 0"},
                   {{{8, "0"}}, {"Tipo de Venta. Codigo 0 no válido, debe ser L ó E "}, "zero"},
                   {{{8, "X"}}, {"Tipo de Venta. Codigo X no válido, debe ser L ó E "}, "another letter"},
                   {{{8, "12"}}, {"Tipo de Venta. Codigo 1 no válido, debe ser L ó E "}, "a number, cut too"},
               });
}

TEST_F(IceVentas, UnitCounts) {
  expectBlocks(
      *this, kVentas,
      {
          {{{9, "5"}, {10, "-5"}, {11, "1"}}, {}, "one count negative, the sum still above zero"},
          {{{9, "0"}},
           {"Suma de (Uni. Vendidas + Uni. Devueltas + Uni. de Baja) debe ser mayor a cero: 0"},
           "no units at all"},
          {{{9, "-3"}},
           {"Suma de (Uni. Vendidas + Uni. Devueltas + Uni. de Baja) debe ser mayor a cero: -3"},
           "a negative sum is shown as it is"},
          {{{9, ""}},
           {"Cantidad de unidades vendidas al mes debe ser numerico ",
            "Suma de (Uni. Vendidas + Uni. Devueltas + Uni. de Baja) debe ser mayor a cero: 0"},
           "a blank count fails and adds nothing to the sum"},
          {{{10, "x"}}, {"Cantidad de unidades devueltas al mes debe ser numerico x"}, "letters returned"},
          {{{11, "1,5"}},
           {"Cantidad de unidades de baja al mes debe ser numerico 1,5"},
           "a comma is no number"},
          {{{9, "0.4"}, {10, "0.4"}},
           {"Suma de (Uni. Vendidas + Uni. Devueltas + Uni. de Baja) debe ser mayor a cero: 0"},
           "counts are rounded before they are summed"},
      });
}

TEST_F(IceVentas, CompanyProduct) {
  expectBlocks(
      *this, kVentas,
      {
          {{{12, "CIG"}}, {}, "a part of the product's code"},
          {{{12, "0"}}, {"Código de producto de empresa  no puede ser vacio "}, "zero is emptied"},
          {{{12, ""}}, {"Código de producto de empresa  no puede ser vacio "}, "blank"},
          {{{12, "3051"}}, {"Código de producto de empresa 3051" + kSinProducto}, "inactive"},
          {{{12, "7777"}}, {"Código de producto de empresa 7777" + kSinProducto}, "another company's"},
          {{{12, "3_31"}}, {"Código de producto de empresa 3_31" + kSinProducto}, "no wildcard"},
          {{{12, "x' or 'a'='a"}},
           {"Código de producto de empresa x' or 'a'='a" + kSinProducto},
           "a quote stays inside the looked-up value"},
      });
}

TEST_F(IceVentas, CopiesAreWrittenOnEveryRowAndTheirSourcesKept) {
  const Outcome run =
      validate(kVentas, sheetOf({row(kVentas, {{8, "X"}, {13, "0"}, {14, "004"}, {15, "1.6"}})}));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.sheet->get(1, 13), "0");
  EXPECT_EQ(run.sheet->get(1, 19), "");
  EXPECT_EQ(run.sheet->get(1, 20), "4");
  EXPECT_EQ(run.sheet->get(1, 21), "2");
}

TEST_F(IceVentas, OnlyTheValidationModeActs) {
  Ice::Call store;
  store.mode = 2;
  store.progress = 7;
  const Outcome stored = validate(kVentas, sheetOf({row(kVentas, {{0, "x"}, {1, "5"}})}), store);
  EXPECT_EQ(stored.result, "");
  EXPECT_EQ(stored.log, "");
  EXPECT_EQ(stored.progress, 7);
  EXPECT_EQ(stored.sheet->get(1, 1), "5") << "no cell is rewritten";

  Ice::Call empty;
  empty.progress = 7;
  const Outcome none = validate(kVentas, sheetOf({}), empty);
  EXPECT_EQ(none.result, "OK");
  EXPECT_EQ(none.progress, 7);
}

TEST_F(IceVentas, EachProductIsLookedUpOncePerCall) {
  std::vector<std::string> statements;
  const vt::db::ScopedStatementObserver observer([&](const vt::db::Observation& o) {
    if (o.kind != vt::db::ObservedKind::Open) statements.emplace_back(o.text);
  });
  EXPECT_EQ(
      validate(kVentas, sheetOf({baseRow(kVentas), baseRow(kVentas), row(kVentas, {{12, "CIG"}})})).result,
      "OK");
  EXPECT_EQ(
      statements,
      (std::vector<std::string>{
          "select * from tbICE_Productos where co_empresa = '1792045185001' and co_producto like '%3031%' "
          "and st_producto = 'A' ",
          "select * from tbICE_Productos where co_empresa = '1792045185001' and co_producto like '%CIG%' "
          "and st_producto = 'A' ",
      }));
}

TEST_F(IceVentas, ByNameTheCallersArrayIsRewrittenInPlace) {
  auto sheet = sheetOf({baseRow(kVentas), row(kVentas, {{8, "local"}, {9, "0"}})});
  vt::automation::ObjectRef validar = vt::automation::createObject("Valtrone.CLSValidarInformacion");
  using vt::automation::Variant;
  Variant mode(int16_t{1}), co(kEmpresa), mes("5"), anio("2013"), tolerance(0.01), info(sheet),
      fileError(logPath()), progress(int32_t{0});
  EXPECT_EQ(
      validar->call("ICE2014_Ventas", mode, co, mes, anio, tolerance, info, fileError, progress).toString(),
      "ERROR");
  EXPECT_EQ(progress.toString(), "3");
  EXPECT_EQ(sheet->get(2, 8), "L");
  EXPECT_EQ(
      vt::testing::readOptionalFile(logPath()),
      hoja_test::block("ICE VENTAS", 2,
                       {"Suma de (Uni. Vendidas + Uni. Devueltas + Uni. de Baja) debe ser mayor a cero: 0"}));
}

}  // namespace
}  // namespace ice_test
