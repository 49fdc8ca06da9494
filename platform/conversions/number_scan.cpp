#include "platform/conversions/number_scan.hpp"

#include <atomic>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/conversions/conversions.hpp"

namespace vt::conv {
namespace {

std::atomic<DecimalSeparatorSource> decimalSeparatorSource{nullptr};

}  // namespace

void SetDecimalSeparatorSource(DecimalSeparatorSource source) {
  decimalSeparatorSource.store(source, std::memory_order_release);
}

bool RegionalDecimalComma() {
  const DecimalSeparatorSource source = decimalSeparatorSource.load(std::memory_order_acquire);
  return source != nullptr && source() == ",";
}

}  // namespace vt::conv

namespace vt::conv::detail {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads "sign? digits (mark digits?)? | sign? mark digits" at pos, where the mark is "." or, under
// a regional decimal comma, ","; pos moves past it.
std::optional<NumberSpan> ScanAt(std::string_view text, size_t& pos) {
  NumberSpan span;
  size_t i = pos;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    span.neg = text[i] == '-';
    ++i;
  }
  const size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  span.intDigits = text.substr(start, i - start);
  // The regional separator is asked for only when a comma stands where a mark may: most texts
  // have none, and the scan runs for every cell.
  if (i < text.size() && (text[i] == '.' || (text[i] == ',' && RegionalDecimalComma()))) {
    const size_t fracStart = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    span.fracDigits = text.substr(fracStart, i - fracStart);
  }
  if (span.intDigits.empty() && span.fracDigits.empty()) return std::nullopt;
  span.unsignedText = text.substr(start, i - start);
  pos = i;
  return span;
}

// More than 308 significant integer digits may exceed the range of a double.
bool MayOverflow(const NumberSpan& span) {
  const size_t first = span.intDigits.find_first_not_of('0');
  return first != std::string_view::npos && span.intDigits.size() - first >= 309;
}

}  // namespace

std::optional<NumberSpan> ScanNumber(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  auto span = ScanAt(text, pos);
  if (!span) return std::nullopt;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos != text.size()) return std::nullopt;
  if (MayOverflow(*span)) {
    double v = 0;
    const char* first = span->unsignedText.data();
    if (std::from_chars(first, first + span->unsignedText.size(), v).ec == std::errc::result_out_of_range)
      return std::nullopt;
  }
  return span;
}

std::optional<NumberSpan> ScanLeadingNumber(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return ScanAt(text, pos);
}

std::string_view PointText(const NumberSpan& span, std::string& buffer) {
  if (span.intDigits.size() == span.unsignedText.size() || span.unsignedText[span.intDigits.size()] == '.')
    return span.unsignedText;
  buffer.assign(span.unsignedText);
  buffer[span.intDigits.size()] = '.';
  return buffer;
}

std::optional<double> ShortDecimalValue(std::string_view intDigits, std::string_view fracDigits) {
  constexpr std::uint64_t kExact = std::uint64_t{1} << 53;
  if (fracDigits.size() >= std::size(kExactPowersOfTen)) return std::nullopt;
  std::uint64_t digits = 0;
  for (std::string_view part : {intDigits, fracDigits}) {
    for (char c : part) {
      digits = digits * 10 + static_cast<unsigned>(c - '0');
      if (digits > kExact) return std::nullopt;
    }
  }
  return static_cast<double>(digits) / kExactPowersOfTen[fracDigits.size()];
}

std::optional<double> ShortDecimalText(std::string_view text) {
  const bool neg = !text.empty() && text.front() == '-';
  if (neg) text.remove_prefix(1);
  std::size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::string_view intDigits = text.substr(0, i);
  std::string_view fracDigits;
  if (i < text.size() && text[i] == '.') {
    const std::size_t first = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    fracDigits = text.substr(first, i - first);
  }
  if (i != text.size() || (intDigits.empty() && fracDigits.empty())) return std::nullopt;
  const std::optional<double> value = ShortDecimalValue(intDigits, fracDigits);
  if (!value) return std::nullopt;
  return neg ? -*value : *value;
}

double SpanValue(const NumberSpan& span) {
  double value = 0;
  // Most numbers a sheet holds are short decimals; only the others are read digit by digit.
  if (const std::optional<double> shortValue = ShortDecimalValue(span.intDigits, span.fracDigits)) {
    value = *shortValue;
  } else {
    std::string buffer;
    const std::string_view text = PointText(span, buffer);
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
      // Either too large or too small for a double.
      value = MayOverflow(span) ? DBL_MAX : 0.0;
    }
  }
  if (value == 0) return 0.0;
  return span.neg ? -value : value;
}

Digits15 RoundTo15Written(double value) {
  Digits15 out;
  if (value == 0 || !std::isfinite(value)) return out;
  char buf[40];
  // d.dddddddddddddde+XX
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  const char* p = buf;
  if (*p == '-') {
    out.neg = true;
    ++p;
  }
  out.digits[0] = *p++;
  ++p;  // the point
  for (int i = 1; i < 15; ++i) out.digits[i] = *p++;
  ++p;  // 'e'
  if (*p == '+') ++p;
  std::from_chars(p, res.ptr, out.exponent);
  out.zero = false;
  return out;
}

Digits15 RoundTo15(double value) {
  if (value == 0 || !std::isfinite(value)) return Digits15{};
  // Most values a sheet or a store holds are a short decimal: 123.45 is the double nearest it.
  // When the 15-digit integer m nearest value * 10^k gives value back as m / 10^k (both exact
  // or correctly rounded for k <= 22), the decimal m * 10^-k lies within half a unit of the
  // double's last bit (at most 2^-53 of it), while 15-digit decimals are at least 1e-15 of it
  // apart: it is the 15-digit rounding, found without writing the double out digit by digit.
  static constexpr double kPow10Neg[] = {1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7};
  const double a = std::fabs(value);
  if (a >= 1e-7 && a < 1e15) {
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int e2 = static_cast<int>(bits >> 52) - 1023;  // a lies in [2^e2, 2^(e2+1))
    // floor(e2 * log10(2)): floor(log10(a)) or one less.
    int e10 = (e2 * 1233) >> 12;
    if (e10 + 1 >= 0 ? a >= kExactPowersOfTen[e10 + 1] : a >= kPow10Neg[-(e10 + 1)]) ++e10;
    const int k = 14 - e10;
    if (k >= 0 && k <= 22) {
      // Adding and taking away 2^52 rounds a product under 2^52 to the nearest integer.
      const double m = (a * kExactPowersOfTen[k] + 0x1p52) - 0x1p52;
      if (m >= 1e14 && m < 1e15 && m / kExactPowersOfTen[k] == a) {
        Digits15 out;
        out.neg = value < 0;
        std::to_chars(out.digits, out.digits + 15, static_cast<long long>(m));
        out.exponent = e10;
        out.zero = false;
        return out;
      }
    }
  }
  return RoundTo15Written(value);
}

}  // namespace vt::conv::detail
