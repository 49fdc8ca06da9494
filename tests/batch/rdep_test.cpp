// The employee-income rules: the batch contract and the caps, then each group of columns as a
// table of one-row cases that change a few cells of a valid row and expect the exact lines of its
// block.

#include "library/batch/rdep.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/database/statement_observer.hpp"
#include "platform/errors/error.hpp"
#include "rdep_fixture.hpp"

namespace rdep_test {
namespace {

const std::string kEmpleado = "PEREZ LOPEZ JUAN CARLOS";

bool connectionOpen() {
  return valtrone::ctx().gdbConexion && valtrone::ctx().gdbConexion->state() == vt::db::State::Open;
}

TEST_F(Rdep, TheBaseRowPassesAndIsRewrittenIntoNormalForm) {
  const Outcome run = validate(sheetOf({row({{0, " 1792045185001"},
                                             {1, "5.4"},
                                             {3, " c "},
                                             {5, "  perez lopez "},
                                             {6, "juan carlos"},
                                             {7, " 1 "},
                                             {8, " local"},
                                             {10, " no"},
                                             {11, " na "},
                                             {12, "12.6"},
                                             {15, "20000.004"},
                                             {16, " "},
                                             {26, " 1.2 "},
                                             {43, "7.5"},
                                             {44, "0"},
                                             {45, "abc"}})}));
  EXPECT_EQ(run.result, "OK");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 2);
  EXPECT_EQ(normalised(*run.sheet),
            "1792045185001;05;2013;C;0001710034065;PEREZ LOPEZ;JUAN "
            "CARLOS;001;L;593;NO;NA;13;0;0;20000.00;0.00;0.00;"
            "0.00;0.00;0.00;0.00;0.00;0.00;0.00;20000.00;1;1890.00;0.00;1000.00;1000.00;500.00;500.00;500.00;"
            "3500.00;"
            "0.00;0.00;5390.00;14610.00;304.00;0.00;0.00;304.00;8;;abc\r\n");
}

TEST_F(Rdep, OnlyModeOneActsAndTheConnectionIsOpenedInEveryMode) {
  const auto sheet = sheetOf({row({{0, "1"}})});
  Rdep::Call store;
  store.mode = 2;
  store.progress = 7;
  const Outcome run = validate(sheet, store);
  EXPECT_EQ(run.result, "");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 7);
  EXPECT_EQ(sheet->get(1, 0), "1");
  EXPECT_TRUE(connectionOpen());
}

TEST_F(Rdep, AHeaderOnlySheetPassesAndLeavesTheProgressAlone) {
  Rdep::Call call;
  call.progress = 5;
  const Outcome run = validate(sheetOf({}), call);
  EXPECT_EQ(run.result, "OK");
  EXPECT_EQ(run.log, "");
  EXPECT_EQ(run.progress, 5);
  EXPECT_FALSE(connectionOpen());
}

TEST_F(Rdep, OnlyTheFailedRowWritesItsBlockUnderItsSheetRowNumber) {
  const Outcome run = validate(sheetOf({baseRow(), row({{7, "0"}}), baseRow()}));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 4);
  EXPECT_EQ(run.log, block(2, {"Codigo de establecimiento 000 no valido "}));
}

// A catalogue lookup that cannot run counts as not found, as in every other sheet: the row is
// reported and the sheet goes on; the call never ends with the lookup's error.
TEST_F(Rdep, ALookupThatCannotRunIsNotFoundAndNeverEndsTheCall) {
  const vt::db::ScopedStatementFault fault([](const vt::db::Observation& o) -> std::optional<vt::db::InjectedFailure> {
    if (o.kind == vt::db::ObservedKind::Query && o.text.find("tbCodigoGeneral") != std::string_view::npos)
      return vt::db::InjectedFailure{3704, "No se permite la operación si el objeto está cerrado.",
                                     vt::db::Failure::Other, false};
    return std::nullopt;
  });
  Outcome run;
  EXPECT_NO_THROW(run = validate(sheetOf({baseRow(), baseRow()})));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 3) << "every row is checked";
  EXPECT_NE(run.log.find("Tipo de Identificacion de Empleado C no registrado (IDD) "), std::string::npos) << run.log;
}

