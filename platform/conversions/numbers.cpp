#include "platform/conversions/conversions.hpp"
#include "platform/conversions/number_scan.hpp"

#include <charconv>

namespace vt::conv {

std::optional<Decimal> ParseNumber(std::string_view text) {
  const auto span = detail::ScanNumber(text);
  if (!span) return std::nullopt;
  Decimal d;
  d.neg = span->neg;
  d.digits.reserve(span->intDigits.size() + span->fracDigits.size());
  d.digits.append(span->intDigits).append(span->fracDigits);
  d.scale = static_cast<int>(span->fracDigits.size());
  return d;
}

bool IsNumericText(std::string_view text) { return detail::ScanNumber(text).has_value(); }

std::optional<double> StrictNumber(std::string_view text) {
  const auto span = detail::ScanNumber(text);
  if (!span) return std::nullopt;
  return detail::SpanValue(*span);
}

std::optional<double> NumberWithExponent(std::string_view text) {
  if (auto plain = StrictNumber(text)) return plain;
  // mantissa [eE] sign? digits, blanks around: "1.5e9", " -2E-3 ".
  const size_t e = text.find_first_of("eE");
  if (e == std::string_view::npos) return std::nullopt;
  const auto mantissa = detail::ScanNumber(text.substr(0, e));
  if (!mantissa || e == 0 || text[e - 1] == ' ' || text[e - 1] == '\t') return std::nullopt;
  std::string_view rest = text.substr(e + 1);
  const size_t end = rest.find_last_not_of(" \t");
  if (end == std::string_view::npos) return std::nullopt;
  rest = rest.substr(0, end + 1);
  size_t i = rest[0] == '+' || rest[0] == '-' ? 1 : 0;
  if (i == rest.size()) return std::nullopt;
  for (size_t k = i; k < rest.size(); ++k)
    if (!detail::IsDigit(rest[k])) return std::nullopt;
  std::string buffer;
  std::string number(detail::PointText(*mantissa, buffer));
  number += 'e';
  number.append(rest);
  double value = 0;
  const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large overflows as CDbl does; too small is zero.
    if (rest[0] != '-') return std::nullopt;
    value = 0;
  } else if (res.ptr != number.data() + number.size()) {
    return std::nullopt;
  }
  if (value == 0) return 0.0;
  return mantissa->neg ? -value : value;
}

double LeadingNumber(std::string_view text) {
  const auto span = detail::ScanLeadingNumber(text);
  return span ? detail::SpanValue(*span) : 0.0;
}

std::string BlankToZero(std::string_view text) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return "0";
  return std::string(text);
}

bool WithinTolerance(double tolerance, double a, double b) {
  const auto d = StrictNumber(FormatNumber(a - b, "########0.000"));
  if (!d) return false;  // a difference that is not a number is never within tolerance
  if (tolerance > 0) return -tolerance <= *d && *d <= tolerance;
  return *d == 0;
}

}  // namespace vt::conv
