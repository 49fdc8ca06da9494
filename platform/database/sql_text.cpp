#include "platform/database/sql_text.hpp"

#include <cmath>
#include <cstdio>

#include "platform/conversions/conversions.hpp"

namespace vt::db {

Engine parseEngine(std::string_view upperName) {
  if (upperName == "ACCESS") return Engine::Access;
  if (upperName == "SQL") return Engine::Sql;
  if (upperName == "ORACLE") return Engine::Oracle;
  if (upperName == "MYSQL") return Engine::MySql;
  return Engine::Other;
}

std::string escapeSql(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    // Every engine ends a statement text at a NUL: dropped, it can neither cut the literal nor the
    // statement, whatever reached a cell.
    if (c == '\0') continue;
    out += c;
    if (c == '\'') out += '\'';
  }
  return out;
}

std::string quoteSql(std::string_view text) { return "'" + escapeSql(text) + "'"; }

std::string likeContaining(std::string_view text) {
  const bool wildcards = text.find_first_of("%_") != std::string_view::npos;
  if (!wildcards) return "'%" + escapeSql(text) + "%'";
  std::string escaped;
  for (char c : text) {
    if (c == '%' || c == '_' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return "'%" + escapeSql(escaped) + "%' escape '\\'";
}

std::string sqlNumber(double value) {
  if (!std::isfinite(value)) return "NULL";
  return conv::VbStr(value);
}

std::string sqlNumber(std::int64_t value) { return std::to_string(value); }

std::string sqlDate(Engine engine, const conv::DateTime& value, bool withTime) {
  const conv::Date& d = value.date;
  char text[96];
  switch (engine) {
    case Engine::Sql:
      if (withTime)
        std::snprintf(text, sizeof text, "'%04d%02d%02d %02d:%02d:%02d'", d.year, d.month, d.day, value.hour,
                      value.minute, value.second);
      else
        std::snprintf(text, sizeof text, "'%04d%02d%02d'", d.year, d.month, d.day);
      break;
    case Engine::Oracle:
      if (withTime)
        std::snprintf(text, sizeof text, "to_date('%02d/%02d/%04d %02d:%02d:%02d','DD/MM/YYYY HH24:MI:SS')",
                      d.day, d.month, d.year, value.hour, value.minute, value.second);
      else
        std::snprintf(text, sizeof text, "to_date('%02d/%02d/%04d','DD/MM/YYYY')", d.day, d.month, d.year);
      break;
    default:
      if (withTime)
        std::snprintf(text, sizeof text, "'%04d-%02d-%02d %02d:%02d:%02d'", d.year, d.month, d.day,
                      value.hour, value.minute, value.second);
      else
        std::snprintf(text, sizeof text, "'%04d-%02d-%02d'", d.year, d.month, d.day);
      break;
  }
  return text;
}

}  // namespace vt::db
