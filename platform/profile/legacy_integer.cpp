#include "platform/profile/legacy_integer.hpp"

#include <cmath>
#include <optional>

#include "platform/conversions/conversions.hpp"
#include "platform/errors/runtime_errors.hpp"

namespace vt::profile {

long legacyInteger(std::string_view text, long minimum, long maximum, const std::string& source) {
  const std::optional<double> value = conv::StrictNumber(text);
  if (!value) raiseRuntimeError(kErrTypeMismatch, source);
  const double rounded = std::nearbyint(*value);
  if (!(rounded >= static_cast<double>(minimum) && rounded <= static_cast<double>(maximum))) {
    raiseRuntimeError(kErrOverflow, source);
  }
  return static_cast<long>(rounded);
}

}  // namespace vt::profile
