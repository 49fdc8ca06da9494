#pragma once
// How the record validators read their fields: a field may be missing (the array is short), and a
// test on a missing or unreadable field is unknown, which counts as met.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "library/frame/condiciones.hpp"
#include "platform/conversions/datetime.hpp"

namespace valtrone {

// A field's text, or nullopt when the record holds no such field.
using Campo = std::optional<std::string>;

// The test `prueba` on a field; unknown when the field is missing.
template <class Prueba>
Condition sobre(const Campo& campo, Prueba prueba) {
  if (!campo) return std::nullopt;
  return Condition(prueba(*campo));
}

// A field read as a strict number, as its leading number, or as a date; missing when the field is,
// and (strict number, date) when its text is none.
std::optional<double> numeroDe(const Campo& campo);
std::optional<double> inicialDe(const Campo& campo);
std::optional<vt::conv::Date> fechaDe(const Campo& campo);

// The readings most checks test: the leading number is 0; the whole text is no number.
bool esCero(const std::string& s);
bool noNumerico(const std::string& s);

// The pieces joined into one text; missing when one of them is.
Campo une(std::initializer_list<Campo> partes);

// The test on a date field, unknown when the field is no date.
template <class Prueba>
Condition sobreFecha(const std::optional<vt::conv::Date>& fecha, Prueba prueba) {
  if (!fecha) return std::nullopt;
  return Condition(prueba(*fecha));
}

// The year of the object read strictly: missing when `nu_anio` is no number.
std::optional<double> anioEstricto(const std::string& nu_anio);

// A state field that is not part of "SN": "S", "N", "SN" and the empty text are accepted.
bool fueraDeSN(const std::string& estado);

}  // namespace valtrone
