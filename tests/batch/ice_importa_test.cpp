// The ICE imports sheet: each case changes a few cells of a valid row and expects the exact lines
// of its block; then the rewritten cells, the batch contract, the lookups and a call by name.

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

constexpr Hoja kImporta = Hoja::Importa;
const std::string kParte = " DISTRIBUIDORA SIERRA";

class IceImporta : public Ice {};

TEST_F(IceImporta, TheBaseRowPassesAndIsRewrittenIntoNormalForm) {
  const Outcome run = validate(kImporta, sheetOf({row(kImporta, {{0, "1792045185001.0"},
                                                                 {1, "05"},
                                                                 {3, " r "},
                                                                 {4, " 1791234561001 "},
                                                                 {5, "  Distribuidora Sierra "},
                                                                 {6, " 007 "},
                                                                 {7, " libre "},
                                                                 {8, "2013-05-15"},
                                                                 {9, "593.0"},
                                                                 {10, " Ecuador "},
                                                                 {11, "99.6"},
                                                                 {12, "028"},
                                                                 {13, "13"},
                                                                 {14, "4"},
                                                                 {15, "00012"},
                                                                 {16, " 3031 "},
                                                                 {17, " x "},
                                                                 {18, "007"}})}));
  EXPECT_EQ(run.result, "OK");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 2);
  EXPECT_EQ(
      normalised(*run.sheet),
      "1792045185001;05;2013;R;1791234561001;DISTRIBUIDORA SIERRA;7;LIBRE;15/05/2013;593;ECUADOR;100;28;"
      "0013;04;12;3031; x ;007;13;4;12\r\n");
}

TEST_F(IceImporta, CompanyAndPeriod) {
  expectBlocks(*this, kImporta,
               {
                   {{{0, "1790012344001"}},
                    {"RUC de empresa 1792045185001 no coincide con la empresa seleccionada 1790012344001",
                     "Código de producto de empresa 3031 sin relacion a producto ICE ó producto no activo "},
                    "another company, whose own products are looked up"},
                   {{{1, "4"}},
                    {"Periodo: Mes no coincide con el mes seleccionado : 04",
                     "Mes de fecha de embarque no corresponde: 15/05/2013"},
                    "another month, which the clearance date does not fall in either"},
                   {{{2, "2014"}},
                    {"Periodo: Año no coincide con el año seleccionado : 2014",
                     "Año de fecha de embarque no corresponde 15/05/2013"},
                    "another year"},
                   {{{1, "mayo"}, {8, "15/05/2013"}},
                    {"Periodo: Mes no coincide con el mes seleccionado : mayo",
                     "Mes de fecha de embarque no corresponde: 15/05/2013"},
                    "a month that is no number reads as 0"},
               });
}

TEST_F(IceImporta, AWholeYearRunTakesEveryMonth) {
  Ice::Call year;
  year.nu_mes = "99";
  expectBlocks(*this, kImporta,
               {{{{1, "12"}, {8, "20/12/2013"}}, {}, "December in the year's run"},
                {{{1, "12"}},
                 {"Mes de fecha de embarque no corresponde: 15/05/2013"},
                 "the date still falls in the row's own month"},
                {{{1, "13"}},
                 {"Periodo: Mes no coincide con el mes seleccionado : 13",
                  "Mes de fecha de embarque no corresponde: 15/05/2013"},
                 "a month outside the year"}},
               year);
}

