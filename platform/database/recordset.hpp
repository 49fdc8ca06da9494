#pragma once
// A read-only recordset. Static (the default): every row is read when it opens, so the record
// count is exact and the rows stay usable after the connection closes; copies share the rows and
// the position is per copy. Forward-only: rows are read as it moves on and only the current one is
// held, the record count is -1 unless the engine knows it, and copies share one position.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/database/backend.hpp"
#include "platform/database/connection.hpp"

namespace vt::db {

enum class CursorType { ForwardOnly = 0, Static = 3 };

class Recordset {
 public:
  // A failed open raises and leaves the recordset closed.
  void open(const std::string& sql, const std::shared_ptr<Connection>& connection,
            CursorType type = CursorType::Static);
  void open(const std::string& sql, Connection& connection, CursorType type = CursorType::Static);
  void close();  // closing a closed recordset raises
  State state() const { return data_ || cursor_ ? State::Open : State::Closed; }

  // Everything below raises 3704 while closed.
  bool eof() const;
  bool bof() const;
  long recordCount() const;
  void moveFirst();  // forward-only: only while on the first row
  void moveNext();   // at EOF raises 3021

  int fieldCount() const;
  const std::string& fieldName(int ordinal) const;
  // Name without regard to case (first match), else "table.column"; unknown raises 3265.
  int fieldIndex(std::string_view name) const;
  // The current row's value; raises 3021 at BOF or EOF.
  const Value& field(std::string_view name) const;
  const Value& field(int ordinal) const;

 private:
  const ResultData& data() const;
  const std::vector<Column>& columns() const;

  int findField(std::string_view name) const;

  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };

  std::shared_ptr<const ResultData> data_;
  std::shared_ptr<Cursor> cursor_;  // forward-only
  long row_ = 0;                    // 0-based; == rowCount at EOF
  // The names asked for since the open, spelled as asked: a walk over many rows asks for the same
  // few names on every row, and a name is found among the columns once.
  mutable std::unordered_map<std::string, int, NameHash, std::equal_to<>> found_;
};

}  // namespace vt::db
