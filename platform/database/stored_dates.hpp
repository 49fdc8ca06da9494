#pragma once
// Dates as the file engine stores them: ISO text ("YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS"), read
// defensively from day/month/year text written by older tools.

#include <optional>
#include <string_view>

#include "platform/database/value.hpp"

namespace vt::db {

// ISO text, with "T" or a blank before the time and optional fraction of seconds.
std::optional<Timestamp> parseIsoTimestamp(std::string_view text);
// ISO first, then day/month/year (or year/month/day) text; nullopt when it is not a date.
std::optional<Timestamp> parseStoredTimestamp(std::string_view text);

}  // namespace vt::db
