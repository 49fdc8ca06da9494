#pragma once
// The server engines through unixODBC: SQLDriverConnect on an ODBC connection text, transactions
// with autocommit off, login and query time-outs, values typed by the column's SQL type.

#include <memory>
#include <string>

#include "platform/database/backend.hpp"

namespace vt::db {

std::unique_ptr<Backend> openOdbcBackend(const std::string& odbcText, int loginTimeoutSeconds);

}  // namespace vt::db
