// The employee-income amounts: the disabled person's data, the incomes and their sum, the
// deductions with their caps, the exemptions, the egresses, and the base, tax and withholdings with
// their warnings. Each table changes a few cells of the valid base row.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rdep_fixture.hpp"

namespace rdep_test {
namespace {

const std::string kEmpleado = "PEREZ LOPEZ JUAN CARLOS";
const std::string kSumaImpuesto =
    " debe ser igual a la sumatoria de (Valor Impuesto Asumido y retenido por Otros empleadores+Valor del "
    "Impuesto "
    "asumido <Empleador Actual> + Valor del Impuesto Retenido <Empleador Actual>: (";

TEST_F(Rdep, DisabledPersonsData) {
  expectBlocks(
      *this,
      {
          {{{11, "SD"}, {12, "abc"}, {13, "x"}, {14, "x"}}, {}, "SD only rewrites the three cells"},
          {{{11, "1"}, {12, "40"}, {13, "C"}, {14, "1710034065"}}, {}, "a disabled employee with a cédula"},
          {{{11, "1"}}, {}, "kind 0: no identification check"},
          {{{11, "1"}, {12, "-5"}},
           {"Porcentaje de Discapacidad -5 debe ser mayor a 0 "},
           "a negative percentage"},
          {{{11, "1"}, {12, "abc"}},
           {"Porcentaje de Discapacidad ABC debe ser mayor a 0 "},
           "a percentage that is no number"},
          {{{11, "1"}, {13, "C"}},
           {"Numero de ID Discapacitado: 0 correspondiente a " + kEmpleado + " no puede ser cero."},
           "a cédula left empty"},
          {{{11, "1"}, {13, "c"}, {14, "17100x"}},
           {"Numero de cedula: 17100X correspondiente a " + kEmpleado + " debe ser numérico."},
           "a letter in the cédula"},
          {{{11, "1"}, {13, "C"}, {14, "1710034066"}},
           {"Numero de ID Discapacitado 1710034066 correspondiente a " + kEmpleado + " no válido "},
           "a wrong check digit"},
          {{{11, "1"}, {13, "P"}, {14, "AB"}},
           {"Identificación de pasaporte/extranjero AB debe ser al menos 3 caracteres de " + kEmpleado},
           "a short passport"},
          {{{11, "1"}, {13, "E"}, {14, "ab-12"}},
           {"Identificación de pasaporte/extranjero AB-12 tiene caracteres no validos de " + kEmpleado},
           "a hyphen"},
          {{{11, "1"}, {13, "P"}, {14, "12345"}}, {}, "a numeric passport"},
      });
}

TEST_F(Rdep, DisabledPersonsDataBefore2013) {
  Rdep::Call y2012;
  y2012.nu_anio = "2012";
  y2012.chk_ValidaIR = 0;
  const std::string condicion = "Condicion de Discapacidad 1 debe ser 'SD' para periodos menores al 2013 ";
  expectBlocks(*this,
               {
                   {{{2, "2012"}, {10, "SD"}, {11, "SD"}, {12, "40"}, {13, "1"}}, {}, "SD rewrites only"},
                   {{{2, "2012"}, {10, "SD"}, {11, "1"}, {13, "1"}},
                    {condicion, "Tipo de ID de Discapacidad 1 debe ser 0 para periodos menores a 2013"},
                    "a numeric kind before 2013"},
                   {{{2, "2012"}, {10, "SD"}, {11, "1"}, {13, "C"}, {14, "1710034065"}},
                    {condicion},
                    "a letter kind reads as 0"},
                   {{{2, "2012"}, {10, "SD"}, {11, "1"}, {12, "40"}},
                    {condicion, "Porcentaje de Discapacidad 40 debe ser 0 para periodos menores a 2013"},
                    "a percentage before 2013, and no sign check after it"},
               },
               y2012);
}

TEST_F(Rdep, IncomesAndTheirSum) {
  expectBlocks(
      *this,
      {
          {{{16, "abc"}}, {"Sobre sueldos debe ser numérico: abc"}, "no number, and no sum"},
          {{{16, "-5"}},
           {"Sobre sueldos no debe ser negativo: -5.00",
            "Sumatoria de ingresos empleador actual 19,995.00 no concuerda con Total Ingresos (empleador "
            "actual) "
            "20,000.00"},
           "a negative part still counts in the sum"},
          {{{17, "x"}}, {"Valor de Utilidades debe ser numérico: x"}, "profit share"},
          {{{18, "x"}},
           {"Valor Ingresos Gravados de Otros Empleadores: x"},
           "no total income for the later checks"},
          {{{19, "-1"}},
           {"Impuesto a la renta asumido por este empleador: -1.00",
            "Sumatoria de ingresos empleador actual 19,999.00 no concuerda con Total Ingresos (empleador "
            "actual) "
            "20,000.00"},
           "the tax assumed as income"},
          {{{20, "-1"}}, {"Décimo Tercer Sueldo no debe ser negativo: -1.00"}, "not part of the sum"},
          {{{21, "x"}}, {"Décimo Cuarto Sueldo debe ser numérico: x"}, "fourteenth salary"},
          {{{22, "-1"}}, {"Fondo de Reserva no debe ser negativo: -1.00"}, "reserve fund"},
          {{{23, "x"}}, {"Compensación por Salario Digno debe ser numérico: x"}, "accented when no number"},
          {{{23, "-1"}},
           {"Compensacion por Salario Digno no debe ser negativo: -1.00"},
           "unaccented when negative"},
          {{{24, "-3"}}, {"Otros Ingresos de Renta NO Gravados: -3.00"}, "other income"},
          {{{25, "x"}},
           {"Total Ingresos (empleador actual) x debe ser numérico "},
           "a total that is no number"},
          {{{15, "20000.01"}}, {}, "a cent within the tolerance"},
          {{{15, "20000.02"}},
           {"Sumatoria de ingresos empleador actual 20,000.02 no concuerda con Total Ingresos (empleador "
            "actual) "
            "20,000.00"},
           "two cents beyond it"},
          {{{18, "500"}, {38, "15110"}, {39, "354"}, {42, "354"}},
           {},
           "income from other employers is not summed"},
      });
}

TEST_F(Rdep, ANegativeTotalIncomeStillTakesPartInTheSum) {
  expectBlocks(
      *this, {{{{25, "-1"}},
               {"Total Ingresos (empleador actual): -1.00no debe ser negativo ",
                "Sumatoria de ingresos empleador actual 20,000.00 no concuerda con Total Ingresos (empleador "
                "actual) -1.00",
                "El total de gastos personales 3,500.00 no puede ser mayor al 50% del total de los ingresos "
                "-0.50"},
               "and a negative base is not compared"}});
}

TEST_F(Rdep, ContributionsAndPersonalExpenses) {
  Rdep::Call call;
  call.chk_ValidaIR = 0;
  expectBlocks(
      *this,
      {
          {{{26, ""}}, {"Código de sistema de salario  no es válido"}, "an empty salary system"},
          {{{26, "0"}}, {"Código de sistema de salario  no es válido"}, "0 is written as empty text"},
          {{{26, "x"}}, {"Código de sistema de salario x no es válido"}, "no number"},
          {{{26, "2"}},
           {"Si tipo de salario es 2 el valor de IESS (empleador actual) debe ser 0.00"},
           "system 2"},
          {{{26, "2"}, {27, "0"}, {37, "3500"}, {38, "16500"}}, {}, "system 2 without contribution"},
          {{{27, "x"}},
           {"Aporte personal al IESS (empleador actual) x no válido "},
           "no number, and no egress sum"},
          {{{27, "-1"}},
           {"Aporte personal al IESS (empleador actual) -1.00 no debe ser negativo ",
            "Sumatoria de egresos 3,499.00 no concuerda con Total Egresos 5,390.00"},
           "negative"},
          {{{28, "-2"}},
           {"Aporte personal al IESS (otro empleador) -2.00 no debe ser negativo ",
            "Sumatoria de egresos 5,388.00 no concuerda con Total Egresos 5,390.00"},
           "other employer"},
          {{{28, "x"}},
           {"Aporte personal al IESS (otro empleador) x no válido "},
           "other employer, no number"},
          {{{29, "x"}}, {"Deducción (Vivienda) debe ser numérico x"}, "housing"},
          {{{30, "-1"}},
           {"Deducción (Salud) no debe ser negativo -1.00",
            "Sumatoria de Gastos 2,499.00 no concuerda con Total Gastos Personales 3,500.00"},
           "health"},
          {{{31, "x"}}, {"Deducción (Educación) debe ser numérico x"}, "education"},
          {{{32, "x"}}, {"Deducción (Alimentación) debe ser numérico x"}, "food"},
          {{{33, "-1"}},
           {"Deducción (Vestimenta) no debe ser negativo: -1.00",
            "Sumatoria de Gastos 2,999.00 no concuerda con Total Gastos Personales 3,500.00"},
           "clothing"},
          {{{34, "x"}}, {"Total Gastos Pesonales debe ser numérico x"}, "a total that is no number"},
          {{{34, "3500.01"}, {37, "5390.01"}, {38, "14609.99"}}, {}, "a cent within the tolerance"},
          {{{34, "3500.02"}, {37, "5390.02"}, {38, "14609.98"}},
           {"Sumatoria de Gastos 3,500.00 no concuerda con Total Gastos Personales 3,500.02"},
           "two cents beyond it"},
          {{{29, "3308.5"}, {34, "5808.5"}, {37, "7698.5"}, {38, "12301.5"}}, {}, "a deduction at its cap"},
          {{{29, "3308.51"}, {34, "5808.51"}, {37, "7698.51"}, {38, "12301.49"}},
           {"El valor de gasto de VIVIENDA 3,308.51 supera el valor maximo permitido 3,308.50"},
           "a cent above it"},
          {{{30, "7500"}, {34, "10000"}, {37, "11890"}, {38, "8110"}}, {}, "half the income"},
          {{{30, "7500.01"}, {34, "10000.01"}, {37, "11890.01"}, {38, "8109.99"}},
           {"El total de gastos personales 10,000.01 no puede ser mayor al 50% del total de los ingresos "
            "10,000.00"},
           "a cent above half the income"},
      },
      call);
}

TEST_F(Rdep, CapsOfASmallOrUnsetBasicFraction) {
  Rdep::Call small;
  small.chk_ValidaIR = 0;
  small.lFraccionBasica = 2000;
  expectBlocks(
      *this,
      {{{},
        {"La sumatoria total de gastos personales 3,500.00 supera el valor maximo permitido 2,600.00",
         "El valor de gasto de VIVIENDA 1,000.00 supera el valor maximo permitido 650.00"},
        "health (1,000.00) takes the cap of the whole, 2,600.00"}},
      small);
  Rdep::Call unset;
  unset.chk_ValidaIR = 0;
  unset.lFraccionBasica = 0;
  expectBlocks(*this,
               {{{},
                 {"La sumatoria total de gastos personales 3,500.00 supera el valor maximo permitido 0.00",
                  "El valor de gasto de VIVIENDA 1,000.00 supera el valor maximo permitido 0.00",
                  "El valor de gasto de SALUD 1,000.00 supera el valor maximo permitido 0.00",
                  "El valor de gasto de EDUCACION 500.00 supera el valor maximo permitido 0.00",
                  "El valor de gasto de ALIMENTACION 500.00 supera el valor maximo permitido 0.00",
                  "El valor de gasto de VESTIMENTA 500.00 supera el valor maximo permitido 0.00"},
                 "every positive deduction exceeds a cap of 0"}},
               unset);
}

TEST_F(Rdep, ExemptionsAndEgresses) {
  Rdep::Call call;
  call.chk_ValidaIR = 0;
  const Changes exoneracion100 = {{35, "100"}, {37, "5490"}, {38, "14510"}};
  const auto con = [&](Changes changes) {
    changes.insert(changes.end(), exoneracion100.begin(), exoneracion100.end());
    return changes;
  };
  expectBlocks(
      *this,
      {
          {con({}),
           {"El beneficio de Exoneración por Discapacidad es aplicable unicamete a personas con "
            "Discapacidad "},
           "an exemption without disability"},
          {con({{11, "SD"}}),
           {"El beneficio de Exoneración por Discapacidad es aplicable cuando discapacidad es mayor al 30% "},
           "SD with percentage 0"},
          {con({{11, "1"}, {12, "30"}}), {}, "30 % passes"},
          {con({{11, "1"}, {12, "29"}}),
           {"El beneficio de Exoneración por Discapacidad es aplicable cuando discapacidad es mayor al 30% "},
           "29 % does not"},
          {{{35, "20361"}, {37, "25751"}, {38, "0"}, {39, "0"}, {42, "0"}},
           {"El valor de Exoneracion por Discapacidad 20,361.00 supera el valor maximo permitido 20,360.00"},
           "above its cap: the cap line alone"},
          {{{35, "-1"}},
           {"RExoneracion (Discapacitados) no debe ser negativo: -1.00",
            "Sumatoria de egresos 5,389.00 no concuerda con Total Egresos 5,390.00"},
           "a negative exemption"},
          {{{35, "x"}}, {"Exoneracion (Discapacitados) debe ser numérico: x"}, "no number"},
          {{{36, "x"}}, {"Exoneracion (3ra. edad) debe ser numérico: x"}, "third age, no number"},
          {{{36, "-1"}},
           {"Exoneracion (3ra. edad) no debe ser negativo: -1.00",
            "Sumatoria de egresos 5,389.00 no concuerda con Total Egresos 5,390.00"},
           "third age, negative"},
          {{{36, "30541"}, {37, "35931"}, {38, "0"}, {39, "0"}, {42, "0"}},
           {"El valor de Exoneración por Tercera Edad 30,541.00 supera el valor maximo permitido 30,540.00"},
           "third age above its cap"},
          {{{37, "x"}}, {"Total Egresos debe ser numérico: x"}, "no number, and no base check"},
          {{{37, "-1"}},
           {"Total Egresos no debe ser negativo: -1.00",
            "Sumatoria de egresos 5,390.00 no concuerda con Total Egresos -1.00",
            "Sumatoria Total Ingresos - Total Egresos (20,001.00) no concuerda con Base Imponible 14,610.00"},
           "negative, and the base it gives is compared"},
      },
      call);
}

TEST_F(Rdep, TaxableBase) {
  Rdep::Call exact;
  exact.tolerance = 0;
  expectBlocks(
      *this,
      {
          {{{38, "14600"}},
           {"Sumatoria Total Ingresos - Total Egresos (14,610.00) no concuerda con Base Imponible 14,600.00",
            "Impuesto causado 304.00 no concuerda cálculo automático de impuesto 303.00"},
           "another base, and the tax recomputed on it"},
          {{{27, "23110"}, {37, "26610"}}, {}, "egresses above incomes: the base is not compared"},
          {{{38, "abc"}},
           {"Base Imponible abc debe ser numérico. ",
            "IR causado 304.00 no puede ser mayor que Base Imponible abc"},
           "a base that is no number"},
          {{{38, "-1"}},
           {"Base Imponible -1.00 no debe ser negativo. ",
            "Sumatoria Total Ingresos - Total Egresos (14,610.00) no concuerda con Base Imponible -1.00",
            "Impuesto causado 304.00 no concuerda cálculo automático de impuesto -1.00",
            "ADVERTENCIA: Valor Retenido: 304.00 no puede ser mayor que la Base Imponible -1.00",
            "IR causado 304.00 no puede ser mayor que Base Imponible -1.00"},
           "a negative base"},
      },
      exact);
  Rdep::Call wide;
  wide.tolerance = 10;
  expectBlocks(*this, {{{{38, "14600"}}, {}, "both differences within 10"}}, wide);
}

TEST_F(Rdep, IncomeTaxAgainstTheBrackets) {
  struct Caso {
    const char* base;
    const char* impuesto;
    int16_t chk;
    double tolerancia;
    std::vector<std::string> lines;
    const char* why;
  };
  const std::string noConcuerda = " no concuerda cálculo automático de impuesto ";
  const Caso casos[] = {
      {"14610", "304", 1, 0, {}, "inside a bracket"},
      {"14610", "303.99", 1, 0.01, {}, "a cent within the tolerance"},
      {"14610",
       "303.98",
       1,
       0.01,
       {"Impuesto causado 303.98" + noConcuerda + "304.00"},
       "two cents beyond it"},
      {"14610", "300", 0, 0, {}, "no recomputation when not asked"},
      {"14610", "300", -1, 0, {}, "only 1 asks for it"},
      {"10180", "0", 1, 0, {}, "a bound shared by two brackets"},
      {"120000", "25984.5", 1, 0, {}, "the open top bracket"},
      {"999999999.01", "0", 1, 0, {"Impuesto causado 0.00" + noConcuerda + "-1.00"}, "above every bracket"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.why);
    Rdep::Call call;
    call.chk_ValidaIR = c.chk;
    call.tolerance = c.tolerancia;
    // Only the base, the tax and its withholding change: the other checks of the row are not the
    // subject here, and their warnings stay out of a row that passes.
    const Outcome run =
        validate(sheetOf({row({{38, c.base}, {39, c.impuesto}, {42, c.impuesto}, {7, "0"}})}), call);
    std::vector<std::string> lines = {"Codigo de establecimiento 000 no valido "};
    if (std::string(c.base) != "14610")
      lines.push_back(
          "Sumatoria Total Ingresos - Total Egresos (14,610.00) no concuerda con Base Imponible " +
          std::string(c.base == std::string("10180")    ? "10,180.00"
                      : c.base == std::string("120000") ? "120,000.00"
                                                        : "999,999,999.01"));
    lines.insert(lines.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(run.log, block(1, lines));
  }
}

TEST_F(Rdep, AYearWithoutBracketsComparesAgainstMinusOne) {
  Rdep::Call y2014;
  y2014.nu_anio = "2014";
  expectBlocks(*this,
               {{{{2, "2014"}, {39, "0"}, {42, "0"}, {38, "14610"}},
                 {"Impuesto causado 0.00 no concuerda cálculo automático de impuesto -1.00"},
                 "no bracket holds the base"}},
               y2014);
  y2014.chk_ValidaIR = 0;
  expectBlocks(*this, {{{{2, "2014"}}, {}, "not asked"}}, y2014);
}

TEST_F(Rdep, WithholdingsAndTheirWarnings) {
  Rdep::Call call;
  call.chk_ValidaIR = 0;
  const std::string warningSum = "ADVERTENCIA: El valor del Impuesto Causado ";
  expectBlocks(
      *this,
      {
          {{{40, "100"}},
           {"Ingresos gravados con otros empleadores es 0.00. El Valor del impuesto retenido y asumido por "
            "otros "
            "empleadores 100.00. Debe ser 0.00 ",
            warningSum + "304.00" + kSumaImpuesto + "100.00 + 0.00 + 304.00)"},
           "tax of other employers without their income"},
          {{{40, "x"}},
           {"Impuesto Retenido por Otros Empleadores x debe ser numérico "},
           "no number: no comparison and no tax sum"},
          {{{40, "-1"}},
           {"Impuesto Retenido por Otros Empleadores -1.00 no debe ser negativo ",
            warningSum + "304.00" + kSumaImpuesto + "-1.00 + 0.00 + 304.00)"},
           "negative"},
          {{{41, "x"}},
           {"Impuesto Retenido por Este Empleador x debe ser numérico "},
           "assumed tax, no number"},
          {{{19, "50"}, {25, "20050"}, {38, "14660"}, {41, "50"}, {42, "254"}},
           {},
           "assumed tax equal to its income"},
          {{{19, "50"}, {25, "20050"}, {38, "14660"}, {41, "40"}, {42, "264"}},
           {"Valor del Impuesto Asumido por este empleador 40.00 NO DEBE SER MENOR al impuesto a la renta "
            "asumido por "
            "este empleador 50.00"},
           "assumed tax below its income"},
          {{{42, "-1"}},
           {"Valor Impuesto Retenido (Empleador actual) -1.00 no debe ser negativo ",
            warningSum + "304.00" + kSumaImpuesto + "0.00 + 0.00 + -1.00)"},
           "negative withholding: no withholding warnings, the tax sum still runs"},
          {{{39, "300"}, {42, "300"}, {43, ""}},
           {"Secuencia de formulario  debe ser numérico "},
           "a blank sequence stays blank"},
          {{{43, "-2"}}, {"Secuencia de formulario -2 no debe ser negativo "}, "negative sequence"},
          {{{39, "300"}}, {}, "warnings alone never fail a row"},
          {{{39, "300"}, {41, "100"}, {42, "250"}, {43, "x"}},
           {"ADVERTENCIA: Valor Impuesto Retenido (Empleador actual) 250.00 es diferente al (IR Causado - "
            "Valor "
            "impuesto asumido por este empleador) (300.00 - 100.00)",
            warningSum + "300.00" + kSumaImpuesto + "0.00 + 100.00 + 250.00)",
            "Secuencia de formulario x debe ser numérico "},
           "the first withholding warning, shown with a failure"},
          {{{38, "100"}, {39, "100"}, {42, "150"}, {7, "0"}},
           {"Codigo de establecimiento 000 no valido ",
            "Sumatoria Total Ingresos - Total Egresos (14,610.00) no concuerda con Base Imponible 100.00",
            "ADVERTENCIA: Valor Impuesto Retenido (Empleador actual) 150.00 es diferente al (IR Causado - "
            "Valor "
            "impuesto asumido por este empleador) (100.00 - 0.00)",
            warningSum + "100.00" + kSumaImpuesto + "0.00 + 0.00 + 150.00)"},
           "above the tax: the first warning, not the second"},
          {{{38, "100"}, {39, "150"}, {41, "0"}, {42, "150"}, {7, "0"}},
           {"Codigo de establecimiento 000 no valido ",
            "Sumatoria Total Ingresos - Total Egresos (14,610.00) no concuerda con Base Imponible 100.00",
            "ADVERTENCIA: Valor Retenido: 150.00 no puede ser mayor que la Base Imponible 100.00",
            "IR causado 150.00 no puede ser mayor que Base Imponible 100.00"},
           "above the base: the second warning"},
      },
      call);
}

TEST_F(Rdep, OtherEmployersTaxAgainstTheirIncome) {
  Rdep::Call call;
  call.chk_ValidaIR = 0;
  call.tolerance = 1000;  // the base and the tax sum move with these amounts; they are not the subject
  expectBlocks(
      *this,
      {
          {{{18, "500"}, {40, "500"}}, {}, "equal to the income"},
          {{{18, "500"}, {40, "500.01"}},
           {"El Valor del impuesto retenido y asumido por otros empleadores 500.01. Debe ser debe ser menor "
            "al valor de Ingresos gravados a otros empleadores 500.00"},
           "a cent above it"},
      },
      call);
}

TEST_F(Rdep, AZeroBaseWithTaxAssumedOrWithheldElsewhere) {
  Rdep::Call call;
  call.chk_ValidaIR = 0;
  const std::string warningSum = "ADVERTENCIA: El valor del Impuesto Causado ";
  expectBlocks(
      *this,
      {
          {{{19, "50"}, {25, "20050"}, {38, "0"}, {39, "0"}, {41, "50"}, {42, "0"}},
           {"Sumatoria Total Ingresos - Total Egresos (14,660.00) no concuerda con Base Imponible 0.00",
            "IR asumido por el empleador 50.00 debe ser igual o mayor que la Base Imponible  (14,660.00) no "
            "concuerda "
            "con Base Imponible 0.00",
            "ADVERTENCIA: Valor Impuesto Retenido (Empleador actual) 0.00 es diferente al (IR Causado - "
            "Valor "
            "impuesto asumido por este empleador) (0.00 - 50.00)",
            warningSum + "0.00" + kSumaImpuesto + "0.00 + 50.00 + 0.00)"},
           "tax assumed as income"},
          {{{27, "16500"}, {37, "20000"}, {38, "0"}, {39, "0"}, {40, "120"}, {42, "0"}},
           {"Ingresos gravados con otros empleadores es 0.00. El Valor del impuesto retenido y asumido por "
            "otros "
            "empleadores 120.00. Debe ser 0.00 ",
            "IR asumido por empleador: 120.00 debe ser mayor o igual a Base Imponible: 0.00",
            warningSum + "0.00" + kSumaImpuesto + "120.00 + 0.00 + 0.00)"},
           "tax of other employers"},
      },
      call);
}

}  // namespace
}  // namespace rdep_test