TEST_F(IceImporta, PartyIdentification) {
  expectBlocks(
      *this, kImporta,
      {
          {{{3, "X"}}, {"Tipo de identificación no válido X"}, "an unknown type, and no number check"},
          {{{3, "c"}, {4, "1710034065"}}, {}, "a ten-digit cédula, kept with thirteen digits"},
          {{{3, "C"}, {4, "1710034066"}},
           {"Identificación (RUC, Cédula ) no válido 0001710034066 DISTRIBUIDORA SIERRA"},
           "a cédula with a wrong check digit"},
          {{{4, "ABC12345"}}, {"Identificación debe ser numérico ABC12345" + kParte}, "letters in a RUC"},
          {{{4, "0"}}, {"Identificacion no válido 0000000000000" + kParte}, "a RUC of zeros"},
          {{{3, "P"}, {4, "ab12"}},
           {"Identificación de pasaporte no valida debe ser al menos 5 caracteresAB12" + kParte},
           "a passport of four characters, upper-cased"},
          {{{3, "P"}, {4, "1234"}}, {}, "a numeric passport has thirteen digits once rewritten"},
          {{{3, "F"}, {4, "9999999999999"}}, {}, "the final consumer"},
          {{{3, "F"}, {4, "1710034065"}},
           {"Identificación para Consumidor Final 0001710034065" + kParte},
           "a final consumer with another number"},
          {{{3, "F"}, {4, "NINGUNO"}}, {"Identificación debe ser numérico NINGUNO" + kParte}, "letters"},
          {{{3, "F"}, {4, "1"}, {5, "007"}},
           {"Identificación para Consumidor Final 0000000000001 7"},
           "a name that is a number is shown as one"},
      });
}

TEST_F(IceImporta, CustomsClearanceDate) {
  expectBlocks(
      *this, kImporta,
      {
          {{{8, "0"}}, {"Fecha de Desaduanización  no es válida "}, "a date left as 0 is emptied"},
          {{{8, ""}}, {"Fecha de Desaduanización  no es válida "}, "no date"},
          {{{8, "31/02/2013"}}, {"Fecha de Desaduanización 31/02/2013 no es válida "}, "no such day"},
          {{{8, "ayer"}}, {"Fecha de Desaduanización ayer no es válida "}, "a word"},
          {{{8, "15/04/2013"}}, {"Mes de fecha de embarque no corresponde: 15/04/2013"}, "another month"},
          {{{8, "15/05/2012"}}, {"Año de fecha de embarque no corresponde 15/05/2012"}, "another year"},
      });
  Ice::Call diciembre2001;
  diciembre2001.nu_mes = "12";
  diciembre2001.nu_anio = "2001";
  expectBlocks(*this, kImporta,
               {{{{1, "12"}, {2, "2001"}, {8, "31/12/2001"}, {13, "2001"}},
                 {"Fecha de embarque debe ser mayor a '01/01/2002' 31/12/2001"},
                 "the last day before 2002"}},
               diciembre2001);
  Ice::Call enero2002;
  enero2002.nu_mes = "1";
  enero2002.nu_anio = "2002";
  expectBlocks(
      *this, kImporta,
      {{{{1, "1"}, {2, "2002"}, {8, "1/1/2002"}, {13, "2002"}}, {}, "the first of January 2002 passes"}},
      enero2002);
}

TEST_F(IceImporta, CountryAndUnits) {
  expectBlocks(
      *this, kImporta,
      {
          {{{9, "0"}}, {"Codigo de pais no valido 000 - Ecuador"}, "country zero, not looked up"},
          {{{9, ""}, {10, " Peru "}},
           {"Codigo de pais no valido  -  Peru "},
           "no country; the name as the sheet wrote it"},
          {{{9, "EC"}}, {"Codigo de pais no valido EC - Ecuador"}, "letters"},
          {{{9, "5"}}, {}, "a short code is padded before the lookup"},
          {{{9, "999"}}, {"Codigo de pais 999 - Ecuador. No existe o no registrado "}, "not registered"},
          {{{9, "5' or '1'='1"}},
           {"Codigo de pais 5' or '1'='1 - Ecuador. No existe o no registrado "},
           "a quote stays inside the looked-up value"},
          {{{11, "0"}}, {}, "no units pass"},
          {{{11, "-3"}},
           {"Cantidad de unidades vendidas al mes debe ser mayor o igual a cero: -3"},
           "below zero"},
          {{{11, "cien"}}, {"Cantidad de unidades vendidas al mes debe ser numerico cien"}, "a word"},
          {{{11, ""}}, {"Cantidad de unidades vendidas al mes debe ser numerico "}, "blank"},
      });
}

