#pragma once
// Reads a connection text: a file path for the SQLite file engine, or the text handed to unixODBC.
// The server provider text ("Provider=sqloledb;Data Source=...;Initial Catalog=...;User Id=...;
// Password=...; ") is translated key by key to ODBC syntax.

#include <string>
#include <string_view>

#include "platform/database/sql_text.hpp"

namespace vt::db {

// The parts of a server connection as the settings hold them: connection kind (dbTypeConexion),
// provider or driver (dbProvider_OLEDB), server, database, user and password.
struct ServerSettings {
  std::string_view connectionKind, provider, server, database, user, password;
};

// Whether SQL Server is reached through its driver text (connection kind exactly "OLEDB"), which
// opens with client-side cursors and a 60-second login.
bool usesSqlServerDriver(Engine engine, std::string_view connectionKind);

// The text a server engine opens, user and password inside it:
//   SQL, driver:   "Driver=<provider>;Server=<server>;Uid=<user>;Pwd=<password>;Database=<database>"
//   SQL, provider: "Provider=sqloledb;Data Source=<server>;Initial Catalog=<database>;User Id=<user>;Password=<password>; "
//   ORACLE:        "Driver=<oracleDriver>;Server=<server>;Uid=<user>;Pwd=<password>;"
// "" for any other engine (the file engine opens its folder and file name).
std::string serverConnectionText(Engine engine, const ServerSettings& s, std::string_view oracleDriver);

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
