// RDEP, columns 12 to 25: the disabled person's data, the ten income columns and the total income
// with this employer, which leaves the row's total income for the deductions and the base.

#include "library/batch/rdep.hpp"

namespace valtrone {

using vt::conv::BlankToZero;
using vt::conv::FormatNumberText;
using vt::conv::StrictNumber;
using vt::conv::Trim;
using vt::conv::Upper;

void RdepRun::discapacidad(FilaRdep& f) {
  BloqueErrorRegistro& b = f.bloque;
  const std::string c12 =
      f.set(kRPorcentajeDis, BlankToZero(Upper(FormatNumberText(Trim(f.get(kRPorcentajeDis)), "0"))));
  const std::string c13 =
      f.set(kRTipoIdDis, BlankToZero(Upper(FormatNumberText(Trim(f.get(kRTipoIdDis)), "0"))));
  f.set(kRIdDis, BlankToZero(Upper(FormatNumberText(Trim(f.get(kRIdDis)), "0000000000000"))));

  const std::string_view condicion = f.get(kRDiscapacidad);
  if (condicion == "NA" || condicion == "SD") return;

  // The percentage is tested against the year first, as the kind of identification is: before
  // 2013 only 0 is accepted. A percentage that is no number is refused as not above 0.
  const std::optional<double> porcentaje = StrictNumber(c12);
  if (f.antes2013() && !(porcentaje && *porcentaje == 0)) {
    b.falla("Porcentaje de Discapacidad " + c12 + " debe ser 0 para periodos menores a 2013");
  } else if (!porcentaje || *porcentaje < 0) {
    b.falla("Porcentaje de Discapacidad " + c12 + " debe ser mayor a 0 ");
  }

  if (f.inicial(kRTipoIdDis) != 0 && f.antes2013())
    b.falla("Tipo de ID de Discapacidad " + c13 + " debe ser 0 para periodos menores a 2013");

  identificacion(f, kRIdDis, c13, true);
}

void RdepRun::ingresos(FilaRdep& f) {
  struct Ingreso {
    long col;
    const char* noNumerico;
    const char* negativo;
  };
  static const Ingreso kIngresos[] = {
      {kRSueldos, "Sueldos y Salarios debe ser numérico: ", "Sueldos y Salarios no debe ser negativo: "},
      {kRSobresueldos, "Sobre sueldos debe ser numérico: ", "Sobre sueldos no debe ser negativo: "},
      {kRUtilidades, "Valor de Utilidades debe ser numérico: ", "Valor de Utilidades no debe ser negativo: "},
      {kRIngresosOtros,
       "Valor Ingresos Gravados de Otros Empleadores: ", "Valor Ingresos Gravados de Otros Empleadores: "},
      {kRImpuestoAsumidoIngreso, "Impuesto a la renta asumido por este empleador: ",
       "Impuesto a la renta asumido por este empleador: "},
      {kRDecimoTercero,
       "Décimo Tercer Sueldo debe ser numérico: ", "Décimo Tercer Sueldo no debe ser negativo: "},
      {kRDecimoCuarto,
       "Décimo Cuarto Sueldo debe ser numérico: ", "Décimo Cuarto Sueldo no debe ser negativo: "},
      {kRFondoReserva, "Fondo de Reserva debe ser numérico: ", "Fondo de Reserva no debe ser negativo: "},
      {kRSalarioDigno, "Compensación por Salario Digno debe ser numérico: ",
       "Compensacion por Salario Digno no debe ser negativo: "},
      {kROtrosNoGravados, "Otros Ingresos de Renta NO Gravados: ", "Otros Ingresos de Renta NO Gravados: "},
  };
  for (const Ingreso& ingreso : kIngresos) {
    f.set(ingreso.col, montoNormal(f.get(ingreso.col)));
    montoFalla(f, ingreso.col, ingreso.noNumerico, ingreso.negativo);
  }

  f.set(kRTotalIngresos, montoNormal(f.get(kRTotalIngresos)));
  montoFalla(f, kRTotalIngresos, "Total Ingresos (empleador actual) ",
             "Total Ingresos (empleador actual): ", " debe ser numérico ", "no debe ser negativo ");

  // Columns 18 and 20 to 24 are not part of this employer's sum; a part that is no number leaves
  // the sum out.
  const std::optional<double> total = f.valor(kRTotalIngresos);
  std::optional<double> suma = 0.0;
  for (const long col : {kRSueldos, kRSobresueldos, kRUtilidades, kRImpuestoAsumidoIngreso}) {
    const std::optional<double> parte = f.valor(col);
    suma = suma && parte ? std::optional<double>(*suma + *parte) : std::nullopt;
  }
  if (suma && total && !gfDentroTolerancia(dDecRedondeo_, *suma, *total))
    f.bloque.falla("Sumatoria de ingresos empleador actual " + montoMensaje(*suma, "###,###,##0.00") +
                   " no concuerda con Total Ingresos (empleador actual) " +
                   montoMensaje(*total, "###,###,##0.00"));

  const std::optional<double> otros = f.valor(kRIngresosOtros);
  if (total && otros) f.dTotalIngresos = *total + *otros;
}

}  // namespace valtrone
