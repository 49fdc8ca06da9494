#pragma once
// Internal: date reading in a given field order, shared by the date parse and the date rewrite.

#include <optional>
#include <string_view>

#include "platform/conversions/datetime.hpp"

namespace vt::conv::detail {

enum class DateOrder { DayFirst, MonthFirst };

// The order of a date pattern: month-first when its month token comes before the day and the year
// ("MM/dd/yyyy"); day-first otherwise ("dd/MM/yyyy", "yyyy-MM-dd", "dd-MMM-yy", "").
DateOrder OrderOf(std::string_view pattern);
// Day/month/year or month/day/year as order says; year/month/day when the first field has four
// digits. A month name in either of the first two fields is the month, the other one the day.
std::optional<DateTime> ScanDateTime(std::string_view text, DateOrder order);
// 1..12 for a Spanish month name, full or of three letters ("may", "Mayo", "SEP"); else 0.
int MonthFromName(std::string_view word);
// The full Spanish name of month 1..12 in lower case ("mayo"); its first three letters are the
// short name. Empty outside 1..12.
std::string_view MonthName(int month);

}  // namespace vt::conv::detail
