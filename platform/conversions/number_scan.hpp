#pragma once
// Internal: allocation-free scanning of number texts, shared by the number conversions and masks.

#include <optional>
#include <string>
#include <string_view>

namespace vt::conv::detail {

// The pieces of a number text; views into the scanned text.
struct NumberSpan {
  bool neg = false;
  std::string_view intDigits;     // may be empty (".5")
  std::string_view fracDigits;    // may be empty ("12", "12.")
  std::string_view unsignedText;  // digits and mark ("." or the regional ","), as in the text
};

// The whole text must be a number (blanks around allowed); nullopt otherwise or beyond double range.
std::optional<NumberSpan> ScanNumber(std::string_view text);
// The number at the start of the text; nullopt when there is no digit.
std::optional<NumberSpan> ScanLeadingNumber(std::string_view text);
// The digits and mark of a span with "." as the mark: the span's own text, or `buffer` holding a
// copy whose regional comma became ".".
std::string_view PointText(const NumberSpan& span, std::string& buffer);
// Value of a scanned span; never a negative zero. Beyond double range gives +-max.
double SpanValue(const NumberSpan& span);
// The powers of ten a double holds exactly, 10^0 to 10^22: dividing an exact integer by one of
// them rounds correctly.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// The double nearest the decimal intDigits.fracDigits (digits only, either may be empty) when one
// division gives it: digits of at most 2^53 as an integer over at most 22 decimals, both exact, so
// the quotient is the correctly rounded value that a full reading gives. nullopt otherwise.
std::optional<double> ShortDecimalValue(std::string_view intDigits, std::string_view fracDigits);
// The same for a whole text "-?digits(.digits?)?" or "-?.digits"; nullopt for any other text.
std::optional<double> ShortDecimalText(std::string_view text);

// A double rounded to 15 significant digits: value = d1.d2...d15 * 10^exponent (d1 != 0 unless zero).
struct Digits15 {
  bool neg = false;
  char digits[15] = {};
  int exponent = 0;
  bool zero = true;
};
Digits15 RoundTo15(double value);
// The same rounding, always written out digit by digit (what a value without a short decimal
// form takes).
Digits15 RoundTo15Written(double value);

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace vt::conv::detail
