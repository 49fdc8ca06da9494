#include "platform/database/backend.hpp"

namespace vt::db {

namespace {

// A result read whole, walked as a cursor: its row count is known from the start.
class ResultCursor final : public Cursor {
 public:
  explicit ResultCursor(ResultData data) : data_(std::move(data)) {}
  const std::vector<Column>& columns() const override { return data_.columns; }
  bool atEnd() const override { return row_ >= data_.rowCount(); }
  const Value& cell(int column) const override {
    return data_
        .cells[static_cast<std::size_t>(row_) * data_.columns.size() + static_cast<std::size_t>(column)];
  }
  void next() override { ++row_; }
  long rowCount() const override { return data_.rowCount(); }

 private:
  ResultData data_;
  long row_ = 0;
};

}  // namespace

std::unique_ptr<Cursor> Backend::cursor(const std::string& sql, int timeoutSeconds) {
  return std::make_unique<ResultCursor>(query(sql, timeoutSeconds));
}

}  // namespace vt::db
