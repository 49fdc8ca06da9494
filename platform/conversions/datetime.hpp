#pragma once
// Calendar values shared by the conversions, the database layer and the automation layer.

#include <compare>

namespace vt::conv {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  auto operator<=>(const Date&) const = default;
};

struct DateTime {
  Date date;
  int hour = 0;
  int minute = 0;
  int second = 0;
  auto operator<=>(const DateTime&) const = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);  // 0 when the month is outside 1..12
bool isValidDate(const Date& d);       // Gregorian, year 100..9999

}  // namespace vt::conv
