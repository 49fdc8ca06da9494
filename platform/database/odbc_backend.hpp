#pragma once
// The server engines through unixODBC: SQLDriverConnect on an ODBC connection text, transactions
// with autocommit off, login and query time-outs, values typed by the column's SQL type.

#include <memory>
#include <string>
#include <string_view>

#include "platform/database/backend.hpp"
#include "platform/database/errors.hpp"

namespace vt::db {

std::unique_ptr<Backend> openOdbcBackend(const std::string& odbcText, int loginTimeoutSeconds);

// Whose fault a failure of the given SQLSTATE is: the row's own, or one that fails the whole work
// (and of which kind).
Failure odbcFailure(std::string_view state);

}  // namespace vt::db
