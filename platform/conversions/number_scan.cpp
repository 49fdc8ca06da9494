#include "platform/conversions/number_scan.hpp"

#include <atomic>
#include <cfloat>
#include <charconv>
#include <cmath>
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

double SpanValue(const NumberSpan& span) {
  double value = 0;
  std::string buffer;
  const std::string_view text = PointText(span, buffer);
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    // Either too large or too small for a double.
    value = MayOverflow(span) ? DBL_MAX : 0.0;
  }
  if (value == 0) return 0.0;
  return span.neg ? -value : value;
}

Digits15 RoundTo15(double value) {
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

}  // namespace vt::conv::detail
