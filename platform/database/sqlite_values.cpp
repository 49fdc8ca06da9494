#include "platform/database/sqlite_values.hpp"

#include <string_view>

#include "platform/database/stored_dates.hpp"
#include "platform/database/text_util.hpp"

namespace vt::db {

DeclaredKind declaredKind(const char* declaredType) {
  if (!declaredType) return DeclaredKind::Storage;
  const std::string t = lowerAscii(declaredType);
  const auto has = [&t](std::string_view part) { return t.find(part) != std::string::npos; };
  if (has("date") || has("time")) return DeclaredKind::DateTime;
  if (has("int")) return DeclaredKind::Integer;
  if (has("char") || has("text") || has("clob")) return DeclaredKind::Text;
  if (has("real") || has("floa") || has("doub") || has("numeric") || has("decimal") || has("currency") ||
      has("money"))
    return DeclaredKind::Double;
  return DeclaredKind::Storage;
}

namespace {

std::string cellText(sqlite3_stmt* stmt, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)))
              : std::string();
}

Value byStorage(sqlite3_stmt* stmt, int column) {
  switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
      return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
      return Value(sqlite3_column_double(stmt, column));
    case SQLITE_NULL:
      return Value();
    default:
      return Value(cellText(stmt, column));
  }
}

}  // namespace

Value readSqliteCell(sqlite3_stmt* stmt, int column, DeclaredKind kind) {
  const int storage = sqlite3_column_type(stmt, column);
  if (storage == SQLITE_NULL) return Value();
  switch (kind) {
    case DeclaredKind::DateTime:
      if (storage == SQLITE_TEXT) {
        std::string text = cellText(stmt, column);
        if (auto stamp = parseStoredTimestamp(text)) return Value(*stamp);
        return Value(std::move(text));  // not a date: kept as written rather than lost
      }
      break;
    case DeclaredKind::Integer:
      break;  // integer affinity already stored whole numbers as integers
    case DeclaredKind::Double:
      if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
        return Value(sqlite3_column_double(stmt, column));
      break;
    case DeclaredKind::Text:
      return Value(cellText(stmt, column));
    case DeclaredKind::Storage:
      break;
  }
  return byStorage(stmt, column);
}

}  // namespace vt::db
