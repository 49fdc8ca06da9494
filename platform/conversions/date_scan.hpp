#pragma once
// Internal: date reading in a given field order, shared by the date parse and the date rewrite.

#include <optional>
#include <string_view>

#include "platform/conversions/datetime.hpp"

namespace vt::conv::detail {

// Whether a date pattern puts the month before the day ("MM/dd/yyyy").
bool IsMonthFirst(std::string_view pattern);
// Day/month/year or year/month/day; with monthFirst, month/day/year instead of day/month/year.
std::optional<DateTime> ScanDateTime(std::string_view text, bool monthFirst);
// The pattern's own order first (when month-first), then the usual orders.
std::optional<DateTime> ScanDateTimeFor(std::string_view text, std::string_view pattern);

}  // namespace vt::conv::detail
