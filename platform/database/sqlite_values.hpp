#pragma once
// Typing of SQLite result cells by the column's declared type.

#include <sqlite3.h>

#include "platform/database/value.hpp"

namespace vt::db {

enum class DeclaredKind { DateTime, Integer, Double, Text, Storage };

// DATE/DATETIME/TIMESTAMP -> DateTime, *INT* -> Integer, CHAR/TEXT/CLOB -> Text,
// REAL/FLOAT/DOUBLE/NUMERIC/DECIMAL/CURRENCY/MONEY -> Double, else (expressions) -> Storage.
DeclaredKind declaredKind(const char* declaredType);

// A cell whose stored form does not fit the declared kind comes back by its storage class.
Value readSqliteCell(sqlite3_stmt* stmt, int column, DeclaredKind kind);

}  // namespace vt::db
