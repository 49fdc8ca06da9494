#include "platform/database/recordset.hpp"

#include "platform/database/errors.hpp"
#include "platform/database/text_util.hpp"

namespace vt::db {

namespace {
constexpr const char* kSource = "Recordset";
}

void Recordset::open(const std::string& sql, const std::shared_ptr<Connection>& connection) {
  if (!connection) raise(data_ ? kErrObjectOpen : kErrConnectionUnusable, kSource);
  open(sql, *connection);
}

void Recordset::open(const std::string& sql, Connection& connection) {
  if (data_) raise(kErrObjectOpen, kSource);
  data_ = std::make_shared<const ResultData>(connection.query(sql));
  row_ = 0;
}

void Recordset::close() {
  data();
  data_.reset();
  row_ = 0;
}

const ResultData& Recordset::data() const {
  if (!data_) raise(kErrObjectClosed, kSource);
  return *data_;
}

bool Recordset::eof() const { return row_ >= data().rowCount(); }

// Rows are only ever walked forwards from the first, so BOF is true only for an empty result.
bool Recordset::bof() const { return data().rowCount() == 0; }

long Recordset::recordCount() const { return data().rowCount(); }

void Recordset::moveFirst() {
  data();
  row_ = 0;
}

void Recordset::moveNext() {
  if (eof()) raise(kErrNoCurrentRecord, kSource);
  ++row_;
}

int Recordset::fieldCount() const { return static_cast<int>(data().columns.size()); }

const std::string& Recordset::fieldName(int ordinal) const {
  const auto& columns = data().columns;
  if (ordinal < 0 || ordinal >= static_cast<int>(columns.size())) raise(kErrItemNotFound, kSource);
  return columns[static_cast<std::size_t>(ordinal)].name;
}

int Recordset::fieldIndex(std::string_view name) const {
  const auto& columns = data().columns;
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
  const ResultData& d = data();
  const auto width = static_cast<long>(d.columns.size());
  if (ordinal < 0 || ordinal >= width) raise(kErrItemNotFound, kSource);
  if (eof()) raise(kErrNoCurrentRecord, kSource);
  return d.cells[static_cast<std::size_t>(row_ * width + ordinal)];
}

}  // namespace vt::db
