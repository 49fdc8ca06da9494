// Purchases, columns 15 to 18: the three bases and the VAT amount.

#include "library/batch/compras.hpp"
#include "library/frame/comprobaciones.hpp"

namespace valtrone {

using vt::conv::AmountCell;
using vt::conv::IsNumericText;
using vt::conv::StrictNumber;

void ComprasRun::basesEIva(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;

  const std::string c15 = f.set(kCBaseNoIva, AmountCell(f.get(kCBaseNoIva)));
  if (!IsNumericText(c15)) b.falla("Base No Aplica IVA debe ser numérico : ", c15);
  const std::string c16 = f.set(kCBaseCero, AmountCell(f.get(kCBaseCero)));
  if (!IsNumericText(c16)) b.falla("Base imponible 0% debe ser numérico : ", c16);
  const std::string c17 = f.set(kCBaseGravada, AmountCell(f.get(kCBaseGravada)));
  const std::optional<double> s17 = StrictNumber(c17);
  if (!s17) {
    b.falla("Base imponible gravada debe ser numérico : ", c17);
  } else if (*s17 < 0) {
    b.falla("Base imponible gravada debe ser mayor a cero: ", c17);
  }

  // A base that is no number leaves no sum to test: the sum of another row is never used.
  const std::optional<double> s15 = StrictNumber(c15), s16 = StrictNumber(c16);
  f.dSumaBases.reset();
  if (s15 && s16 && s17) {
    f.dSumaBases = *s15 + *s16 + *s17;
    if (*f.dSumaBases <= 0) {
      b.falla("Suma de (Base NoIVA + Base 0% + Base Gravada)  debe ser mayor a cero: ",
              vt::conv::FormatNumber(*f.dSumaBases, "########0.00"));
    }
  }

  const std::string c18 = f.set(kCIva, AmountCell(f.get(kCIva)));
  const std::optional<double> s18 = StrictNumber(c18);
  if (!s18) {
    b.falla("Monto de IVA no válido: ", c18);
  } else if (held(s17 ? Condition(*s17 > 0) : std::nullopt) && *s18 <= 0) {
    b.falla("Monto de IVA debe ser mayor a cero ", c18);
  }
  if (held(s17 && s18 ? Condition(*s17 > 0 && *s18 > 0) : std::nullopt)) {
    const double calculado =
        vt::conv::LeadingNumber(c17) * vt::conv::LeadingNumber(std::to_string(object_.iPocIVA)) / 100;
    const std::optional<double> a = StrictNumber(vt::conv::FormatNumber(calculado, "########0.00"));
    const std::optional<double> iva = StrictNumber(vt::conv::FormatNumberText(c18, "########0.00"));
    b.fallaSi(a && iva ? Condition(!gfDentroTolerancia(dDecRedondeo_, *a, *iva)) : std::nullopt,
              "Base Imponible  x  % IVA no concuerda con Monto de IVA: ", c18);
  }
}

}  // namespace valtrone
