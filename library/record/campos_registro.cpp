// How the record validators read their fields.

#include "library/record/campos_registro.hpp"

#include "platform/conversions/conversions.hpp"

namespace valtrone {

std::optional<double> numeroDe(const Campo& campo) {
  return campo ? vt::conv::StrictNumber(*campo) : std::nullopt;
}
std::optional<double> inicialDe(const Campo& campo) {
  return campo ? std::optional<double>(vt::conv::LeadingNumber(*campo)) : std::nullopt;
}
std::optional<vt::conv::Date> fechaDe(const Campo& campo) {
  return campo ? vt::conv::ParseDate(*campo) : std::nullopt;
}

bool esCero(const std::string& s) { return vt::conv::LeadingNumber(s) == 0; }
bool noNumerico(const std::string& s) { return !vt::conv::IsNumericText(s); }

Campo une(std::initializer_list<Campo> partes) {
  std::string texto;
  for (const Campo& parte : partes) {
    if (!parte) return std::nullopt;
    texto += *parte;
  }
  return texto;
}

std::optional<double> anioEstricto(const std::string& nu_anio) { return vt::conv::StrictNumber(nu_anio); }

bool fueraDeSN(const std::string& estado) {
  return std::string_view("SN").find(estado) == std::string_view::npos;
}

}  // namespace valtrone