// A NUL that reached a cell through a delimited file stays inside the looked-up value.
TEST_F(Rdep, ANulInACellIsLookedUpAsNotFound) {
  Outcome run;
  EXPECT_NO_THROW(run = validate(sheetOf({row({{3, std::string("C\0X", 3)}})})));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_NE(run.log.find("no registrado (IDD) "), std::string::npos) << run.log;
}

TEST_F(Rdep, ANarrowSheetEndsTheCallWithASubscriptErrorAndTheConnectionOpen) {
  const auto sheet = sheetOf({row({{7, "0"}}), baseRow()}, 44);
  try {
    validate(sheet);
    ADD_FAILURE() << "no error";
  } catch (const vt::Error& e) {
    EXPECT_EQ(e.number(), 9);
  }
  EXPECT_TRUE(connectionOpen());
  EXPECT_FALSE(std::filesystem::exists(logPath()));
  EXPECT_EQ(sheet->get(1, 7), "000") << "cells before the missing column stay rewritten";
  EXPECT_EQ(sheet->get(2, 4), "1710034065") << "the next row is never reached";
}

TEST_F(Rdep, ALogThatCannotBeWrittenEndsTheCall) {
  valtrone::CLSValidarInformacion validator;
  std::string co_empresa = kEmpresa, nu_mes = "12", nu_anio = "2013";
  std::string fileError = (folder / "no-such-folder" / "log.txt").string();
  int16_t chk = 0;
  double tolerance = 0;
  int32_t progress = 0;
  vt::automation::StringMatrixRef sheet = sheetOf({row({{7, "0"}}), baseRow()});
  EXPECT_THROW(validator.RDEP2013(1, co_empresa, nu_mes, nu_anio, chk, tolerance, sheet, fileError, progress),
               vt::Error);
  EXPECT_EQ(progress, 0);
  EXPECT_EQ(sheet->get(2, 4), "1710034065");
}

TEST(RdepTopes, CapsFollowTheBasicFraction) {
  struct Caso {
    double fb;
    valtrone::TopesRdep topes;
    const char* why;
  };
  const Caso casos[] = {
      {0, {0, 0, 0, 0, 0, 0, 0, 0}, "an unset fraction caps everything at 0"},
      {10000, {13000, 3250, 13000, 3250, 3250, 3250, 20000, 30000}, "health takes the cap of the whole"},
      {10180.25,
       {13234.325, 3308.58125, 13234.325, 3308.58125, 3308.58125, 3308.58125, 20360, 30541},
       "halves of the integer caps go to the even neighbour"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.why);
    const valtrone::TopesRdep t = valtrone::topesRdep(c.fb);
    EXPECT_DOUBLE_EQ(t.dTopeGastosPersonales, c.topes.dTopeGastosPersonales);
    EXPECT_DOUBLE_EQ(t.dTopeVivienda, c.topes.dTopeVivienda);
    EXPECT_DOUBLE_EQ(t.dTopeSalud, c.topes.dTopeSalud);
    EXPECT_DOUBLE_EQ(t.dTopeEducacion, c.topes.dTopeEducacion);
    EXPECT_DOUBLE_EQ(t.dTopeAlimentacion, c.topes.dTopeAlimentacion);
    EXPECT_DOUBLE_EQ(t.dTopeVestimenta, c.topes.dTopeVestimenta);
    EXPECT_EQ(t.lTopeDiscapacidad, c.topes.lTopeDiscapacidad);
    EXPECT_EQ(t.lTopeTerceraEdad, c.topes.lTopeTerceraEdad);
  }
  EXPECT_THROW(valtrone::topesRdep(2e9), vt::Error) << "an integer cap beyond 32 bits overflows";
}

