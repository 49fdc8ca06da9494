#include "platform/database/odbc_backend.hpp"

#include <sql.h>
#include <sqlext.h>

#include <charconv>
#include <utility>

#include "platform/database/errors.hpp"
#include "platform/database/stored_dates.hpp"
#include "platform/database/text_util.hpp"

namespace vt::db {

namespace {

constexpr const char* kSource = "ODBC";
// The number given to a driver error that carries no native number of its own.
constexpr long kErrUnspecified = -2147467259;

class Handle {
 public:
  Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) handle_ = SQL_NULL_HANDLE;
  }
  ~Handle() {
    if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
  }
  Handle(Handle&& other) noexcept : type_(other.type_), handle_(std::exchange(other.handle_, SQLHANDLE{})) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle& operator=(Handle&&) = delete;
  SQLHANDLE get() const { return handle_; }
  SQLSMALLINT type() const { return type_; }

 private:
  SQLSMALLINT type_;
  SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

}  // namespace

// Only a fault of the row's own values is the row's: a data exception (class 22: a value too long,
// a conversion) or an integrity constraint (class 23). Every other class fails the whole work, as
// on the file engine: a statement the server refuses is no row's fault (SQL Server gives 42000 for
// a permission denied too, and a login that may delete but not insert must not lose the period).
Failure odbcFailure(std::string_view state) {
  if (state.starts_with("22") || state.starts_with("23")) return Failure::Row;
  if (state.starts_with("42S")) return Failure::Schema;
  if (state == "HYT00" || state == "HYT01" || state == "40001" || state == "40P01") return Failure::Busy;
  if (state == "HY001") return Failure::NoMemory;
  if (state.starts_with("08")) return Failure::Io;
  return Failure::Other;
}

namespace {

[[noreturn]] void fail(const Handle& handle, const std::string& fallback) {
  SQLCHAR state[6] = {};
  SQLINTEGER native = 0;
  SQLCHAR message[1024] = {};
  SQLSMALLINT length = 0;
  if (handle.get() != SQL_NULL_HANDLE &&
      SQL_SUCCEEDED(SQLGetDiagRec(handle.type(), handle.get(), 1, state, &native, message,
                                  static_cast<SQLSMALLINT>(sizeof message), &length))) {
    raiseBackend(native != 0 ? native : kErrUnspecified, kSource, reinterpret_cast<const char*>(message),
                 odbcFailure(reinterpret_cast<const char*>(state)));
  }
  raiseBackend(kErrUnspecified, kSource, fallback);
}

void check(SQLRETURN rc, const Handle& handle, const char* what) {
  if (!SQL_SUCCEEDED(rc)) fail(handle, what);
}

SQLCHAR* sqlText(const std::string& text) {
  return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}

enum class SqlKind { Text, Integer, Double, Date, DateTime };

SqlKind kindOf(SQLSMALLINT type) {
  switch (type) {
    case SQL_INTEGER:
    case SQL_SMALLINT:
    case SQL_TINYINT:
    case SQL_BIGINT:
    case SQL_BIT:
      return SqlKind::Integer;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
      return SqlKind::Double;
    case SQL_TYPE_DATE:
    case SQL_DATE:
      return SqlKind::Date;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
      return SqlKind::DateTime;
    default:
      return SqlKind::Text;
  }
}

// Drivers write numbers as C-locale text; a text that does not read whole stays text.
Value typed(std::string text, SqlKind kind) {
  const char* first = text.data();
  const char* last = first + text.size();
  switch (kind) {
    case SqlKind::Integer: {
      std::int64_t whole = 0;
      auto [end, ec] = std::from_chars(first, last, whole);
      if (ec == std::errc() && end == last) return Value(whole);
      [[fallthrough]];
    }
    case SqlKind::Double: {
      double number = 0;
      auto [end, ec] = std::from_chars(first, last, number);
      if (ec == std::errc() && end == last) return Value(number);
      break;
    }
    case SqlKind::Date:
    case SqlKind::DateTime:
      if (auto stamp = parseIsoTimestamp(text)) {
        if (kind == SqlKind::Date) stamp->dateOnly = true;
        return Value(*stamp);
      }
      break;
    case SqlKind::Text:
      break;
  }
  return Value(std::move(text));
}

class OdbcBackend final : public Backend {
 public:
  OdbcBackend() : env_(SQL_HANDLE_ENV, SQL_NULL_HANDLE) {
    if (env_.get() == SQL_NULL_HANDLE) raiseBackend(kErrUnspecified, kSource, "unixODBC no está disponible.");
    SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    dbc_ = std::make_unique<Handle>(SQL_HANDLE_DBC, env_.get());
    if (dbc_->get() == SQL_NULL_HANDLE) fail(env_, "SQLAllocHandle");
  }