TEST_F(IceImporta, CustomsReferendo) {
  expectBlocks(
      *this, kImporta,
      {
          {{{12, "0"}}, {"Referendo-Distrito Aduanero no puede ser cero"}, "district zero"},
          {{{12, "x"}},
           {"Referendo-Distrito Aduanero no puede ser cero"},
           "a district that is no number reads 0"},
          {{{12, "55"}},
           {"Referendo-Distrito Aduanero 55 no registrado "},
           "shown as written, looked up as 055"},
          {{{13, "x"}}, {"Referendo-Año de Importación no valido x"}, "a year that is no number"},
          {{{13, "0"}}, {"Referendo-Año de importación no puede ser cero"}, "year zero"},
          {{{13, "2014"}},
           {"Referendo-Año de Importación no puede ser mayor al año de periodo seleccionado:  2013"},
           "a later year shows the row's own year"},
          {{{13, "1998"}}, {}, "an earlier year"},
          {{{14, "x"}}, {"Referendo-Regimen no valido x"}, "a regime that is no number"},
          {{{14, "0"}}, {"Referendo-Regimen no puede ser cero "}, "regime zero"},
          {{{14, "10"}}, {"Referendo-Regimen no registrado: 10"}, "not registered"},
          {{{15, "x"}}, {"Referendo-Correlativo no válido x"}, "a correlativo that is no number"},
          {{{15, "0"}}, {"Referendo. Correlativo debe ser mayor a cero 0"}, "zero"},
          {{{15, "-7"}}, {"Referendo. Correlativo debe ser mayor a cero -7"}, "negative"},
          {{{12, "0"}, {13, "0"}, {14, "0"}, {15, "0"}},
           {"Referendo-Distrito Aduanero no puede ser cero", "Referendo-Año de importación no puede ser cero",
            "Referendo-Regimen no puede ser cero ", "Referendo. Correlativo debe ser mayor a cero 0"},
           "the four parts are checked apart"},
      });
}

TEST_F(IceImporta, CompanyProduct) {
  expectBlocks(*this, kImporta,
               {
                   {{{16, "CIG"}}, {}, "the code may stand anywhere in the product's code"},
                   {{{16, "0"}},
                    {"Código de producto de empresa  no puede ser vacio "},
                    "a code 0 is emptied, and not looked up"},
                   {{{16, " "}}, {"Código de producto de empresa  no puede ser vacio "}, "blank"},
                   {{{16, "3051"}},
                    {"Código de producto de empresa 3051 sin relacion a producto ICE ó producto no activo "},
                    "an inactive product"},
                   {{{16, "7777"}},
                    {"Código de producto de empresa 7777 sin relacion a producto ICE ó producto no activo "},
                    "another company's product"},
                   {{{16, "3_31"}},
                    {"Código de producto de empresa 3_31 sin relacion a producto ICE ó producto no activo "},
                    "a wildcard in the cell is a character: it does not stand for the 0 of 3031"},
                   {{{16, "E%5"}}, {}, "a product whose code holds the character itself"},
                   {{{16, "30'31"}},
                    {"Código de producto de empresa 30'31 sin relacion a producto ICE ó producto no activo "},
                    "a quote stays inside the looked-up value"},
               });
}

TEST_F(IceImporta, ARowOfTheChosenCompanyAnotherCompanysProductIsLookedUpUnderItsOwnRuc) {
  const Outcome run = validate(kImporta, sheetOf({row(kImporta, {{0, "0992314702001"}, {16, "7777"}})}));
  EXPECT_EQ(run.log,
            hoja_test::block(
                "ICE IMPORTACIONES", 1,
                {"RUC de empresa 1792045185001 no coincide con la empresa seleccionada 0992314702001"}));
}

