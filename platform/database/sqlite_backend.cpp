#include "platform/database/sqlite_backend.hpp"

#include <sqlite3.h>

#include <climits>

#include "platform/database/errors.hpp"
#include "platform/database/file_lookup.hpp"
#include "platform/database/jet_rewrite.hpp"
#include "platform/database/sqlite_functions.hpp"
#include "platform/database/sqlite_values.hpp"
#include "platform/database/text_util.hpp"

namespace vt::db {

namespace {

constexpr const char* kSource = "SQLite";

class Statement {
 public:
  Statement() = default;
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt** out() { return &stmt_; }
  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

class SqliteBackend final : public Backend {
 public:
  SqliteBackend(sqlite3* db, int timeoutSeconds) : db_(db) { setTimeout(timeoutSeconds); }
  ~SqliteBackend() override { sqlite3_close_v2(db_); }

  Dialect dialect() const override { return Dialect::SQLite; }

  long execute(const std::string& sql, CommandType type, int timeoutSeconds) override {
    setTimeout(timeoutSeconds);
    if (type == CommandType::StoredProc) return run(storedQuery(sql));
    return run(adaptJetSql(sql), true);
  }

  ResultData query(const std::string& sql, int timeoutSeconds) override {
    setTimeout(timeoutSeconds);
    const std::string text = adaptJetSql(sql);
    Statement stmt;
    const char* tail = nullptr;
    check(sqlite3_prepare_v2(db_, text.c_str(), static_cast<int>(text.size()), stmt.out(), &tail));
    if (!stmt.get()) raiseBackend(SQLITE_MISUSE, kSource, "not a statement: " + sql);
    refuseSecondStatement(tail, text.c_str() + text.size());
    ResultData result;
    const int count = sqlite3_column_count(stmt.get());
    std::vector<DeclaredKind> kinds;
    for (int i = 0; i < count; ++i) {
      const auto text_or_empty = [](const char* s) { return s ? std::string(s) : std::string(); };
      result.columns.push_back({text_or_empty(sqlite3_column_name(stmt.get(), i)),
                                text_or_empty(sqlite3_column_table_name(stmt.get(), i)),
                                text_or_empty(sqlite3_column_origin_name(stmt.get(), i))});
      kinds.push_back(declaredKind(sqlite3_column_decltype(stmt.get(), i)));
    }
    for (;;) {
      const int rc = sqlite3_step(stmt.get());
      if (rc == SQLITE_DONE) break;
      if (rc != SQLITE_ROW) fail();
      for (int i = 0; i < count; ++i) result.cells.push_back(readSqliteCell(stmt.get(), i, kinds[i]));
    }
    return result;
  }

  void begin() override { run("BEGIN IMMEDIATE"); }
  void commit() override { run("COMMIT"); }
  void rollback() override {
    if (!sqlite3_get_autocommit(db_)) run("ROLLBACK");
  }

 private:
  [[noreturn]] void fail() const { raiseBackend(sqlite3_errcode(db_), kSource, sqlite3_errmsg(db_)); }
  void check(int rc) const {
    if (rc != SQLITE_OK) fail();
  }

  void setTimeout(int seconds) {
    if (seconds == timeout_) return;
    // No limit is written as the longest wait SQLite takes.
    const int ms = (seconds <= 0 || seconds > INT_MAX / 1000) ? INT_MAX : seconds * 1000;
    sqlite3_busy_timeout(db_, ms);
    timeout_ = seconds;
  }

  // A command text is one statement, as the file engine always took it: what follows the first
  // statement may hold blanks, comments and ";" only, else it raises before anything runs (a
  // caller's condition can never smuggle in a statement of its own).
  void refuseSecondStatement(const char* tail, const char* end) {
    while (tail && tail < end) {
      Statement stmt;
      const char* next = nullptr;
      if (sqlite3_prepare_v2(db_, tail, static_cast<int>(end - tail), stmt.out(), &next) != SQLITE_OK ||
          stmt.get())
        raise(kErrTextAfterStatement, kSource);
      if (!next || next <= tail) return;
      tail = next;
    }
  }

  // Runs every statement of the text (only one when single); the count is that of the last
  // statement that changed rows.
  long run(const std::string& text, bool single = false) {
    const char* next = text.c_str();
    const char* end = next + text.size();
    long rows = -1;
    while (next < end) {
      Statement stmt;
      check(sqlite3_prepare_v2(db_, next, static_cast<int>(end - next), stmt.out(), &next));
      if (!stmt.get()) break;  // only blanks or comments left
      if (single) refuseSecondStatement(next, end);
      const auto before = sqlite3_total_changes64(db_);
      int rc;
      while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
      }
      if (rc != SQLITE_DONE) fail();
      if (!sqlite3_stmt_readonly(stmt.get()))
        rows = sqlite3_total_changes64(db_) == before ? 0 : static_cast<long>(sqlite3_changes64(db_));
    }
    return rows;
  }

  std::string storedQuery(const std::string& name) {
    const std::string key = trimBlanks(name);
    Statement stmt;
    static constexpr char kLookup[] = "SELECT sql FROM sys_stored_query WHERE name = ?1 COLLATE NOCASE";
    const bool found = sqlite3_prepare_v2(db_, kLookup, -1, stmt.out(), nullptr) == SQLITE_OK &&
                       sqlite3_bind_text(stmt.get(), 1, key.c_str(), static_cast<int>(key.size()),
                                         SQLITE_TRANSIENT) == SQLITE_OK &&
                       sqlite3_step(stmt.get()) == SQLITE_ROW &&
                       sqlite3_column_type(stmt.get(), 0) == SQLITE_TEXT;
    if (!found)
      raiseBackend(kErrNoStoredQuery, kSource, "No se encontró la consulta almacenada '" + key + "'.");
    return adaptJetSql(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
  }

  sqlite3* db_;
  int timeout_ = -1;
};

}  // namespace

std::unique_ptr<Backend> openSqliteBackend(const std::string& path, int commandTimeoutSeconds) {
  const auto file = findFileNoCase(path);
  if (!file)
    raiseBackend(SQLITE_CANTOPEN, kSource, "No se encuentra el archivo de base de datos '" + path + "'.");
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(file->c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    const std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close_v2(db);
    raiseBackend(rc, kSource, text + " (" + file->string() + ")");
  }
  auto backend = std::make_unique<SqliteBackend>(db, commandTimeoutSeconds);
  if (registerSqlFunctions(db) != SQLITE_OK) raiseBackend(sqlite3_errcode(db), kSource, sqlite3_errmsg(db));
  // WAL lets one connection read while another writes; a read-only file keeps its journal mode.
  sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  // Opening does not read the file: make a file that is not a database fail here, not later.
  backend->query("SELECT count(*) FROM sqlite_schema", commandTimeoutSeconds);
  return backend;
}

}  // namespace vt::db
