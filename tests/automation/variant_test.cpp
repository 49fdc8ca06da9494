#include <gtest/gtest.h>

#include "platform/automation/automation.hpp"
#include "platform/conversions/conversions.hpp"

namespace {

using namespace vt::automation;

struct Coercion {
  Variant input;
  VarType target;
  std::string expected;  // the converted value as text, when no error
  long error = 0;
};

std::string describeCase(const Coercion& c) {
  std::string input;
  try {
    input = c.input.toString();
  } catch (const vt::Error&) {
    input = typeName(c.input.type());
  }
  return std::string(typeName(c.input.type())) + " '" + input + "' -> " + typeName(c.target);
}

TEST(VariantTest, LegacyCoercions) {
  const Coercion cases[] = {
      // CInt: half to even, overflow 6, not a number 13, Null 94
      {"12", VarType::I2, "12"},
      {"12.5", VarType::I2, "12"},
      {"13.5", VarType::I2, "14"},
      {"-12.5", VarType::I2, "-12"},
      {" 7 ", VarType::I2, "7"},
      {2.5, VarType::I2, "2"},
      {3.5, VarType::I2, "4"},
      {"abc", VarType::I2, "", 13},
      {"", VarType::I2, "", 13},
      {"12,5", VarType::I2, "", 13},
      {"40000", VarType::I2, "", 6},
      {int32_t{40000}, VarType::I2, "", 6},
      {"32767.5", VarType::I2, "", 6},
      {"-32768.4", VarType::I2, "-32768"},
      {true, VarType::I2, "-1"},
      {Variant(), VarType::I2, "0"},
      {Variant::null(), VarType::I2, "", 94},
      // CLng
      {"2147483647", VarType::I4, "2147483647"},
      {"2147483648", VarType::I4, "", 6},
      {"1000000.5", VarType::I4, "1000000"},
      // CBool: the words, numbers, -1 as True
      {"True", VarType::Bool, "True"},
      {"false", VarType::Bool, "False"},
      {"-1", VarType::Bool, "True"},
      {"0", VarType::Bool, "False"},
      {int16_t{5}, VarType::Bool, "True"},
      {"si", VarType::Bool, "", 13},
      {Variant(), VarType::Bool, "False"},
      // CStr: numbers through the legacy text form, True/False
      {true, VarType::String, "True"},
      {12.5, VarType::String, "12.5"},
      {1e15, VarType::String, "1E+15"},
      {int32_t{-7}, VarType::String, "-7"},
      {Variant(), VarType::String, ""},
      {Variant::null(), VarType::String, "", 94},
      {Date::fromDate({2013, 1, 31}), VarType::String, "31/01/2013"},
      {Date::fromDateTime({{2013, 1, 31}, 8, 5, 9}), VarType::String, "31/01/2013 08:05:09"},
      // CDbl and CDate
      {"12.50", VarType::R8, "12.5"},
      {true, VarType::R8, "-1"},
      {"31/01/2013", VarType::Date, "31/01/2013"},
      {"2013-01-31", VarType::Date, "31/01/2013"},
      {"31/02/2013", VarType::Date, "", 13},
      {41305.0, VarType::Date, "31/01/2013"},
      {1e7, VarType::Date, "", 6},
      // objects and arrays only from their own kind (or an array never dimensioned)
      {"x", VarType::Object, "", 13},
      {int16_t{1}, VarType::StringMatrix, "", 13},
      {std::make_shared<StringArray>(0, 1), VarType::StringMatrix, "", 13},
      {Variant::missing(), VarType::String, "", 449},
  };
  for (const Coercion& c : cases) {
    SCOPED_TRACE(describeCase(c));
    try {
      const Variant result = c.input.coerced(c.target);
      ASSERT_EQ(c.error, 0) << "no error raised";
      EXPECT_EQ(result.type(), c.target);
      EXPECT_EQ(result.toString(), c.expected);
    } catch (const vt::Error& e) {
      EXPECT_EQ(e.number(), c.error) << e.description();
      EXPECT_EQ(e.description(), describe(c.error));
    }
  }
}

// CStr of a date writes the regional short date and CDate reads it back in the same order.
TEST(VariantTest, DatesAsTextFollowTheRegionalShortDate) {
  struct MonthFirst {
    MonthFirst() { vt::conv::SetShortDateSource([]() -> std::string_view { return "MM/dd/yyyy"; }); }
    ~MonthFirst() { vt::conv::SetShortDateSource(nullptr); }
  } const regional;
  const std::string texto = Variant(Date::fromDate({2013, 5, 3})).toString();
  EXPECT_EQ(texto, "05/03/2013");
  EXPECT_EQ(Variant(texto).toDate().toDateTime().date, (vt::conv::Date{2013, 5, 3}));
  EXPECT_THROW(Variant("31/05/2013").toDate(), vt::Error);  // never read day first instead
}

TEST(VariantTest, EmptyBecomesAFreshArrayOrNothing) {
  Variant v;
  v.coerceInPlace(VarType::StringArray);
  ASSERT_EQ(v.type(), VarType::StringArray);
  EXPECT_TRUE(v.toStringArray()->empty());

  Variant o;
  o.coerceInPlace(VarType::Object);
  EXPECT_EQ(o.type(), VarType::Object);
  EXPECT_EQ(o.toObject(), nullptr);
}

TEST(VariantTest, CopiesShareArraysNeverTheirCells) {
  auto sheet = std::make_shared<StringMatrix>(0, 2, 0, 1);
  Variant a(sheet);
  Variant b = a;
  b.toStringMatrix()->set(2, 1, "nuevo");
  EXPECT_EQ(sheet->get(2, 1), "nuevo");
  EXPECT_EQ(a.toStringMatrix().get(), sheet.get());
}

TEST(VariantTest, ArrayBoundsAndRedim) {
  StringArray a(0, 2);
  a.at(0) = "a";
  a.at(2) = "c";
  a.redim(0, 49, true);
  EXPECT_EQ(a.ubound(), 49);
  EXPECT_EQ(a.at(0), "a");
  EXPECT_EQ(a.at(2), "c");
  a.redim(1, 3, false);
  EXPECT_EQ(a.lbound(), 1);
  EXPECT_EQ(a.at(1), "");
  try {
    a.at(0);
    FAIL() << "no error raised";
  } catch (const vt::Error& e) {
    EXPECT_EQ(e.number(), kErrSubscript);
  }
}

TEST(VariantTest, DatesKeepTheirSerialMeaning) {
  struct Case {
    vt::conv::DateTime value;
    double serial;
  };
  const Case cases[] = {
      {{{1899, 12, 30}, 0, 0, 0}, 0.0},
      {{{2013, 1, 31}, 0, 0, 0}, 41305.0},
      {{{2013, 1, 31}, 12, 0, 0}, 41305.5},
      {{{1899, 12, 29}, 6, 0, 0}, -1.25},
      {{{100, 1, 1}, 0, 0, 0}, kMinDateSerial},
      {{{9999, 12, 31}, 0, 0, 0}, 2958465.0},
      {{{2000, 2, 29}, 23, 59, 59}, 36585.0 + 86399.0 / 86400.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.serial);
    EXPECT_DOUBLE_EQ(Date::fromDateTime(c.value).serial, c.serial);
    EXPECT_EQ(Date{c.serial}.toDateTime(), c.value);
  }
}

TEST(VariantTest, HostYieldHookIsCalledWhileInstalled) {
  int calls = 0;
  host::yieldToHost();
  host::setYieldHook([&calls] { ++calls; });
  host::yieldToHost();
  host::yieldToHost();
  host::setYieldHook({});
  host::yieldToHost();
  EXPECT_EQ(calls, 2);
}

}  // namespace
