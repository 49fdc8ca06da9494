// RDEP, columns 26 to 37: the salary system, the IESS contributions, the personal expenses with
// their total and caps, the two exemptions and the total of egresses.

#include <cmath>
#include <initializer_list>

#include "library/batch/rdep.hpp"

namespace valtrone {

namespace {

constexpr std::string_view kGrupos = "###,###,##0.00";
constexpr std::string_view kGruposTope = "####,###,##0.00";

// The sum of the columns' values; none when one of them is no number.
std::optional<double> sumaColumnas(const FilaRdep& f, std::initializer_list<long> cols) {
  double suma = 0;
  for (const long col : cols) {
    const std::optional<double> valor = f.valor(col);
    if (!valor) return std::nullopt;
    suma += *valor;
  }
  return suma;
}

// Two decimals, halves to the even neighbour, on the value's 15-digit decimal text (so that
// 500.005 is a half however the double holds it).
double redondeoPar2(double value) {
  const double centesimos = vt::conv::RoundTo15Digits(value * 100);
  const double entero = std::floor(centesimos);
  const double resto = centesimos - entero;
  double redondeado = entero;
  if (resto > 0.5 || (resto == 0.5 && std::fmod(entero, 2) != 0)) redondeado = entero + 1;
  return redondeado / 100;
}

}  // namespace

void RdepRun::deducciones(FilaRdep& f) {
  BloqueErrorRegistro& b = f.bloque;

  const std::string c26 =
      f.set(kRSistemaSalario,
            vt::conv::Trim(vt::conv::FormatNumberText(vt::conv::Trim(f.get(kRSistemaSalario)), "#")));
  if (!vt::conv::IsNumericText(c26)) {
    b.falla("Código de sistema de salario " + c26, " no es válido");
  } else if (f.inicial(kRSistemaSalario) == 0) {
    b.falla("Código de sistema de salario " + c26, "  no debe ser cero ");
  }

  f.set(kRAporteIess, montoNormal(f.get(kRAporteIess)));
  if (!montoFalla(f, kRAporteIess, "Aporte personal al IESS (empleador actual) ",
                  "Aporte personal al IESS (empleador actual) ", " no válido ", " no debe ser negativo ") &&
      f.inicial(kRSistemaSalario) == 2 && *f.valor(kRAporteIess) > 0)
    b.falla("Si tipo de salario es 2 el valor de IESS (empleador actual) debe ser 0.00");

  f.set(kRAporteIessOtros, montoNormal(f.get(kRAporteIessOtros)));
  montoFalla(f, kRAporteIessOtros, "Aporte personal al IESS (otro empleador) ",
             "Aporte personal al IESS (otro empleador) ", " no válido ", " no debe ser negativo ");

  struct Gasto {
    long col;
    const char* noNumerico;
    const char* negativo;
    double tope;
    const char* excede;
  };
  const Gasto gastos[] = {
      {kRVivienda, "Deducción (Vivienda) debe ser numérico ", "Deducción (Vivienda) no debe ser negativo ",
       topes_.dTopeVivienda, "El valor de gasto de VIVIENDA "},
      {kRSalud, "Deducción (Salud) debe ser numérico ", "Deducción (Salud) no debe ser negativo ",
       topes_.dTopeSalud, "El valor de gasto de SALUD "},
      {kREducacion, "Deducción (Educación) debe ser numérico ", "Deducción (Educación) no debe ser negativo ",
       topes_.dTopeEducacion, "El valor de gasto de EDUCACION "},
      {kRAlimentacion, "Deducción (Alimentación) debe ser numérico ",
       "Deducción (Alimentación) no debe ser negativo ", topes_.dTopeAlimentacion,
       "El valor de gasto de ALIMENTACION "},
      {kRVestimenta, "Deducción (Vestimenta) debe ser numérico: ",
       "Deducción (Vestimenta) no debe ser negativo: ", topes_.dTopeVestimenta,
       "El valor de gasto de VESTIMENTA "},
  };
  for (const Gasto& g : gastos) {
    f.set(g.col, montoNormal(f.get(g.col)));
    montoFalla(f, g.col, g.noNumerico, g.negativo);
  }

  f.set(kRTotalGastos, montoNormal(f.get(kRTotalGastos)));
  montoFalla(f, kRTotalGastos, "Total Gastos Pesonales debe ser numérico ",
             "Total Gastos Pesonales debe ser mayor o igual a cero ");

  // The cross-checks leave out a comparison whose cell is no number: that cell has failed the
  // row already.
  const std::optional<double> total = f.valor(kRTotalGastos);
  if (const std::optional<double> suma =
          sumaColumnas(f, {kRVivienda, kRSalud, kREducacion, kRAlimentacion, kRVestimenta});
      suma && total &&
      !gfDentroTolerancia(dDecRedondeo_, vt::conv::NumberByMask(*suma, "########0.00"),
                          vt::conv::NumberByMask(*total, "########0.00")))
    b.falla("Sumatoria de Gastos " + montoMensaje(vt::conv::NumberByMask(*suma, "########0.00"), kGrupos) +
            " no concuerda con Total Gastos Personales " +
            montoMensaje(vt::conv::NumberByMask(*total, "########0.00"), kGrupos));
  if (total && f.dTotalIngresos) {
    // Half of this employer's income plus the income taxed with other employers.
    const double mitad = redondeoPar2(*f.dTotalIngresos * 0.5);
    if (*total > mitad)
      b.falla("El total de gastos personales " + montoMensaje(*total, kGruposTope) +
              " no puede ser mayor al 50% del total de los ingresos " +
              montoMensaje(*f.dTotalIngresos * 0.5, kGruposTope));
  }
  if (total && *total > topes_.dTopeGastosPersonales)
    b.falla("La sumatoria total de gastos personales " + montoMensaje(*total, kGruposTope) +
            " supera el valor maximo permitido " + montoMensaje(topes_.dTopeGastosPersonales, kGruposTope));
  for (const Gasto& g : gastos) {
    const std::optional<double> valor = f.valor(g.col);
    if (valor && *valor > g.tope)
      b.falla(g.excede + montoMensaje(*valor, kGruposTope) + " supera el valor maximo permitido " +
              montoMensaje(g.tope, kGruposTope));
  }

  f.set(kRExoDiscapacidad, montoNormal(f.get(kRExoDiscapacidad)));
  montoFalla(f, kRExoDiscapacidad, "Exoneracion (Discapacitados) debe ser numérico: ",
             "RExoneracion (Discapacitados) no debe ser negativo: ");
  f.set(kRExoTerceraEdad, montoNormal(f.get(kRExoTerceraEdad)));
  montoFalla(f, kRExoTerceraEdad,
             "Exoneracion (3ra. edad) debe ser numérico: ", "Exoneracion (3ra. edad) no debe ser negativo: ");

  if (const std::optional<double> exoneracion = f.valor(kRExoDiscapacidad)) {
    const std::optional<double> porcentaje = f.valor(kRPorcentajeDis);
    if (*exoneracion > topes_.lTopeDiscapacidad) {
      b.falla("El valor de Exoneracion por Discapacidad " + montoMensaje(*exoneracion, kGruposTope) +
              " supera el valor maximo permitido " + montoMensaje(topes_.lTopeDiscapacidad, kGruposTope));
    } else if (*exoneracion > 0 && f.get(kRDiscapacidad) == "NA") {
      b.falla(
          "El beneficio de Exoneración por Discapacidad es aplicable unicamete a personas con Discapacidad ");
    } else if (*exoneracion > 0 && porcentaje && *porcentaje < 30) {
      b.falla(
          "El beneficio de Exoneración por Discapacidad es aplicable cuando discapacidad es mayor al 30% ");
    }
  }
  if (const std::optional<double> terceraEdad = f.valor(kRExoTerceraEdad);
      terceraEdad && *terceraEdad > topes_.lTopeTerceraEdad)
    b.falla("El valor de Exoneración por Tercera Edad " + montoMensaje(*terceraEdad, kGruposTope) +
            " supera el valor maximo permitido " + montoMensaje(topes_.lTopeTerceraEdad, kGruposTope));

  f.set(kRTotalEgresos, montoNormal(f.get(kRTotalEgresos)));
  montoFalla(f, kRTotalEgresos, "Total Egresos debe ser numérico: ", "Total Egresos no debe ser negativo: ");
  f.dTotalEgresos = f.valor(kRTotalEgresos);
  if (const std::optional<double> suma = sumaColumnas(
          f, {kRAporteIess, kRAporteIessOtros, kRTotalGastos, kRExoDiscapacidad, kRExoTerceraEdad});
      suma && f.dTotalEgresos &&
      !gfDentroTolerancia(dDecRedondeo_, vt::conv::NumberByMask(*suma, "########0.00"),
                          vt::conv::NumberByMask(*f.dTotalEgresos, "########0.00")))
    b.falla("Sumatoria de egresos " + montoMensaje(vt::conv::NumberByMask(*suma, "########0.00"), kGrupos) +
            " no concuerda con Total Egresos " +
            montoMensaje(vt::conv::NumberByMask(*f.dTotalEgresos, "########0.00"), kGrupos));
}

}  // namespace valtrone
