#include "platform/automation/date.hpp"

#include <cmath>

namespace vt::automation {

namespace {

constexpr long kSecondsPerDay = 86400;
constexpr long kSerialOfUnixEpoch = 25569;  // 01/01/1970

// Days since 01/01/1970 of a proleptic Gregorian date.
long daysFromCivil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

conv::Date civilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  return {y, m, d};
}

}  // namespace

Date Date::fromDateTime(const conv::DateTime& value) {
  const long days = daysFromCivil(value.date.year, value.date.month, value.date.day) + kSerialOfUnixEpoch;
  const double time = (value.hour * 3600.0 + value.minute * 60.0 + value.second) / kSecondsPerDay;
  return {days >= 0 ? days + time : days - time};
}

Date Date::fromDate(const conv::Date& value) { return fromDateTime({value, 0, 0, 0}); }

conv::DateTime Date::toDateTime() const {
  double whole = std::trunc(serial);
  long seconds = std::lround(std::fabs(serial - whole) * kSecondsPerDay);
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    whole += serial < 0 ? -1 : 1;
  }
  conv::DateTime out;
  out.date = civilFromDays(static_cast<long>(whole) - kSerialOfUnixEpoch);
  out.hour = static_cast<int>(seconds / 3600);
  out.minute = static_cast<int>(seconds / 60 % 60);
  out.second = static_cast<int>(seconds % 60);
  return out;
}

bool Date::hasTime() const {
  const conv::DateTime t = toDateTime();
  return t.hour != 0 || t.minute != 0 || t.second != 0;
}

}  // namespace vt::automation
