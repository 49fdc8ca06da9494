#pragma once
// SQL functions the old file engine had and the stored statements use: DateValue(text).

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>

namespace vt::db {

// DateValue: day/month/year or ISO text (a time part is ignored) -> "YYYY-MM-DD"; nullopt when
// the text is not a date (the SQL function then gives NULL).
std::optional<std::string> dateValueText(std::string_view text);

// Returns SQLITE_OK or the error code of the registration.
int registerSqlFunctions(sqlite3* db);

}  // namespace vt::db
