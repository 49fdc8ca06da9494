#pragma once
// What a database engine must provide to Connection and Recordset; one Backend per open connection.

#include <memory>
#include <string>
#include <vector>

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

class Backend {
 public:
  virtual ~Backend() = default;
  virtual Dialect dialect() const = 0;
  // Runs a statement; returns the rows it changed (-1 when it is not a change).
  virtual long execute(const std::string& sql, CommandType type, int timeoutSeconds) = 0;
  virtual ResultData query(const std::string& sql, int timeoutSeconds) = 0;
  // begin waits at most timeoutSeconds for another writer (0 = no limit).
  virtual void begin(int timeoutSeconds) = 0;
  virtual void commit() = 0;
  virtual void rollback() = 0;
  // Whether the engine itself holds a transaction open: an engine may end one on its own after a
  // failure (a full disk, an I/O error), whatever the caller began.
  virtual bool inTransaction() const = 0;
};

}  // namespace vt::db