  ~OdbcBackend() override {
    if (connected_) SQLDisconnect(dbc_->get());
    dbc_.reset();  // before the environment it belongs to
  }

  void connect(const std::string& text, int loginTimeout) {
    SQLSetConnectAttr(dbc_->get(), SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(loginTimeout > 0 ? loginTimeout : 0)),
                      0);
    SQLSMALLINT outLength = 0;
    check(SQLDriverConnect(dbc_->get(), nullptr, sqlText(text), SQL_NTS, nullptr, 0, &outLength,
                           SQL_DRIVER_NOPROMPT),
          *dbc_, "SQLDriverConnect");
    connected_ = true;
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetInfo(dbc_->get(), SQL_DBMS_NAME, name, sizeof name, &length))) {
      const std::string dbms = lowerAscii(reinterpret_cast<const char*>(name));
      if (dbms.find("sql server") != std::string::npos)
        dialect_ = Dialect::SqlServer;
      else if (dbms.find("oracle") != std::string::npos)
        dialect_ = Dialect::Oracle;
    }
  }

  Dialect dialect() const override { return dialect_; }

  long execute(const std::string& sql, CommandType type, int timeoutSeconds) override {
    Handle stmt = statement(timeoutSeconds);
    const std::string text = type == CommandType::StoredProc ? "{call " + trimBlanks(sql) + "}" : sql;
    const SQLRETURN rc = SQLExecDirect(stmt.get(), sqlText(text), SQL_NTS);
    if (rc == SQL_NO_DATA) return 0;  // a searched change that met no row
    checkStatement(rc, stmt, "SQLExecDirect");
    SQLLEN rows = -1;
    if (!SQL_SUCCEEDED(SQLRowCount(stmt.get(), &rows))) rows = -1;
    return static_cast<long>(rows);
  }

  ResultData query(const std::string& sql, int timeoutSeconds) override {
    Handle stmt = statement(timeoutSeconds);
    ResultData result;
    const SQLRETURN executed = SQLExecDirect(stmt.get(), sqlText(sql), SQL_NTS);
    if (executed == SQL_NO_DATA) return result;  // a statement that gives no rows
    checkStatement(executed, stmt, "SQLExecDirect");
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(stmt.get(), &count), stmt, "SQLNumResultCols");
    if (count == 0) return result;  // a change, not a select: no rows, as on the file engine
    std::vector<SqlKind> kinds;
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
      SQLCHAR name[256] = {};
      SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
      SQLULEN size = 0;
      check(SQLDescribeCol(stmt.get(), i, name, sizeof name, &nameLength, &type, &size, &digits, &nullable),
            stmt, "SQLDescribeCol");
      result.columns.push_back({reinterpret_cast<const char*>(name), attribute(stmt, i, SQL_DESC_TABLE_NAME),
                                attribute(stmt, i, SQL_DESC_BASE_COLUMN_NAME)});
      kinds.push_back(kindOf(type));
    }
    for (;;) {
      const SQLRETURN rc = SQLFetch(stmt.get());
      if (rc == SQL_NO_DATA) break;
      checkStatement(rc, stmt, "SQLFetch");
      for (SQLUSMALLINT i = 1; i <= count; ++i) result.cells.push_back(cell(stmt, i, kinds[i - 1]));
    }
    return result;
  }

  // The servers wait for a lock as their own settings say; the statements' time-out bounds the rest.
  void begin(int) override {
    check(SQLSetConnectAttr(dbc_->get(), SQL_ATTR_AUTOCOMMIT,
                            reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
          *dbc_, "SQL_ATTR_AUTOCOMMIT");
    inTransaction_ = true;
  }
  void commit() override { endTransaction(SQL_COMMIT); }
  void rollback() override { endTransaction(SQL_ROLLBACK); }
  bool inTransaction() const override { return inTransaction_; }

 private:
  Handle statement(int timeoutSeconds) {
    Handle stmt(SQL_HANDLE_STMT, dbc_->get());
    if (stmt.get() == SQL_NULL_HANDLE) fail(*dbc_, "SQLAllocHandle");
    // Drivers without a query time-out refuse the attribute; the statement still runs.
    SQLSetStmtAttr(
        stmt.get(), SQL_ATTR_QUERY_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeoutSeconds > 0 ? timeoutSeconds : 0)), 0);
    return stmt;
  }

  // A failed statement raises its own error; inside a transaction the server may first have ended
  // it.
  void checkStatement(SQLRETURN rc, const Handle& stmt, const char* what) {
    if (SQL_SUCCEEDED(rc)) return;
    try {
      fail(stmt, what);
    } catch (...) {
      settleAfterFailure();
      throw;
    }
  }

  // SQL Server ends a transaction on its own after some failures (a deadlock victim, a severe
  // error, XACT_ABORT) or leaves it unable to commit: asked after a failed statement, such a
  // transaction is ended here too (rolled back, which it must be to leave the connection usable),
  // so that the store sees it gone and fails whole. Servers that cannot say keep the flag as begun.
  void settleAfterFailure() noexcept {
    if (!inTransaction_ || dialect_ != Dialect::SqlServer) return;
    if (serverTransactionState() == 1) return;
    SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
    inTransaction_ = false;
    SQLSetConnectAttr(dbc_->get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
  }

  // XACT_STATE(): 1 open and committable, -1 open but doomed, 0 none; an answer that cannot be
  // read counts as ended, since a store must not commit what it cannot vouch for.
  long serverTransactionState() noexcept {
    Handle stmt(SQL_HANDLE_STMT, dbc_->get());
    if (stmt.get() == SQL_NULL_HANDLE) return 0;
    SQLINTEGER state = 0;
    SQLLEN indicator = 0;
    if (!SQL_SUCCEEDED(SQLExecDirect(stmt.get(), sqlText("SELECT XACT_STATE()"), SQL_NTS)) ||
        !SQL_SUCCEEDED(SQLFetch(stmt.get())) ||
        !SQL_SUCCEEDED(SQLGetData(stmt.get(), 1, SQL_C_SLONG, &state, 0, &indicator)) ||
        indicator == SQL_NULL_DATA)
      return 0;
    return state;
  }

  void endTransaction(SQLSMALLINT how) {
    // Turning autocommit back on commits, so it waits until the transaction has really ended.
    check(SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), how), *dbc_, "SQLEndTran");
    inTransaction_ = false;
    SQLSetConnectAttr(dbc_->get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
  }

  static std::string attribute(const Handle& stmt, SQLUSMALLINT column, SQLUSMALLINT field) {
    SQLCHAR text[256] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLColAttribute(stmt.get(), column, field, text, sizeof text, &length, nullptr)))
      return {};
    return reinterpret_cast<const char*>(text);
  }

  static Value cell(const Handle& stmt, SQLUSMALLINT column, SqlKind kind) {
    std::string text;
    char buffer[4096];
    for (;;) {
      SQLLEN indicator = 0;
      const SQLRETURN rc = SQLGetData(stmt.get(), column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
      if (rc == SQL_NO_DATA) break;
      check(rc, stmt, "SQLGetData");
      if (indicator == SQL_NULL_DATA) return Value();
      const bool partial = rc == SQL_SUCCESS_WITH_INFO &&
                           (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer));
      if (!partial) {
        text.append(buffer, static_cast<std::size_t>(indicator));
        break;
      }
      text.append(buffer, sizeof buffer - 1);  // the driver ended the piece with a terminator
    }
    return typed(std::move(text), kind);
  }

  Handle env_;
  std::unique_ptr<Handle> dbc_;
  bool connected_ = false;
  bool inTransaction_ = false;
  Dialect dialect_ = Dialect::OtherOdbc;
};

}  // namespace

std::unique_ptr<Backend> openOdbcBackend(const std::string& odbcText, int loginTimeoutSeconds) {
  auto backend = std::make_unique<OdbcBackend>();
  backend->connect(odbcText, loginTimeoutSeconds);
  return backend;
}

}  // namespace vt::db
