#include "platform/conversions/datetime.hpp"

namespace vt::conv {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidDate(const Date& d) {
  return d.year >= 100 && d.year <= 9999 && d.day >= 1 && d.day <= daysInMonth(d.year, d.month);
}

}  // namespace vt::conv
