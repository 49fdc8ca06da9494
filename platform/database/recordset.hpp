#pragma once
// A static, read-only recordset: every row is read when it opens, so the record count is exact
// and the rows stay usable after the connection closes. Copies share the rows and the position
// is per copy.

#include <memory>
#include <string>
#include <string_view>

#include "platform/database/backend.hpp"
#include "platform/database/connection.hpp"

namespace vt::db {

class Recordset {
 public:
  // A failed open raises and leaves the recordset closed.
  void open(const std::string& sql, const std::shared_ptr<Connection>& connection);
  void open(const std::string& sql, Connection& connection);
  void close();  // closing a closed recordset raises
  State state() const { return data_ ? State::Open : State::Closed; }

  // Everything below raises 3704 while closed.
  bool eof() const;
  bool bof() const;
  long recordCount() const;
  void moveFirst();
  void moveNext();  // at EOF raises 3021

  int fieldCount() const;
  const std::string& fieldName(int ordinal) const;
  // Name without regard to case (first match), else "table.column"; unknown raises 3265.
  int fieldIndex(std::string_view name) const;
  // The current row's value; raises 3021 at BOF or EOF.
  const Value& field(std::string_view name) const;
  const Value& field(int ordinal) const;

 private:
  const ResultData& data() const;

  std::shared_ptr<const ResultData> data_;
  long row_ = 0;  // 0-based; == rowCount at EOF
};

}  // namespace vt::db

