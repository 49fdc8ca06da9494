// The primitives both kinds of validator share.

#include "library/frame/condiciones.hpp"

#include "library/frame/errores.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

bool identidadValida(const std::string& id, const std::string& tipo, IdentityRules rules) {
  std::string numero = vt::conv::FormatNumberText(id, tipo == "C" ? "0000000000" : "0000000000000");
  try {
    return checkIdentityNumber(numero, tipo, rules) == kRucValido;
  } catch (...) {
    noteCurrentError();
    return false;
  }
}

bool rangoInvertido(std::string_view inicial, std::string_view final) {
  // As texts, "12345678" would not be above "9999999", nor 10 above 9.
  if (vt::conv::IsNumericText(inicial) && vt::conv::IsNumericText(final))
    return vt::conv::LeadingNumber(inicial) > vt::conv::LeadingNumber(final);
  return inicial > final;
}

}  // namespace valtrone
