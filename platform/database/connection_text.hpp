#pragma once
// Reads a connection text: a file path for the SQLite file engine, or the text handed to unixODBC.
// The server provider text ("Provider=sqloledb;Data Source=...;Initial Catalog=...;User Id=...;
// Password=...; ") is translated key by key to ODBC syntax.

#include <string>
#include <string_view>

namespace vt::db {

struct ConnectionTarget {
  enum class Kind { File, Odbc };
  Kind kind = Kind::File;
  std::string path;      // Kind::File
  std::string odbcText;  // Kind::Odbc, ready for SQLDriverConnect
};

// User and password given beside the connection text.
struct Login {
  std::string_view user;
  std::string_view password;
};

// The odbcinst.ini section the server provider text is mapped to (a site points it at its driver).
inline constexpr std::string_view kSqlServerDriverSection = "sqloledb";

// Raises 3706 for a provider that is neither a file engine nor the server provider.
ConnectionTarget resolveConnectionText(std::string_view text, Login login = {},
                                       std::string_view sqlServerDriver = kSqlServerDriverSection);

}  // namespace vt::db
