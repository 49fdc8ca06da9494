// RDEP, columns 38 to 45: the taxable base against incomes and egresses, the income tax against
// the year's brackets, the withholdings of this and other employers, the warnings that cross-check
// them, the form sequence and the two carried columns.

#include "library/batch/rdep.hpp"

namespace valtrone {

namespace {

constexpr std::string_view kGrupos = "###,###,##0.00";

// The amount test of columns 38 to 43: label, cell, ending.
struct Monto {
  long col;
  const char* etiqueta;
  const char* noNumerico;
  const char* negativo;
};
constexpr Monto kBase{kRBaseImponible, "Base Imponible ", " debe ser numérico. ", " no debe ser negativo. "};
constexpr Monto kCausado{kRImpuestoCausado, "Impuesto Renta Causado ", " debe ser numérico. ",
                         " no debe ser negativo. "};
constexpr Monto kOtros{kRImpuestoOtros, "Impuesto Retenido por Otros Empleadores ", " debe ser numérico ",
                       " no debe ser negativo "};
constexpr Monto kAsumido{kRImpuestoAsumido, "Impuesto Retenido por Este Empleador ", " debe ser numérico ",
                         " no debe ser negativo "};
constexpr Monto kRetenido{kRImpuestoRetenido, "Valor Impuesto Retenido (Empleador actual) ",
                          " debe ser numérico ", " no debe ser negativo "};
constexpr Monto kSecuencia{kRSecuencia, "Secuencia de formulario ", " debe ser numérico ",
                           " no debe ser negativo "};

}  // namespace

void RdepRun::impuesto(FilaRdep& f) {
  BloqueErrorRegistro& b = f.bloque;
  const auto montoNormalizado = [&](const Monto& m) {
    f.set(m.col, montoNormal(f.get(m.col)));
    return !montoFalla(f, m.col, m.etiqueta, m.etiqueta, m.noNumerico, m.negativo);
  };
  // Comparisons leave out a cell that is no number: its own test has failed the row already.
  const auto valor = [&](long col) { return f.valor(col); };

  montoNormalizado(kBase);
  const std::optional<double> base = valor(kRBaseImponible);
  const std::optional<double> baseCalculada = f.dTotalIngresos && f.dTotalEgresos
                                                  ? std::optional<double>(vt::conv::NumberByMask(
                                                        *f.dTotalIngresos - *f.dTotalEgresos, "########0.00"))
                                                  : std::nullopt;
  if (baseCalculada && *baseCalculada > 0 && base &&
      !gfDentroTolerancia(dDecRedondeo_, *baseCalculada, vt::conv::NumberByMask(*base, "########0.00")))
    b.falla("Sumatoria Total Ingresos - Total Egresos (" + montoMensaje(*baseCalculada, kGrupos) +
            ") no concuerda con Base Imponible " + montoMensaje(*base, kGrupos));
  const std::optional<double> asumidoIngreso = valor(kRImpuestoAsumidoIngreso);
  if (baseCalculada && base && *base == 0 && asumidoIngreso && *asumidoIngreso > 0)
    b.falla("IR asumido por el empleador " + montoMensaje(*asumidoIngreso, "####,###,##0.00") +
            " debe ser igual o mayor que la Base Imponible  (" + montoMensaje(*baseCalculada, kGrupos) +
            ") no concuerda con Base Imponible " + montoMensaje(*base, kGrupos));

  montoNormalizado(kCausado);
  const std::optional<double> causado = valor(kRImpuestoCausado);
  if (recalculaImpuesto_ && base && causado) {
    const double calculado = vt::conv::NumberByMask(impuestoTabla(f.get(kRAnio), *base), "########0.00");
    if (!gfDentroTolerancia(dDecRedondeo_, calculado, vt::conv::NumberByMask(*causado, "########0.00")))
      b.falla("Impuesto causado " + montoMensaje(*causado, kGrupos) +
              " no concuerda cálculo automático de impuesto " + montoMensaje(calculado, kGrupos));
  }

  const std::optional<double> ingresosOtros = valor(kRIngresosOtros);
  if (montoNormalizado(kOtros)) {
    const double otros = *valor(kRImpuestoOtros);
    if (otros > 0 && ingresosOtros && *ingresosOtros <= 0) {
      b.falla(
          "Ingresos gravados con otros empleadores es 0.00. El Valor del impuesto retenido y asumido por "
          "otros "
          "empleadores " +
          std::string(f.get(kRImpuestoOtros)) + ". Debe ser 0.00 ");
    } else if (otros > 0 && ingresosOtros && otros > *ingresosOtros) {
      b.falla("El Valor del impuesto retenido y asumido por otros empleadores " +
                  std::string(f.get(kRImpuestoOtros)) +
                  ". Debe ser debe ser menor al valor de Ingresos gravados a otros empleadores ",
              f.get(kRIngresosOtros));
    }
  }

  if (montoNormalizado(kAsumido) && asumidoIngreso && *asumidoIngreso > *valor(kRImpuestoAsumido))
    b.falla("Valor del Impuesto Asumido por este empleador " + std::string(f.get(kRImpuestoAsumido)) +
                " NO DEBE SER MENOR al impuesto a la renta asumido por este empleador ",
            f.get(kRImpuestoAsumidoIngreso));
  if (f.inicial(kRBaseImponible) == 0 && f.inicial(kRImpuestoOtros) > f.inicial(kRBaseImponible))
    b.falla("IR asumido por empleador: " + std::string(f.get(kRImpuestoOtros)) +
                " debe ser mayor o igual a Base Imponible: ",
            f.get(kRBaseImponible));

  const std::optional<double> asumido = valor(kRImpuestoAsumido);
  if (montoNormalizado(kRetenido)) {
    // Warnings only: compared as they stand, without tolerance.
    const double retenido = *valor(kRImpuestoRetenido);
    if (causado && asumido && retenido > *causado - *asumido) {
      b.advierte("ADVERTENCIA: Valor Impuesto Retenido (Empleador actual) " +
                 std::string(f.get(kRImpuestoRetenido)) +
                 " es diferente al (IR Causado - Valor impuesto asumido por este empleador) (" +
                 std::string(f.get(kRImpuestoCausado)) + " - " + std::string(f.get(kRImpuestoAsumido)) + ")");
    } else if (base && retenido > *base) {
      b.advierte("ADVERTENCIA: Valor Retenido: " + std::string(f.get(kRImpuestoRetenido)) +
                 " no puede ser mayor que la Base Imponible " + std::string(f.get(kRBaseImponible)));
    }
  }

  if (f.inicial(kRImpuestoCausado) > f.inicial(kRBaseImponible))
    b.falla("IR causado " + montoMensaje(f.get(kRImpuestoCausado), kGrupos) +
            " no puede ser mayor que Base Imponible " + montoMensaje(f.get(kRBaseImponible), kGrupos));

  const std::optional<double> otros = valor(kRImpuestoOtros);
  const std::optional<double> retenido = valor(kRImpuestoRetenido);
  if (causado && otros && asumido && retenido &&
      !gfDentroTolerancia(dDecRedondeo_, vt::conv::NumberByMask(*causado, "########0.00"),
                          vt::conv::NumberByMask(*asumido + *otros + *retenido, "########0.00")))
    b.advierte("ADVERTENCIA: El valor del Impuesto Causado " + std::string(f.get(kRImpuestoCausado)) +
               " debe ser igual a la sumatoria de (Valor Impuesto Asumido y retenido por Otros "
               "empleadores+Valor del "
               "Impuesto asumido <Empleador Actual> + Valor del Impuesto Retenido <Empleador Actual>: (" +
               std::string(f.get(kRImpuestoOtros)) + " + " + std::string(f.get(kRImpuestoAsumido)) + " + " +
               std::string(f.get(kRImpuestoRetenido)) + ")");

  f.set(kRSecuencia, vt::conv::FormatNumberText(f.get(kRSecuencia), "########0"));
  montoFalla(f, kRSecuencia, kSecuencia.etiqueta, kSecuencia.etiqueta, kSecuencia.noNumerico,
             kSecuencia.negativo);

  f.set(kRLibre1, vt::conv::FormatNumberText(f.get(kRLibre1), "#"));
  f.set(kRLibre2, vt::conv::FormatNumberText(f.get(kRLibre2), "#"));
}

}  // namespace valtrone
