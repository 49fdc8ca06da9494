// Number texts under the two regional decimal separators: a sheet saved under Ecuadorian settings
// writes "1,50", one saved under "." settings "1.50"; neither has a grouping separator.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/conversions/conversions.hpp"

using namespace vt::conv;

namespace {

// The regional decimal separator for the life of the object.
class RegionalDecimal {
 public:
  explicit RegionalDecimal(std::string_view separator) {
    separator_ = separator;
    SetDecimalSeparatorSource([]() -> std::string_view { return separator_; });
  }
  ~RegionalDecimal() { SetDecimalSeparatorSource(nullptr); }

 private:
  static inline std::string_view separator_;
};

struct MarkCase {
  const char* text;
  std::optional<double> point;  // under "." settings
  std::optional<double> comma;  // under "," settings
  const char* why;
};

const MarkCase kCases[] = {
    {"1.50", 1.5, 1.5, "the point is a decimal mark under both settings, never grouping (never 150)"},
    {"1,50", std::nullopt, 1.5, "the comma is a decimal mark only under comma settings"},
    {"1.234,56", std::nullopt, std::nullopt, "grouping with points is never read"},
    {"1,234.56", std::nullopt, std::nullopt, "grouping with commas is never read"},
    {"1,234,567", std::nullopt, std::nullopt, "two commas are two marks"},
    {"1.5.3", std::nullopt, std::nullopt, "two points are two marks"},
    {" -0,5 ", std::nullopt, -0.5, "sign and blanks as with the point"},
    {",5", std::nullopt, 0.5, "no integer digits, as \".5\""},
    {"12,", std::nullopt, 12.0, "no fraction digits, as \"12.\""},
    {",", std::nullopt, std::nullopt, "a mark alone is no number"},
    {"1 000,5", std::nullopt, std::nullopt, "a blank is no grouping either"},
    {"1E3", std::nullopt, std::nullopt, "no exponent in a cell"},
};

TEST(DecimalMark, StrictNumberUnderBothSettings) {
  for (const MarkCase& c : kCases) {
    SCOPED_TRACE(std::string(c.text) + ": " + c.why);
    {
      const RegionalDecimal point(".");
      EXPECT_EQ(StrictNumber(c.text), c.point);
      EXPECT_EQ(IsNumericText(c.text), c.point.has_value());
    }
    {
      const RegionalDecimal comma(",");
      EXPECT_EQ(StrictNumber(c.text), c.comma);
      EXPECT_EQ(IsNumericText(c.text), c.comma.has_value());
    }
  }
}

// Val reads the same mark, so that a text found numeric has one value whichever way it is read.
TEST(DecimalMark, LeadingValueAgreesWithTheStrictReading) {
  for (const char* separator : {".", ","}) {
    const RegionalDecimal regional(separator);
    for (const MarkCase& c : kCases) {
      if (const auto strict = StrictNumber(c.text)) {
        EXPECT_EQ(LeadingNumber(c.text), *strict) << c.text;
      }
    }
  }
  const RegionalDecimal point(".");
  EXPECT_EQ(LeadingNumber("1,50"), 1.0) << "under point settings the comma ends the number";
}

// Normal forms are written with "." whatever the mark read; a text that is no number stays as it
// was, so that its check reports it as typed.
TEST(DecimalMark, NormalFormsAreWrittenWithThePoint) {
  const struct {
    const char* separator;
    const char* text;
    const char* amount;
  } cases[] = {
      {",", "1,5", "1.50"},      {",", "1.5", "1.50"},          {",", "-1234,565", "-1234.57"},
      {".", "1,5", "1,5"},       {",", "1.234,56", "1.234,56"}, {",", "1234567890123456789,125", "1234567890123456789.13"},
      {",", "", "0"},
  };
  for (const auto& c : cases) {
    const RegionalDecimal regional(c.separator);
    EXPECT_EQ(AmountCell(c.text), c.amount) << c.separator << " " << c.text;
  }
  const RegionalDecimal comma(",");
  EXPECT_EQ(FormatNumberText("12,5", "####0.000"), "12.500");
  EXPECT_EQ(NumberWithExponent("1,5E2"), 150.0);
}

}  // namespace
