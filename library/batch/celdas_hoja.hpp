#pragma once
// How the sheet validators read and show their cells: dates in the loader's order and amounts for
// a message line.

#include <optional>
#include <string>
#include <string_view>

#include "platform/conversions/datetime.hpp"

namespace valtrone {

// An amount for a message line: the value written with `mask` (thousands grouping allowed), with
// the separators of the library's regional settings. The text form leaves a cell that is no
// number as it stands.
std::string montoMensaje(double value, std::string_view mask);
std::string montoMensaje(std::string_view cell, std::string_view mask);

// A date cell read in the order of the regional short date (the loader writes date cells with
// it; year-first when the first field has four digits), and its rewrite with `pattern`: the date
// so written, or the text unchanged when it is no date.
struct CeldaFecha {
  std::string texto;
  std::optional<vt::conv::Date> fecha;
};
CeldaFecha leeCeldaFecha(std::string_view text, std::string_view pattern = "dd/mm/yyyy");

}  // namespace valtrone
