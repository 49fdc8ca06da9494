// Purchases, columns 15 to 18: the three bases and the VAT amount.

#include "library/batch/compras.hpp"
#include "library/frame/comprobaciones.hpp"

namespace valtrone {

using vt::conv::AmountCell;
using vt::conv::IsNumericText;
using vt::conv::StrictNumber;

BasesImponibles basesImponibles(FilaCompra& f, long primera, const std::string& prefijo) {
  BloqueErrorRegistro& b = f.bloque;
  const std::string noIva = f.set(primera, AmountCell(f.get(primera)));
  if (!IsNumericText(noIva)) b.falla(prefijo + "Base No Aplica IVA debe ser numérico : ", noIva);
  const std::string cero = f.set(primera + 1, AmountCell(f.get(primera + 1)));
  if (!IsNumericText(cero)) b.falla(prefijo + "Base imponible 0% debe ser numérico : ", cero);
  BasesImponibles bases;
  const std::string& gravada = bases.textoGravada = f.set(primera + 2, AmountCell(f.get(primera + 2)));
  bases.gravada = StrictNumber(gravada);
  if (!bases.gravada) {
    b.falla(prefijo + "Base imponible gravada debe ser numérico : ", gravada);
  } else if (*bases.gravada < 0) {
    b.falla(prefijo + "Base imponible gravada debe ser mayor a cero: ", gravada);
  }

  const std::optional<double> sNoIva = StrictNumber(noIva), sCero = StrictNumber(cero);
  if (sNoIva && sCero && bases.gravada) {
    bases.suma = *sNoIva + *sCero + *bases.gravada;
    if (*bases.suma <= 0) {
      b.falla(prefijo + "Suma de (Base NoIVA + Base 0% + Base Gravada)  debe ser mayor a cero: ",
              vt::conv::FormatNumber(*bases.suma, "########0.00"));
    }
  }
  return bases;
}

void ComprasRun::basesEIva(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;
  const BasesImponibles bases = basesImponibles(f, kCBaseNoIva, "");
  f.dSumaBases = bases.suma;
  const std::optional<double>& s17 = bases.gravada;

  const std::string c18 = f.set(kCIva, AmountCell(f.get(kCIva)));
  const std::optional<double> s18 = StrictNumber(c18);
  if (!s18) {
    b.falla("Monto de IVA no válido: ", c18);
  } else if (held(s17 ? Condition(*s17 > 0) : std::nullopt) && *s18 <= 0) {
    b.falla("Monto de IVA debe ser mayor a cero ", c18);
  }
  if (held(s17 && s18 ? Condition(*s17 > 0 && *s18 > 0) : std::nullopt)) {
    const double calculado = vt::conv::LeadingNumber(bases.textoGravada) * object_.iPocIVA / 100;
    if (!montoConcuerda(dDecRedondeo_, calculado, c18))
      b.falla("Base Imponible  x  % IVA no concuerda con Monto de IVA: ", c18);
  }
}

}  // namespace valtrone
