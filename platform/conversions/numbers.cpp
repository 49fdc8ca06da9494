#include "platform/conversions/conversions.hpp"
#include "platform/conversions/number_scan.hpp"

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