TEST_F(Rdep, EmployerAndPeriod) {
  Rdep::Call call;
  call.chk_ValidaIR = 0;  // 2012 has no brackets
  expectBlocks(
      *this,
      {
          {{{0, "1790012344001"}},
           {"RUC de empresa de archivo 1790012344001 no coincide con la empresa seleccionada 1792045185001"},
           "another employer"},
          {{{1, "13"}}, {}, "the month is not compared"},
          {{{2, "2012"}},
           {"Periodo: Año no coincide con el año seleccionado : 2012",
            "Convenio Doble Tributacion NO debe ser SD para periodos menores al 2013 ",
            "Condicion de Discapacidad NA debe ser 'SD' para periodos menores al 2013 "},
           "before 2013 the agreement and the condition must be SD"},
          {{{2, "2012"}, {10, "sd"}, {11, "SD"}},
           {"Periodo: Año no coincide con el año seleccionado : 2012"},
           "SD is looked up in its group"},
          {{{2, "dos mil"}, {10, "SD"}, {11, "SD"}},
           {"Periodo: Año no coincide con el año seleccionado : dos mil"},
           "a year that is no number reads as 0"},
          {{{2, "dos mil"}},
           {"Periodo: Año no coincide con el año seleccionado : dos mil"},
           "a year that is no number fails on the year alone, not also as a year before 2013"},
          {{{2, "2012x"}},
           {"Periodo: Año no coincide con el año seleccionado : 2012x"},
           "nor does one that only begins with an earlier year"},
      },
      call);
}

TEST_F(Rdep, EmployeeIdentification) {
  expectBlocks(
      *this,
      {
          {{{3, ""}},
           {"Tipo de Identificacion de Empleado  no válido ",
            "Tipo de identificación de empleado no válido "},
           "an empty type gives two lines and no number check"},
          {{{3, "x"}},
           {"Tipo de Identificacion de Empleado X no registrado (IDD) ",
            "Tipo de identificación de empleado no válido X"},
           "an unregistered type"},
          {{{4, "17100A4065"}},
           {"Numero de cedula: 17100A4065 correspondiente a " + kEmpleado + " debe ser numérico."},
           "a letter in a cédula: no zero or identity check"},
          {{{4, ""}},
           {"Numero de cedula:  correspondiente a " + kEmpleado + " debe ser numérico."},
           "an empty cédula is no number"},
          {{{4, "0"}},
           {"Numero de cédula: 0000000000000 correspondiente a " + kEmpleado + " no puede ser cero."},
           "a cédula of zeros"},
          {{{4, "1710034066"}},
           {"Numero de cédula 1710034066 correspondiente a " + kEmpleado + " no válido "},
           "a wrong check digit shows the ten digits"},
          {{{4, "910034065"}}, {}, "a cédula that lost its leading zero gets it back for the check"},
          {{{3, "p"}, {4, "ab"}},
           {"Identificación de pasaporte/extranjero ab debe ser al menos 3 caracteres de " + kEmpleado},
           "a two-letter passport"},
          {{{3, "E"}, {4, "AB-12"}},
           {"Identificación de pasaporte/extranjero AB-12 tiene caracteres no validos de " + kEmpleado},
           "a hyphen in a foreign identification"},
          {{{3, "P"}, {4, "Ñ1"}},
           {"Identificación de pasaporte/extranjero Ñ1 debe ser al menos 3 caracteres de " + kEmpleado,
            "Identificación de pasaporte/extranjero Ñ1 tiene caracteres no validos de " + kEmpleado},
           "both passport checks run"},
          {{{3, "P"}, {4, "12345"}}, {}, "a numeric passport is held with 13 digits"},
      });
}

