// Format with the number masks: exact decimal rounding on the digits of the text.

#include <algorithm>
#include <cmath>

#include "platform/conversions/conversions.hpp"
#include "platform/conversions/number_scan.hpp"

namespace vt::conv {
namespace {

// Adds one unit in the last place of a digit string.
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

std::string FormatDigits(bool neg, std::string_view intDigits, std::string_view fracDigits,
                         const NumberMask& mask) {
  const size_t nonZero = intDigits.find_first_not_of('0');
  intDigits = nonZero == std::string_view::npos ? std::string_view() : intDigits.substr(nonZero);
  const size_t n = static_cast<size_t>(mask.decimals());

  // The value scaled by 10^n, rounded half away from zero.
  std::string scaled;
  scaled.reserve(intDigits.size() + n + 1);
  scaled.append(intDigits);
  if (fracDigits.size() <= n) {
    scaled.append(fracDigits);
    scaled.append(n - fracDigits.size(), '0');
  } else {
    scaled.append(fracDigits.substr(0, n));
    if (fracDigits[n] >= '5') Increment(scaled);
  }
  const bool zero = scaled.find_first_not_of('0') == std::string::npos;

  std::string_view intPart(scaled.data(), scaled.size() - n);
  const std::string_view fracPart(scaled.data() + intPart.size(), n);
  const size_t firstSignificant = intPart.find_first_not_of('0');
  intPart =
      firstSignificant == std::string_view::npos ? std::string_view() : intPart.substr(firstSignificant);
  const size_t padding =
      intPart.size() < static_cast<size_t>(mask.minIntDigits()) ? mask.minIntDigits() - intPart.size() : 0;
  const size_t intWidth = intPart.size() + padding;

  std::string out;
  out.reserve(intWidth + intWidth / 3 + n + 2);
  if (neg && !zero) out += '-';
  for (size_t i = 0; i < intWidth; ++i) {
    if (mask.grouped() && i > 0 && (intWidth - i) % 3 == 0) out += ',';
    out += i < padding ? '0' : intPart[i - padding];
  }
  if (n > 0) {
    out += '.';
    out.append(fracPart);
  }
  return out;
}

}  // namespace

std::string FormatNumberText(std::string_view text, std::string_view mask) {
  return FormatWithMask(text, NumberMask(mask));
}

std::string FormatWithMask(std::string_view text, const NumberMask& mask) {
  if (mask.upper()) return Upper(text);
  if (!mask.number()) return std::string(text);
  // Digits alone that the mask writes back as they stand: as wide as it pads to, or wider without
  // a leading zero (a cell the validator already wrote with its mask).
  const size_t minInt = static_cast<size_t>(mask.minIntDigits());
  if (mask.decimals() == 0 && !mask.grouped() && !text.empty() &&
      (text.size() == minInt || (text.size() > minInt && text.front() != '0')) &&
      std::all_of(text.begin(), text.end(), detail::IsDigit))
    return std::string(text);
  const auto span = detail::ScanNumber(text);
  if (!span) return std::string(text);
  return FormatDigits(span->neg, span->intDigits, span->fracDigits, mask);
}

std::optional<MaskedNumber> MaskNumberText(std::string_view text, const NumberMask& mask) {
  if (mask.upper() || !mask.number() || mask.grouped()) return std::nullopt;
  const auto span = detail::ScanNumber(text);
  if (!span) return std::nullopt;
  std::string_view intDigits = span->intDigits;
  const size_t nonZero = intDigits.find_first_not_of('0');
  intDigits = nonZero == std::string_view::npos ? std::string_view() : intDigits.substr(nonZero);
  const size_t n = static_cast<size_t>(mask.decimals());
  // 18 digits and one more from the rounding stay below 2^64.
  if (intDigits.size() + n > 18) return std::nullopt;
  MaskedNumber out;
  out.decimals = mask.decimals();
  out.minIntDigits = mask.minIntDigits();
  for (const char c : intDigits) out.magnitude = out.magnitude * 10 + static_cast<unsigned>(c - '0');
  const std::string_view frac = span->fracDigits;
  for (size_t i = 0; i < n; ++i)
    out.magnitude = out.magnitude * 10 + (i < frac.size() ? static_cast<unsigned>(frac[i] - '0') : 0U);
  if (frac.size() > n && frac[n] >= '5') ++out.magnitude;
  out.negative = span->neg && out.magnitude != 0;
  return out;
}

void AppendMaskedNumber(std::string& out, const MaskedNumber& number) {
  char digits[24];
  size_t count = 0;
  for (std::uint64_t rest = number.magnitude; rest != 0; rest /= 10)
    digits[count++] = static_cast<char>('0' + rest % 10);
  // digits holds the magnitude backwards, without leading zeros (none at all for zero).
  const size_t n = static_cast<size_t>(number.decimals);
  const size_t intCount = count > n ? count - n : 0;
  const size_t minInt = static_cast<size_t>(number.minIntDigits);
  if (number.negative) out += '-';
  if (intCount < minInt) out.append(minInt - intCount, '0');
  for (size_t i = count; i > n; --i) out += digits[i - 1];
  if (n == 0) return;
  out += '.';
  for (size_t i = n; i > 0; --i) out += i <= count ? digits[i - 1] : '0';
}

double NumberByMask(double value, std::string_view mask) {
  return StrictNumber(FormatNumber(value, mask)).value_or(value);
}

std::string FormatNumber(double value, std::string_view mask) {
  const NumberMask m(mask);
  if (m.upper() || !m.number() || !std::isfinite(value)) return FormatWithMask(VbStr(value), m);
  const detail::Digits15 r = detail::RoundTo15(value);
  if (r.zero) return FormatDigits(false, {}, {}, m);

  // Lay the 15 digits out around the point.
  const std::string_view digits(r.digits, 15);
  const int intCount = r.exponent + 1;
  std::string buf;
  std::string_view intDigits, fracDigits;
  if (intCount >= 15) {
    buf.assign(digits).append(static_cast<size_t>(intCount - 15), '0');
    intDigits = buf;
  } else if (intCount > 0) {
    intDigits = digits.substr(0, intCount);
    fracDigits = digits.substr(intCount);
  } else {
    buf.assign(static_cast<size_t>(-intCount), '0').append(digits);
    fracDigits = buf;
  }
  return FormatDigits(r.neg, intDigits, fracDigits, m);
}

std::string RegionalNumberText(std::string_view invariant, std::string_view thousands,
                               std::string_view decimal) {
  std::string out;
  out.reserve(invariant.size() + 4);
  for (const char c : invariant) {
    if (c == ',')
      out.append(thousands);
    else if (c == '.')
      out.append(decimal);
    else
      out += c;
  }
  return out;
}

}  // namespace vt::conv
