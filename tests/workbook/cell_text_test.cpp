#include "platform/workbook/cell_text.hpp"

#include <gtest/gtest.h>

#include "platform/workbook/number_format.hpp"

namespace vt::workbook {
namespace {

Cell number(double v, bool isDate = false) {
  Cell c;
  c.kind = CellKind::Number;
  c.number = v;
  c.isDate = isDate;
  return c;
}

TEST(CellText, NumbersUseFifteenDigitsAndAPoint) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {100.5, "100.5"},
      {100, "100"},
      {1790012345001, "1790012345001"},
      {0.30000000000000004, "0.3"},
      {0.00001, "1E-05"},
      {1.2345678901234567e36, "1.23456789012346E+36"},
      {-0.0, "0"},
      {-12.25, "-12.25"},
  };
  for (const auto& c : cases) EXPECT_EQ(cellText(number(c.value), false), c.text) << c.value;
}

TEST(CellText, DateCellsReadAsDayMonthYearWithTimeOnlyWhenNotMidnight) {
  const struct {
    double serial;
    bool date1904;
    const char* text;
  } cases[] = {
      {41425, false, "31/05/2013"},
      {41425.604166666664, false, "31/05/2013 14:30:00"},
      {41425.99999999, false, "01/06/2013"},  // rounds to the next midnight
      {0.5, false, "12:00:00"},
      {1, false, "01/01/1900"},
      {59, false, "28/02/1900"},
      {60, false, "28/02/1900"},  // the spreadsheet's own 29/02/1900
      {61, false, "01/03/1900"},
      {39963, true, "31/05/2013"},
      {0, true, "01/01/1904"},
      {-1, false, "-1"},  // not a date: the number stays
      {3e6, false, "3000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(cellText(number(c.serial, true), c.date1904), c.text) << c.serial;
}

TEST(CellText, DatePatternIsTheCallers) {
  TextFormats formats{"yyyy-MM-dd", "HH:mm"};
  EXPECT_EQ(cellText(number(41425.604166666664, true), false, formats), "2013-05-31 14:30");
}

TEST(CellText, TextBooleansAndReportedKinds) {
  Cell text;
  text.kind = CellKind::Text;
  text.text = "  PEÑA  ";
  EXPECT_EQ(cellText(text, false), "  PEÑA  ");
  Cell boolean;
  boolean.kind = CellKind::Boolean;
  boolean.number = 1;
  EXPECT_EQ(cellText(boolean, false), "True");
  boolean.number = 0;
  EXPECT_EQ(cellText(boolean, false), "False");
  Cell error;
  error.kind = CellKind::Error;
  error.text = "#N/A";
  EXPECT_EQ(cellText(error, false), "");
}

TEST(CellText, References) {
  EXPECT_EQ(cellReference(0, 0), "A1");
  EXPECT_EQ(cellReference(2, 25), "Z3");
  EXPECT_EQ(cellReference(9, 26), "AA10");
  EXPECT_EQ(cellReference(0, 67), "BP1");
  EXPECT_EQ(cellReference(1048575, 16383), "XFD1048576");
}

TEST(NumberFormat, DateCodes) {
  const struct {
    const char* code;
    bool isDate;
  } cases[] = {
      {"dd/mm/yyyy", true},
      {"dd/mm/yyyy;@", true},
      {"[$-300A]dddd, d \"de\" mmmm \"de\" yyyy", true},
      {"h:mm AM/PM", true},
      {"[h]:mm:ss", true},
      {"General", false},
      {"@", false},
      {"0.00", false},
      {"#,##0.00 \"días\"", false},
      {"0.00E+00", false},
      {"\\d0", false},
      {"_-* #,##0.00_-;-* #,##0.00_-", false},
      {"[Red]0.00", false},
      {"0.00;[Red]dd/mm/yyyy", false},
  };
  for (const auto& c : cases) EXPECT_EQ(isDateFormatCode(c.code), c.isDate) << c.code;
  for (int id : {14, 15, 22, 45, 47}) EXPECT_TRUE(isBuiltInDateFormat(id)) << id;
  for (int id : {0, 1, 2, 10, 11, 37, 49}) EXPECT_FALSE(isBuiltInDateFormat(id)) << id;
}

}  // namespace
}  // namespace vt::workbook
