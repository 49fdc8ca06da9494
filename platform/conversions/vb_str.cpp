// CStr of a double: 15 significant digits, fixed form for 1E-4 <= |v| < 1E15, else "1.5E-05".

#include <charconv>
#include <cmath>

#include "platform/conversions/conversions.hpp"
#include "platform/conversions/number_scan.hpp"

namespace vt::conv {

std::string VbStr(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  const detail::Digits15 r = detail::RoundTo15(value);
  if (r.zero) return "0";

  int significant = 15;
  while (significant > 1 && r.digits[significant - 1] == '0') --significant;
  const std::string_view digits(r.digits, static_cast<size_t>(significant));
  const int e = r.exponent;

  std::string out;
  if (r.neg) out += '-';
  if (e >= -4 && e < 15) {
    if (e < 0) {
      out += "0.";
      out.append(static_cast<size_t>(-e - 1), '0');
      out.append(digits);
    } else if (significant <= e + 1) {
      out.append(digits);
      out.append(static_cast<size_t>(e + 1 - significant), '0');
    } else {
      out.append(digits.substr(0, e + 1));
      out += '.';
      out.append(digits.substr(e + 1));
    }
    return out;
  }
  out += digits[0];
  if (significant > 1) {
    out += '.';
    out.append(digits.substr(1));
  }
  out += e < 0 ? "E-" : "E+";
  const int magnitude = e < 0 ? -e : e;
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
  return out;
}

double RoundTo15Digits(double value) {
  if (!std::isfinite(value)) return value;
  char buf[40];
  const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
  double rounded = 0;
  std::from_chars(buf, end, rounded);
  return rounded == 0 ? 0.0 : rounded;
}

}  // namespace vt::conv
