#include "platform/profile/legacy_integer.hpp"

#include <cmath>
#include <optional>

#include "platform/conversions/conversions.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/errors/muestra_error.hpp"

namespace vt::profile {

long legacyInteger(std::string_view text, long minimum, long maximum) {
  const std::optional<double> value = conv::StrictNumber(text);
  if (!value) Err().Raise(13, gsTituloApp, "No coinciden los tipos");
  const double rounded = std::nearbyint(*value);
  if (!(rounded >= static_cast<double>(minimum) && rounded <= static_cast<double>(maximum))) {
    Err().Raise(6, gsTituloApp, "Desbordamiento");
  }
  return static_cast<long>(rounded);
}

}  // namespace vt::profile
