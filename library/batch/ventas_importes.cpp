// Sales, columns 8 to 14: the voucher count, the three bases and their sum, the VAT amount against
// the taxed base, and the two withholdings of the client.

#include "library/batch/ventas.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::StrictNumber;

namespace {

constexpr std::string_view kDosDecimales = "########0.00";

}  // namespace

void VentasRun::importes(FilaVenta& f) {
  BloqueErrorRegistro& b = f.bloque;
  const std::string iva = std::to_string(object_.iPocIVA);

  const std::string c8 = f.set(kVCantidad, FormatNumberText(f.get(kVCantidad), "########0"));
  if (!IsNumericText(c8)) {
    b.falla("Cantidad de comprobantes al mes debe ser numerico ", c8);
  } else if (!retencionesAnteriores_ && *StrictNumber(c8) <= 0) {
    b.falla("Cantidad de comprobantes al mes debe ser mayor a cero: ", c8);
  }

  struct Base {
    long col;
    std::string noNumerica;
    std::string negativa;
  };
  const Base bases[] = {
      {kVBaseNoIva, "Base No IVA debe ser numerico: ", "Base No IVA debe ser mayor o igual a cero: "},
      {kVBaseCero, "Base imponible 0% debe ser numerico: ", "Base imponible 0% debe ser mayor o igual a cero: "},
      {kVBaseGravada, "Base imponible gravada (" + iva + ") debe ser numerico: ",
       "Base imponible gravada (" + iva + ") debe ser mayor o igual a cero: "},
  };
  std::optional<double> suma = 0.0;
  std::optional<double> gravada;
  for (const Base& base : bases) {
    const std::string texto = f.set(base.col, FormatNumberText(f.get(base.col), kDosDecimales));
    const std::optional<double> valor = StrictNumber(texto);
    if (!valor) {
      b.falla(base.noNumerica, texto);
    } else if (*valor < 0) {
      b.falla(base.negativa, texto);
    }
    suma = suma && valor ? std::optional<double>(*suma + *valor) : std::nullopt;
    if (base.col == kVBaseGravada) gravada = valor;
  }
  f.dSumaBases = suma;
  if (!retencionesAnteriores_ && suma && *suma <= 0)
    b.falla("Suma de (Base 0% + Base No IVA+ Base Gravada)  debe ser mayor a cero: ", vt::conv::VbStr(*suma));

  const std::string c11(f.get(kVBaseGravada));
  const std::string c12 = f.set(kVIva, FormatNumberText(f.get(kVIva), kDosDecimales));
  const std::optional<double> monto = StrictNumber(c12);
  // A taxed base that is no number cannot rule the VAT checks out: they run, against a computed
  // VAT of 0.
  if (!monto) {
    b.falla("Monto de IVA no válido: ", c12);
  } else if (held(gravada ? Condition(*gravada > 0) : std::nullopt) && *monto <= 0) {
    b.falla("Monto de IVA " + c12 + " debe ser mayor a cero ");
  }
  if (held(gravada && monto ? Condition(*gravada > 0 && *monto > 0) : std::nullopt)) {
    const double calculado = gravada ? *gravada * object_.iPocIVA / 100 : 0.0;
    if (!montoConcuerda(dDecRedondeo_, calculado, c12))
      b.falla("Base Imponible " + c11 + " x  (" + iva + ") % IVA no concuerda con Monto de IVA ", c12);
  }

  const std::string c13 = f.set(kVRetIva, FormatNumberText(f.get(kVRetIva), kDosDecimales));
  if (!IsNumericText(c13)) b.falla("Monto retención IVA " + c13 + " no valido ");
  const std::string c14 = f.set(kVRetRenta, FormatNumberText(f.get(kVRetRenta), kDosDecimales));
  if (!IsNumericText(c14)) b.falla("Monto retencion IR " + c14 + " no valido ");
}

}  // namespace valtrone
