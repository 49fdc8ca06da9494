#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>

#include "generated_numbers.hpp"
#include "platform/conversions/conversions.hpp"

using namespace vt::conv;

namespace {

struct StrictCase {
  const char* text;
  std::optional<double> value;
};

TEST(StrictNumber, Table) {
  const StrictCase cases[] = {
      {"12", 12},
      {" 12 ", 12},
      {"+12", 12},
      {"-1", -1},
      {"12.", 12},
      {".5", 0.5},
      {"0012", 12},
      {"\t7\t", 7},
      {"-0", 0},
      {"2.675", 2.675},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"12,50", std::nullopt},
      {"1,234.5", std::nullopt},
      {"1,2,3", std::nullopt},
      {"1E5", std::nullopt},
      {"1D2", std::nullopt},
      {"&H1F", std::nullopt},
      {"(5)", std::nullopt},
      {"5-", std::nullopt},
      {"$5", std::nullopt},
      {"12x", std::nullopt},
      {"x12", std::nullopt},
      {"01-20", std::nullopt},
      {"1 000", std::nullopt},
      {"12.5.3", std::nullopt},
      {"15/03/2014", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"- 1", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(StrictNumber(c.text), c.value);
    EXPECT_EQ(IsNumericText(c.text), c.value.has_value());
  }
}

TEST(StrictNumber, NeverNegativeZero) {
  for (const char* text : {"-0", "-0.000", "-.0"}) {
    const auto v = StrictNumber(text);
    ASSERT_TRUE(v.has_value()) << text;
    EXPECT_FALSE(std::signbit(*v)) << text;
  }
}

TEST(StrictNumber, BeyondDoubleRangeIsNotNumeric) {
  const std::string huge = std::string(400, '9');
  EXPECT_FALSE(IsNumericText(huge));
  EXPECT_FALSE(IsNumericText("-" + huge + ".5"));
  // Leading zeros do not count towards the magnitude.
  EXPECT_EQ(StrictNumber(std::string(400, '0') + "1"), 1.0);
  // A vanishing fraction is still a number.
  EXPECT_EQ(StrictNumber("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(LeadingNumber(huge + "AB"), DBL_MAX);
}

TEST(ParseNumber, KeepsEveryDigit) {
  const auto d = ParseNumber(" -0012345678901234567890.50 ");
  ASSERT_TRUE(d.has_value());
  EXPECT_TRUE(d->neg);
  EXPECT_EQ(d->digits, "001234567890123456789050");
  EXPECT_EQ(d->scale, 2);
  EXPECT_FALSE(ParseNumber("12,50").has_value());
}

TEST(LeadingNumber, Table) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"12AB", 12},   {"AB", 0},  {"", 0},    {"0000025", 25}, {"x12", 0},   {"12x", 12}, {"-5", -5},
      {"1.5.3", 1.5}, {" 7 ", 7}, {"1,5", 1}, {"1E3", 1},      {"1 000", 1}, {"&H10", 0}, {"\t-.5x", -0.5},
      {"+", 0},       {"-x", 0},  {"--5", 0}, {".", 0},        {"12.", 12},  {"-0", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(LeadingNumber(c.text), c.value);
    if (c.value == 0) {
      EXPECT_FALSE(std::signbit(LeadingNumber(c.text)));
    }
  }
}

TEST(NumberProperties, NumericTextHasTheSameLeadingAndStrictValue) {
  for (const std::string& text : GeneratedNumberTexts()) {
    if (!IsNumericText(text)) continue;
    EXPECT_EQ(LeadingNumber(text), *StrictNumber(text)) << text;
  }
}

TEST(BlankToZero, Table) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {{"", "0"}, {"  ", "0"}, {" 5 ", " 5 "}, {"\t", "\t"}, {"abc", "abc"}};
  for (const auto& c : cases) EXPECT_EQ(BlankToZero(c.text), c.expected) << c.text;
}

TEST(WithinTolerance, Table) {
  const struct {
    double tolerance, a, b;
    bool within;
  } cases[] = {
      {0.01, 10.01, 10, true}, {0.01, 10, 10.01, true}, {0.01, 10.011, 10, false},
      {0, 10.0004, 10, true},  {0, 10.001, 10, false},  {0.01, 12.01, 12, true},
      {0, 5, 5, true},         {-1, 5, 5, true},        {-1, 5.01, 5, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithinTolerance(c.tolerance, c.a, c.b), c.within) << c.tolerance << " " << c.a << " " << c.b;
  }
}

TEST(CellRewrites, BlankRuleAfterTheMask) {
  EXPECT_EQ(AmountCell(""), "0");
  EXPECT_EQ(AmountCell("   "), "0");
  EXPECT_EQ(AmountCell("12.5"), "12.50");
  EXPECT_EQ(AmountCell("12,50"), "12,50");
  EXPECT_EQ(CodeCellZ("", "####0"), "0");
  EXPECT_EQ(CodeCellZ("0", "#"), "0");  // "#" writes zero as "", the blank rule turns it into "0"
  EXPECT_EQ(CodeCellZ("0303", "####0"), "303");
  EXPECT_EQ(DateCell("5/3/2014"), "05/03/2014");
  EXPECT_EQ(DateCell(""), "");
}

}  // namespace
