#pragma once
// What a database engine must provide to Connection and Recordset; one Backend per open connection.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/database/sql_value.hpp"
#include "platform/database/value.hpp"

namespace vt::db {

enum class State { Closed = 0, Open = 1 };
enum class CommandType { Text = 1, StoredProc = 4 };
// What the open connection speaks; None while closed.
enum class Dialect { None, SQLite, SqlServer, Oracle, OtherOdbc };

// One result column: its label, and the table and column it comes from when known.
struct Column {
  std::string name;
  std::string table;
  std::string origin;
};

// A result read completely: cells row after row.
struct ResultData {
  std::vector<Column> columns;
  std::vector<Value> cells;
  long rowCount() const { return columns.empty() ? 0 : static_cast<long>(cells.size() / columns.size()); }
};

// A select's rows read one at a time, forward only: open on its first row, or at its end when it
// has none. An engine error while moving on raises.
class Cursor {
 public:
  virtual ~Cursor() = default;
  virtual const std::vector<Column>& columns() const = 0;
  virtual bool atEnd() const = 0;
  // A cell of the current row; only while not atEnd().
  virtual const Value& cell(int column) const = 0;
  virtual void next() = 0;
  // The number of rows when it is known before they are read, else -1.
  virtual long rowCount() const { return -1; }
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual Dialect dialect() const = 0;
  // Runs a statement; returns the rows it changed (-1 when it is not a change).
  virtual long execute(const std::string& sql, CommandType type, int timeoutSeconds) = 0;
  virtual ResultData query(const std::string& sql, int timeoutSeconds) = 0;
  // One row's insert, given as the statement up to its value list (`head`, "insert into T (a, b)
  // values ") and the values of that list; text() is the whole statement, head followed by the
  // values' literals in parentheses. An engine that binds values runs one statement prepared per
  // head and number of values, each value bound as what its literal stores; the others, and a
  // literal that is no plain one, run text() as execute would, with its rows, counts and errors.
  virtual long insert(std::string_view head, std::span<const SqlValue> values,
                      const std::function<std::string()>& text, int timeoutSeconds) {
    (void)head;
    (void)values;
    return execute(text(), CommandType::Text, timeoutSeconds);
  }
  // The key the engine gave the last row inserted on this connection, when it keeps one itself
  // (nullopt: ask with a select).
  virtual std::optional<std::int64_t> lastInsertKey() const { return std::nullopt; }
  // The rows of a select as they are walked; an engine that cannot stream reads them all here.
  virtual std::unique_ptr<Cursor> cursor(const std::string& sql, int timeoutSeconds);
  // begin waits at most timeoutSeconds for another writer (0 = no limit).
  virtual void begin(int timeoutSeconds) = 0;
  // A transaction that only reads: on the file engine every select in it sees the same
  // committed state, whatever other connections commit meanwhile; the server engines read
  // under their own isolation.
  virtual void beginRead(int timeoutSeconds) { begin(timeoutSeconds); }
  virtual void commit() = 0;
  virtual void rollback() = 0;
  // Whether the engine itself holds a transaction open: an engine may end one on its own after a
  // failure (a full disk, an I/O error), whatever the caller began.
  virtual bool inTransaction() const = 0;
};

}  // namespace vt::db
