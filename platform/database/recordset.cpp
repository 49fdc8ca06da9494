#include "platform/database/recordset.hpp"

#include "platform/database/errors.hpp"
#include "platform/database/text_util.hpp"

namespace vt::db {

namespace {
constexpr const char* kSource = "Recordset";
}

void Recordset::open(const std::string& sql, const std::shared_ptr<Connection>& connection, CursorType type) {
  if (!connection) raise(state() == State::Open ? kErrObjectOpen : kErrConnectionUnusable, kSource);
  open(sql, *connection, type);
}

void Recordset::open(const std::string& sql, Connection& connection, CursorType type) {
  if (state() == State::Open) raise(kErrObjectOpen, kSource);
  if (type == CursorType::ForwardOnly)
    cursor_ = connection.cursor(sql);
  else
    data_ = std::make_shared<const ResultData>(connection.query(sql));
  row_ = 0;
  found_.clear();
}

void Recordset::close() {
  if (state() == State::Closed) raise(kErrObjectClosed, kSource);
  data_.reset();
  cursor_.reset();
  row_ = 0;
  found_.clear();
}

const ResultData& Recordset::data() const {
  if (!data_) raise(kErrObjectClosed, kSource);
  return *data_;
}

const std::vector<Column>& Recordset::columns() const {
  if (cursor_) return cursor_->columns();
  return data().columns;
}

bool Recordset::eof() const {
  if (cursor_) return cursor_->atEnd();
  return row_ >= data().rowCount();
}

// Rows are only ever walked forwards from the first, so BOF is true only for an empty result.
bool Recordset::bof() const {
  if (cursor_) return row_ == 0 && cursor_->atEnd();
  return data().rowCount() == 0;
}

long Recordset::recordCount() const {
  if (cursor_) return cursor_->rowCount();
  return data().rowCount();
}

void Recordset::moveFirst() {
  if (cursor_) {
    if (row_ != 0) raise(kErrNoCurrentRecord, kSource);
    return;
  }
  data();
  row_ = 0;
}

void Recordset::moveNext() {
  if (eof()) raise(kErrNoCurrentRecord, kSource);
  if (cursor_) cursor_->next();
  ++row_;
}

int Recordset::fieldCount() const { return static_cast<int>(columns().size()); }

const std::string& Recordset::fieldName(int ordinal) const {
  const auto& columns = this->columns();
  if (ordinal < 0 || ordinal >= static_cast<int>(columns.size())) raise(kErrItemNotFound, kSource);
  return columns[static_cast<std::size_t>(ordinal)].name;
}

int Recordset::fieldIndex(std::string_view name) const {
  if (const auto it = found_.find(name); it != found_.end()) return it->second;
  const int index = findField(name);
  found_.emplace(name, index);
  return index;
}

int Recordset::findField(std::string_view name) const {
  const auto& columns = this->columns();
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (conv::SameText(columns[i].name, name)) return static_cast<int>(i);
  const auto dot = name.rfind('.');
  if (dot != std::string_view::npos) {
    const auto table = name.substr(0, dot);
    const auto column = name.substr(dot + 1);
    for (std::size_t i = 0; i < columns.size(); ++i)
      if (conv::SameText(columns[i].table, table) && conv::SameText(columns[i].origin, column))
        return static_cast<int>(i);
  }
  raise(kErrItemNotFound, kSource);
}

const Value& Recordset::field(std::string_view name) const { return field(fieldIndex(name)); }

const Value& Recordset::field(int ordinal) const {
  if (cursor_) {
    if (ordinal < 0 || ordinal >= static_cast<int>(cursor_->columns().size()))
      raise(kErrItemNotFound, kSource);
    if (cursor_->atEnd()) raise(kErrNoCurrentRecord, kSource);
    return cursor_->cell(ordinal);
  }
  const ResultData& d = data();
  const auto width = static_cast<long>(d.columns.size());
  if (ordinal < 0 || ordinal >= width) raise(kErrItemNotFound, kSource);
  if (eof()) raise(kErrNoCurrentRecord, kSource);
  return d.cells[static_cast<std::size_t>(row_ * width + ordinal)];
}

}  // namespace vt::db
