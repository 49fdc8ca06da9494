#pragma once
// The automation date: days since 30/12/1899 with the time of day as the fraction, so that
// values keep their meaning when they travel as numbers. Negative values count days before
// that origin; their fraction is still the time of day.

#include <compare>

#include "platform/conversions/datetime.hpp"

namespace vt::automation {

struct Date {
  double serial = 0;

  // Years 100..9999 are representable; the caller validates the calendar fields.
  static Date fromDateTime(const conv::DateTime& value);
  static Date fromDate(const conv::Date& value);
  // Nearest whole second.
  conv::DateTime toDateTime() const;
  bool hasTime() const;
  bool hasDate() const { return toDateTime().date != conv::Date{1899, 12, 30}; }

  auto operator<=>(const Date&) const = default;
};

// Limits of the serial (01/01/100 and the end of 31/12/9999).
inline constexpr double kMinDateSerial = -657434.0;
inline constexpr double kMaxDateSerial = 2958465.99999;

}  // namespace vt::automation