TEST_F(IceImporta, CopiesOfTheReferendoAreWrittenOnEveryRow) {
  const Outcome run =
      validate(kImporta, sheetOf({row(kImporta, {{13, "0"}, {14, "04"}, {15, "00012"}, {19, "z"}}),
                                  row(kImporta, {{13, "x"}})}));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.sheet->get(1, 19), "") << "a zero year copies as empty text";
  EXPECT_EQ(run.sheet->get(1, 20), "4");
  EXPECT_EQ(run.sheet->get(1, 21), "12");
  EXPECT_EQ(run.sheet->get(2, 19), "x") << "a failed row is copied too";
}

bool connectionOpen() {
  return valtrone::ctx().gdbConexion && valtrone::ctx().gdbConexion->state() == vt::db::State::Open;
}

TEST_F(IceImporta, OnlyTheValidationModeActs) {
  Ice::Call store;
  store.mode = 2;
  store.progress = 7;
  const Outcome stored = validate(kImporta, sheetOf({row(kImporta, {{0, "x"}, {1, "5"}})}), store);
  EXPECT_EQ(stored.result, "");
  EXPECT_EQ(stored.log, "");
  EXPECT_EQ(stored.progress, 7);
  EXPECT_EQ(stored.sheet->get(1, 1), "5") << "no cell is rewritten";
  EXPECT_TRUE(connectionOpen()) << "opened at entry and left open";

  Ice::Call empty;
  empty.progress = 7;
  const Outcome none = validate(kImporta, sheetOf({}), empty);
  EXPECT_EQ(none.result, "OK");
  EXPECT_EQ(none.log, "");
  EXPECT_EQ(none.progress, 7);
  EXPECT_FALSE(connectionOpen()) << "a validation closes it";
}

TEST_F(IceImporta, ANarrowArrayIsCheckedWithoutGrowing) {
  const Outcome run = validate(kImporta, sheetOf({row(kImporta, {{1, "4"}})}, 10));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.sheet->cols(), 11);
  EXPECT_EQ(run.sheet->get(1, 1), "04");
}

TEST_F(IceImporta, EachCatalogueValueIsLookedUpOncePerCall) {
  std::vector<std::string> statements;
  const vt::db::ScopedStatementObserver observer([&](const vt::db::Observation& o) {
    if (o.kind != vt::db::ObservedKind::Open) statements.emplace_back(o.text);
  });
  EXPECT_EQ(validate(kImporta, sheetOf({baseRow(kImporta), baseRow(kImporta), baseRow(kImporta)})).result,
            "OK");
  EXPECT_EQ(
      statements,
      (std::vector<std::string>{
          "select * from tbcttgCiudades where co_pais = '593' ",
          "select * from tbcttgDiAduanero where co_distri = '028'",
          "select * from tbcttgCoRegimen where co_regimen = '04'",
          "select * from tbICE_Productos where co_empresa = '1792045185001' and co_producto like '%3031%' "
          "and st_producto = 'A' ",
      }));
}

TEST_F(IceImporta, ByNameTheCallersArrayIsRewrittenInPlace) {
  auto sheet = sheetOf({baseRow(kImporta), row(kImporta, {{15, "0"}})});
  vt::automation::ObjectRef validar = vt::automation::createObject("Valtrone.CLSValidarInformacion");
  using vt::automation::Variant;
  Variant mode(int16_t{1}), co(kEmpresa), mes("5"), anio("2013"), tolerance(0.01), info(sheet),
      fileError(logPath()), progress(int32_t{0});
  EXPECT_EQ(
      validar->call("ICE2014_Importa", mode, co, mes, anio, tolerance, info, fileError, progress).toString(),
      "ERROR");
  EXPECT_EQ(progress.toString(), "3");
  EXPECT_EQ(sheet->get(1, 14), "04");
  EXPECT_EQ(vt::testing::readOptionalFile(logPath()),
            hoja_test::block("ICE IMPORTACIONES", 2, {"Referendo. Correlativo debe ser mayor a cero 0"}));
}

}  // namespace
}  // namespace ice_test
