#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "generated_numbers.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/conversions/number_scan.hpp"

using namespace vt::conv;

namespace {

const char* const kMasks[] = {"0",
                              "00",
                              "000",
                              "0000",
                              "000000",
                              "0000000",
                              "0000000000",
                              "0000000000000",
                              "#",
                              "####0",
                              "########0",
                              "########0.00",
                              "#########0.00",
                              "########0.000",
                              ">",
                              "0.00",
                              "###,###,##0.00",
                              "000000000"};

struct MaskCase {
  const char* text;
  const char* mask;
  const char* expected;
};

TEST(FormatNumberText, Table) {
  const std::string twenty = "12345678901234567890";
  const MaskCase cases[] = {
      {"1", "00", "01"},
      {"-1", "00", "-01"},
      {"0", "00", "00"},
      {"", "00", ""},
      {"", "########0.00", ""},
      {"abc", "00", "abc"},
      {" 5 ", "00", "05"},
      {"+5", "00", "05"},
      {"2.6", "0", "3"},
      {"2.5", "0", "3"},
      {"-2.5", "0", "-3"},
      {"01", "0", "1"},
      {"01-20", "0", "01-20"},
      {"1001", "000000", "001001"},
      {"25", "0000000", "0000025"},
      {"25.5", "0000000", "0000026"},
      {"1234567", "000000", "1234567"},
      {"1710034065", "0000000000000", "0001710034065"},
      {"0001710034065", "0000000000", "1710034065"},
      {"15/03/2014", "00", "15/03/2014"},
      {"0", "#", ""},
      {"007", "#", "7"},
      {"0.4", "#", ""},
      {"-0.4", "#", ""},
      {"12.5", "#", "13"},
      {"-5", "#", "-5"},
      {"P", "#", "P"},
      {"0303", "####0", "303"},
      {"0", "####0", "0"},
      {"2013.6", "########0", "2014"},
      {"12.5", "########0.00", "12.50"},
      {"-5", "########0.00", "-5.00"},
      {"-0.004", "########0.00", "0.00"},
      {"-0.005", "########0.00", "-0.01"},
      {"2.675", "########0.00", "2.68"},
      {"1.005", "########0.00", "1.01"},
      {"9.995", "########0.00", "10.00"},
      {"999.999", "#########0.00", "1000.00"},
      {".5", "########0.00", "0.50"},
      {"12.", "########0.00", "12.00"},
      {"1234567890123", "########0.00", "1234567890123.00"},
      {"0.0175", "########0.000", "0.018"},
      {"1,234.50", "########0.00", "1,234.50"},
      {"12,50", "########0.00", "12,50"},
      {"1E5", "0000000000000", "1E5"},
      {"1234567.891", "###,###,##0.00", "1,234,567.89"},
      {"-1234", "###,###,##0.00", "-1,234.00"},
      {"12", "###,###,##0.00", "12.00"},
      {"0.5", "0.00", "0.50"},
      {"abcñ", ">", "ABCÑ"},
      {"00123", ">", "00123"},
      {"12", "", "12"},
      {"12", "dd/mm/yyyy", "12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumberText(c.text, c.mask), c.expected) << c.text << " | " << c.mask;
  }
  EXPECT_EQ(FormatNumberText(twenty, "0000000000000"), twenty);
  const std::string authorisation(37, '7');
  EXPECT_EQ(FormatNumberText(authorisation, "0000000000"), authorisation);
}

TEST(FormatNumber, DoubleIsWrittenTo15DigitsFirst) {
  const struct {
    double value;
    const char* mask;
    const char* expected;
  } cases[] = {
      {12.005999999999999, "########0.00", "12.01"},
      {0.1 + 0.2, "########0.00", "0.30"},
      {2.675, "########0.00", "2.68"},  // 2.67499999... as a binary double
      {-0.004, "########0.00", "0.00"},
      {-0.0, "########0.00", "0.00"},
      {0, "#", ""},
      {1e20, "0", "100000000000000000000"},
      {1.5e-7, "########0.000", "0.000"},
      {0.0005, "########0.000", "0.001"},
      {-1234.5, "###,###,##0.00", "-1,234.50"},
      {41, "00", "41"},
      {12.5, ">", "12.5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.mask), c.expected) << c.value << " | " << c.mask;
  }
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "0.00"), "NaN");
}

TEST(NumberByMask, TheNumberTheMaskWrites) {
  const struct {
    double value;
    const char* mask;
    double expected;
    const char* why;
  } cases[] = {
      {1.005, "########0.00", 1.01, "a half rounds away from zero on the decimal text"},
      {2.675, "########0.00", 2.68, "not on the binary double, which lies below the half"},
      {17.5, "########0.00", 17.5, "already at the cent"},
      {-0.004, "########0.00", 0, "rounds to zero, never below it"},
      {1.0005, "########0.000", 1.001, "three decimals"},
      {std::numeric_limits<double>::infinity(), "########0.00", std::numeric_limits<double>::infinity(),
       "a value the mask writes as no number stays as it is"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberByMask(c.value, c.mask), c.expected) << c.why;
  EXPECT_FALSE(std::signbit(NumberByMask(-0.004, "########0.00"))) << "no negative zero";
}

TEST(FormatNumberText, EveryMaskIsIdempotent) {
  for (const char* mask : kMasks) {
    for (const std::string& text : GeneratedNumberTexts()) {
      const std::string once = FormatNumberText(text, mask);
      EXPECT_EQ(FormatNumberText(once, mask), once) << text << " | " << mask;
    }
    EXPECT_EQ(BlankToZero(FormatNumberText("", mask)), "0") << mask;
  }
}

// A text of digits alone may be written back as it stands; with a blank after it (which the
// number grammar allows) it takes the whole scan and rounding. Both write the same, and a mask read
// once writes what the mask text writes: digits as wide as the mask pads to, one digit fewer or
// more, leading zeros, a lone zero, past 18 digits and past the range of a double.
TEST(FormatNumberText, DigitsAloneAsTheWholeScanWritesThem) {
  static const char* const kMoreMasks[] = {"#", "0.", "##0", "#0", "000.0", ",##0", ""};
  std::mt19937 random(20261211);
  for (int i = 0; i < 20000; ++i) {
    const std::size_t length = random() % 50 == 0 ? 300 + random() % 200 : random() % 22;
    std::string digits;
    for (std::size_t d = 0; d < length; ++d)
      digits += static_cast<char>('0' + (random() % 3 == 0 ? 0 : random() % 10));
    const char* mask =
        random() % 3 ? kMasks[random() % std::size(kMasks)] : kMoreMasks[random() % std::size(kMoreMasks)];
    const std::string whole = FormatNumberText(digits + " ", mask);
    // The blank stays only where no number was read, and then the text stands as it is.
    const std::string expected = whole == digits + " " ? digits : whole;
    EXPECT_EQ(FormatNumberText(digits, mask), expected) << digits << " | " << mask;
    EXPECT_EQ(FormatWithMask(digits, NumberMask(std::string_view(mask))), expected)
        << digits << " | " << mask;
  }
}

// A number kept as its count of the last place writes what the mask writes; it is kept for every
// numeric text under a mask without grouping, unless its digits before the point and the mask's
// decimals are more than 18 together.
TEST(MaskNumberText, WritesWhatTheMaskWrites) {
  for (const char* mask : kMasks) {
    const NumberMask once{std::string_view(mask)};
    for (const std::string& text : GeneratedNumberTexts()) {
      const std::optional<MaskedNumber> number = MaskNumberText(text, once);
      const std::string written = FormatNumberText(text, mask);
      if (!number) {
        const std::string_view digits = std::string_view(written).substr(written.starts_with('-') ? 1 : 0);
        const std::size_t whole =
            digits.find('.') == std::string_view::npos ? digits.size() : digits.find('.');
        EXPECT_TRUE(once.upper() || once.grouped() || !IsNumericText(text) ||
                    whole + static_cast<std::size_t>(once.decimals()) > 18)
            << text << " | " << mask;
        continue;
      }
      std::string back;
      AppendMaskedNumber(back, *number);
      EXPECT_EQ(back, written) << text << " | " << mask;
    }
  }
}

TEST(RegionalNumberText, SwapsBothSeparatorsInOnePass) {
  struct Case {
    const char* invariant;
    const char* thousands;
    const char* decimal;
    const char* expected;
  };
  const Case cases[] = {
      {"1,234,567.89", ".", ",", "1.234.567,89"},  // swapped, not overwritten in turn
      {"1,234,567.89", ",", ".", "1,234,567.89"},
      {"-1,000.50", "'", ",", "-1'000,50"},
      {"1,000", "", ".", "1000"},  // no grouping at all
      {"12.5", "\xC2\xA0", ",", "12,5"},
      {"1,000.00", "\xC2\xA0", ",",
       "1\xC2\xA0"
       "000,00"},  // a multi-byte separator
      {"", ".", ",", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RegionalNumberText(c.invariant, c.thousands, c.decimal), c.expected) << c.invariant;
  EXPECT_EQ(RegionalNumberText(FormatNumber(1234.5, "###,###,##0.00"), ".", ","), "1.234,50");
}

TEST(VbStr, Table) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {
      {0.1 + 0.2, "0.3"},
      {0, "0"},
      {-0.0, "0"},
      {12.5, "12.5"},
      {30, "30"},
      {12.01, "12.01"},
      {-7.25, "-7.25"},
      {1e15, "1E+15"},
      {999999999999999, "999999999999999"},
      {999999999999999.9, "1E+15"},
      {123456789012345678.0, "1.23456789012346E+17"},
      {0.0001, "0.0001"},
      {0.000015, "1.5E-05"},
      {-0.000015, "-1.5E-05"},
      {1e100, "1E+100"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {100, "100"},
      {1234567.125, "1234567.125"},
  };
  for (const auto& c : cases) EXPECT_EQ(VbStr(c.value), c.expected) << c.expected;
  EXPECT_EQ(VbStr(std::numeric_limits<double>::infinity()), "Infinity");
}

TEST(VbStr, ReadsBackAsNumber) {
  for (double v : {0.1 + 0.2, 12.345, -1e-3, 98765.4321, 1e14 + 0.5}) {
    const auto back = StrictNumber(VbStr(v));
    ASSERT_TRUE(back.has_value()) << v;
    EXPECT_EQ(*back, RoundTo15Digits(v)) << v;
  }
  // The exponent form is not a cell number, but its value is still at hand.
  const double noise = 0.1 + 0.2 - 0.3;
  EXPECT_EQ(VbStr(noise), "5.55111512312578E-17");
  EXPECT_FALSE(StrictNumber(VbStr(noise)).has_value());
  EXPECT_EQ(RoundTo15Digits(noise), 5.55111512312578e-17);
  EXPECT_EQ(RoundTo15Digits(0.1 + 0.2), 0.3);
  EXPECT_FALSE(std::signbit(RoundTo15Digits(-0.0)));
}

}  // namespace

namespace {

std::string Shown(const vt::conv::detail::Digits15& d) {
  return std::string(d.neg ? "-" : "+") + std::string(d.digits, 15) + "e" + std::to_string(d.exponent) +
         (d.zero ? " zero" : "");
}

}  // namespace

// Short decimal forms take a shortcut to their 15 digits; they, values of 16 and 17 digits, the
// edges of the double range and neighbours of a halfway 15th digit must round as when every value
// was written out digit by digit.
TEST(RoundTo15, MatchesTheDigitByDigitRounding) {
  using vt::conv::detail::RoundTo15;
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -1.0,
                                0.1,
                                0.3,
                                0.1 + 0.2,
                                123.45,
                                1e15,
                                1e15 - 1,
                                1e16,
                                9007199254740992.0,
                                9007199254740993.0,
                                999999999999999.0,
                                999999999999999.9,
                                9.99999999999999e22,
                                1.000000000000005,
                                1.0000000000000049,
                                1.0000000000000051,
                                0.1234567890123456,
                                123456789012345.6,
                                DBL_MAX,
                                -DBL_MAX,
                                DBL_MIN,
                                -DBL_MIN,
                                DBL_TRUE_MIN,
                                4.9406564584124654e-324,
                                2.2250738585072009e-308,
                                1e-310,
                                std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()};
  for (int k = -320; k <= 308; ++k) values.push_back(std::pow(10.0, k));
  std::mt19937_64 random(20261211);
  for (int i = 0; i < 200000; ++i) {
    switch (i % 5) {
      case 0: {  // any bit pattern: every exponent, subnormals, NaNs and infinities
        const std::uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        values.push_back(v);
        break;
      }
      case 1: {  // an amount as a sheet holds it: up to 13 whole digits and 2 or 3 decimals
        const long long units = static_cast<long long>(random() % 10000000000000000ULL);
        values.push_back((random() & 1 ? -1.0 : 1.0) * static_cast<double>(units) /
                         (random() & 2 ? 100.0 : 1000.0));
        break;
      }
      case 2: {  // a 15, 16 or 17-digit mantissa at any scale
        const int digits = 15 + static_cast<int>(random() % 3);
        std::string text = std::to_string(1 + random() % 9);
        for (int d = 1; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
        text += "e" + std::to_string(static_cast<int>(random() % 600) - 300);
        values.push_back(std::strtod(text.c_str(), nullptr));
        break;
      }
      case 3: {  // next to a halfway 15th digit, one bit either side
        std::string text = std::to_string(1 + random() % 9) + ".";
        for (int d = 1; d < 14; ++d) text += static_cast<char>('0' + random() % 10);
        text += "5e" + std::to_string(static_cast<int>(random() % 40) - 20);
        const double half = std::strtod(text.c_str(), nullptr);
        values.insert(values.end(), {half, std::nextafter(half, 0.0), std::nextafter(half, DBL_MAX)});
        break;
      }
      default: {  // the last bits of a short form and of a neighbour of a power of ten
        const double base = std::pow(10.0, static_cast<int>(random() % 40) - 20);
        values.insert(values.end(), {std::nextafter(base, 0.0), std::nextafter(base, DBL_MAX),
                                     std::nextafter(static_cast<double>(random() % 100000) / 100, DBL_MAX)});
      }
    }
  }
  for (double v : values) {
    ASSERT_EQ(Shown(RoundTo15(v)), Shown(vt::conv::detail::RoundTo15Written(v))) << std::hexfloat << v;
  }
}

// A short decimal is read by one division; whatever it takes must be the very double, sign of zero
// included, that a full reading gives, and what it leaves must be left to that reading. The texts
// run at and past each limit: 2^53 as an integer, 22 decimals, 15 to 19 digits, leading zeros.
TEST(ShortDecimal, ReadsAsTheFullReadingDoes) {
  using vt::conv::detail::ShortDecimalText;
  const auto full = [](const std::string& text) -> std::optional<double> {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
  };
  std::vector<std::string> texts = {"0",
                                    "-0",
                                    "0.0",
                                    "-0.000",
                                    ".5",
                                    "-.5",
                                    "5.",
                                    "-5.",
                                    ".",
                                    "-",
                                    "",
                                    "+5",
                                    "1e5",
                                    "1.5E-3",
                                    "inf",
                                    "nan",
                                    " 5",
                                    "5 ",
                                    "1..2",
                                    "9007199254740992",
                                    "9007199254740993",
                                    "9007199254740991",
                                    "90071992547409.92",
                                    "0.9007199254740993",
                                    "18446744073709551616",
                                    "0.1234567890123456789012",
                                    "0.12345678901234567890123",
                                    "1.0000000000000000000000",
                                    "1.00000000000000000000000",
                                    "000000000000000000000000001.5",
                                    "123456789012345.67",
                                    "0.30000000000000004",
                                    "12345.675"};
  std::mt19937_64 random(20261211);
  const auto digits = [&](int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += static_cast<char>('0' + random() % 10);
    return s;
  };
  for (int i = 0; i < 200000; ++i) {
    std::string text = random() % 4 == 0 ? "-" : "";
    const int whole = static_cast<int>(random() % 21);
    const int decimals = static_cast<int>(random() % 26);
    if (random() % 8 == 0) text += std::string(random() % 6, '0');
    text += digits(whole);
    if (decimals > 0 || random() % 3 == 0) text += '.' + digits(decimals);
    texts.push_back(text);
  }
  std::size_t taken = 0;
  for (const std::string& text : texts) {
    const std::optional<double> shortValue = ShortDecimalText(text);
    if (!shortValue) continue;
    ++taken;
    const std::optional<double> expected = full(text);
    ASSERT_TRUE(expected) << text;
    ASSERT_EQ(std::signbit(*shortValue), std::signbit(*expected)) << text;
    ASSERT_EQ(*shortValue, *expected) << text;
  }
  // The shortcut must not be a test of nothing: most of the generated texts are short enough.
  EXPECT_GT(taken, texts.size() / 4);
  for (const char* text : {"9007199254740993", "0.12345678901234567890123", "1e5", "+5", "-", ".", ""})
    EXPECT_FALSE(ShortDecimalText(text)) << text;
  EXPECT_TRUE(ShortDecimalText("9007199254740992"));
}
