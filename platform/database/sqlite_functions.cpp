#include "platform/database/sqlite_functions.hpp"

#include <cstdio>

#include "platform/conversions/conversions.hpp"
#include "platform/database/stored_dates.hpp"

namespace vt::db {

std::optional<std::string> dateValueText(std::string_view text) {
  std::optional<conv::Date> date;
  if (auto iso = parseIsoTimestamp(text))
    date = iso->value.date;
  else
    date = conv::ParseDate(text);
  if (!date) return std::nullopt;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date->year, date->month, date->day);
  return std::string(buffer);
}

namespace {

void dateValueFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (argc != 1 || sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
    sqlite3_result_null(context);  // numbers are not dates; Null stays Null
    return;
  }
  const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  const auto result =
      dateValueText(std::string_view(raw, static_cast<std::size_t>(sqlite3_value_bytes(argv[0]))));
  if (result)
    sqlite3_result_text(context, result->c_str(), static_cast<int>(result->size()), SQLITE_TRANSIENT);
  else
    sqlite3_result_null(context);
}

}  // namespace

int registerSqlFunctions(sqlite3* db) {
  return sqlite3_create_function_v2(db, "DateValue", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                    dateValueFunction, nullptr, nullptr, nullptr);
}

}  // namespace vt::db