TEST_F(Rdep, EmployeeNames) {
  expectBlocks(*this,
               {
                   {{{5, ""}}, {"Apellidos de empleado 0001710034065 no puede estar vacío "}, "no surnames"},
                   {{{5, "a"}},
                    {"Apellidos de empleado 0001710034065 - A requiere minimo de 2 caracteres "},
                    "one letter"},
                   {{{6, " "}}, {"Nombre de empleado 0001710034065 no puede estar vacío "}, "blank names"},
                   {{{6, "j"}},
                    {"Nombre de empleado 0001710034065 - J requiere minimo de 2 caracteres "},
                    "one letter"},
                   {{{5, "PEREZ  LOPEZ"}},
                    {"Empleado PEREZ  LOPEZ JUAN CARLOS contiene en Apellidos demasiados espacios entre los "
                     "Apellidos "},
                    "two blanks in the surnames"},
                   {{{5, "peña  lopez"}},
                    {"Empleado PEÑA  LOPEZ JUAN CARLOS contiene en Apellidos caracter no permitido (Ñ;ñ) "},
                    "the Ñ line alone"},
                   {{{6, "ÑUSTA"}},
                    {"Empleado PEREZ LOPEZ ÑUSTA contiene en Nombres caracter no permitido (Ñ;ñ) "},
                    "Ñ in the names"},
                   {{{6, "JUAN  CARLOS"}},
                    {"Empleado PEREZ LOPEZ JUAN  CARLOS contiene demasiados espacios entre los Nombres "},
                    "two blanks in the names"},
               });
}

TEST_F(Rdep, EstablishmentResidenceAndCountry) {
  expectBlocks(*this,
               {
                   {{{7, "x1"}}, {"Codigo de establecimiento: x1 debe ser numerico "}, "no number"},
                   {{{7, ""}}, {"Codigo de establecimiento:  debe ser numerico "}, "empty"},
                   {{{7, "0"}}, {"Codigo de establecimiento 000 no valido "}, "zero"},
                   {{{8, ""}}, {"Residencia Empleado. Codigo 0 no valido deberia ser L ó E"}, "no residence"},
                   {{{8, "x"}}, {"Residencia Empleado. Codigo X no registrado (RES) "}, "unknown residence"},
                   {{{9, "1"}},
                    {"Pais de residencia 001 incorrecto cuando residencia es Local, deberia ser 593 "},
                    "a local resident abroad"},
                   {{{8, "E"}, {9, "999"}},
                    {"Pais de residencia 999 no registrado en tabla de Ciudades "},
                    "an unknown country"},
                   {{{8, "e"}, {9, "593"}}, {}, "a resident abroad may name Ecuador"},
                   {{{8, "E"}, {9, "x'1"}},
                    {"Pais de residencia x'1 no registrado en tabla de Ciudades "},
                    "a quote stays inside the looked-up value"},
               });
}

TEST_F(Rdep, AgreementAndDisabilityCondition) {
  expectBlocks(
      *this, {
                 {{{10, ""}}, {"Convenio Doble Tributacion 0 no valido "}, "no agreement"},
                 {{{10, "xx"}}, {"Convenio Doble Tributacion. XX no registrado (DTR) "}, "unknown agreement"},
                 {{{11, ""}}, {"Condicion de Discapacidad 0 no valido "}, "no condition"},
                 {{{11, "9"}}, {"Condicion de Discapacidad 9 no registrado (DIS) "}, "unknown condition"},
             });
}

TEST_F(Rdep, EachCodeIsLookedUpOncePerCall) {
  std::vector<std::string> statements;
  const vt::db::ScopedStatementObserver observer([&](const vt::db::Observation& o) {
    if (o.kind != vt::db::ObservedKind::Open) statements.emplace_back(o.text);
  });
  Rdep::Call call;
  call.chk_ValidaIR = 0;
  EXPECT_EQ(validate(sheetOf({baseRow(), baseRow(), baseRow()}), call).result, "OK");
  // IDD, RES, the country, DTR and DIS.
  EXPECT_EQ(statements.size(), 5u) << ::testing::PrintToString(statements);
  statements.clear();
  call.chk_ValidaIR = 1;
  EXPECT_EQ(
      validate(sheetOf({baseRow(), row({{5, "OTRO"}}), row({{39, "303"}, {42, "303"}, {38, "14600"}})}), call)
          .result,
      "ERROR");
  // The codes again (a new call), and the tax of each of the two bases once.
  EXPECT_EQ(statements.size(), 7u) << ::testing::PrintToString(statements);
}

}  // namespace
}  // namespace rdep_test
