#include "platform/database/db_objects.hpp"

#include <limits>

#include "platform/automation/errors.hpp"

namespace vt::db {

using vt::automation::ClassBuilder;
using vt::automation::ClassInfo;
using vt::automation::Invoke;
using vt::automation::ObjectRef;
using vt::automation::opt;
using vt::automation::Variant;

namespace {

// Members without parameters that callers read as properties.
ClassInfo markAsProperties(ClassInfo info, std::initializer_list<std::string_view> names) {
  for (auto& member : info.members) {
    for (std::string_view name : names) {
      if (member.name == name && member.params.empty()) member.kind = Invoke::Get;
    }
  }
  return info;
}

}  // namespace

int32_t ConnectionObject::State() { return static_cast<int32_t>(connection_->state()); }
void ConnectionObject::Open(std::string text, std::string user, std::string password) {
  connection_->open(text, user, password);
}
void ConnectionObject::Close() { connection_->close(); }
void ConnectionObject::Execute(std::string text, int32_t& affected) {
  long count = 0;
  connection_->execute(text, count);
  affected = static_cast<int32_t>(count);
}
int32_t ConnectionObject::BeginTrans() { return connection_->beginTrans(); }
void ConnectionObject::CommitTrans() { connection_->commitTrans(); }
void ConnectionObject::RollbackTrans() { connection_->rollbackTrans(); }
int32_t ConnectionObject::CommandTimeout() { return connection_->commandTimeout(); }

ClassInfo ConnectionObject::describe() {
  using C = ConnectionObject;
  return markAsProperties(ClassBuilder<C>("Connection", "Connection")
                              .method("State", &C::State)
                              .method("Open", &C::Open, {"ConnectionString", opt("UserID"), opt("Password")})
                              .method("Close", &C::Close)
                              .method("Execute", &C::Execute, {"CommandText", opt("RecordsAffected")})
                              .method("BeginTrans", &C::BeginTrans)
                              .method("CommitTrans", &C::CommitTrans)
                              .method("RollbackTrans", &C::RollbackTrans)
                              .method("CommandTimeout", &C::CommandTimeout)
                              .build(),
                          {"State", "CommandTimeout"});
}

bool RecordsetObject::Eof() { return recordset_->eof(); }
bool RecordsetObject::Bof() { return recordset_->bof(); }
int32_t RecordsetObject::RecordCount() { return static_cast<int32_t>(recordset_->recordCount()); }
int32_t RecordsetObject::State() { return static_cast<int32_t>(recordset_->state()); }
void RecordsetObject::MoveFirst() { recordset_->moveFirst(); }
void RecordsetObject::MoveNext() { recordset_->moveNext(); }
void RecordsetObject::Close() { recordset_->close(); }

ObjectRef RecordsetObject::Fields(Variant index) {
  const vt::db::Recordset& rs = *recordset_;
  const int ordinal = index.type() == vt::automation::VarType::String ? rs.fieldIndex(index.toString())
                                                                      : static_cast<int>(index.toI4());
  return std::make_shared<FieldObject>(rs.fieldName(ordinal), toVariant(rs.field(ordinal)));
}

ClassInfo RecordsetObject::describe() {
  using C = RecordsetObject;
  return markAsProperties(ClassBuilder<C>("Recordset", "Recordset")
                              .method("EOF", &C::Eof)
                              .method("BOF", &C::Bof)
                              .method("RecordCount", &C::RecordCount)
                              .method("State", &C::State)
                              .method("MoveFirst", &C::MoveFirst)
                              .method("MoveNext", &C::MoveNext)
                              .method("Close", &C::Close)
                              .method("Fields", &C::Fields, {"Index"})
                              .build(),
                          {"EOF", "BOF", "RecordCount", "State"});
}

ClassInfo FieldObject::describe() {
  using C = FieldObject;
  return markAsProperties(
      ClassBuilder<C>("Field", "Field").method("Name", &C::Name).method("Value", &C::Value).build(),
      {"Name", "Value"});
}

Variant toVariant(const vt::db::Value& value) {
  using Kind = vt::db::Value::Kind;
  switch (value.kind()) {
    case Kind::Null:
      return Variant::null();
    case Kind::Text:
      return Variant(value.asText());
    case Kind::Integer: {
      const std::int64_t n = value.asInteger();
      if (n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max()) {
        return Variant(static_cast<int32_t>(n));
      }
      return Variant(static_cast<double>(n));
    }
    case Kind::Double:
      return Variant(value.asDouble());
    case Kind::DateTime:
      return Variant(vt::automation::Date::fromDateTime(value.asTimestamp().value));
  }
  return Variant();
}

std::shared_ptr<vt::db::Connection> connectionOf(const Variant& value) {
  const ObjectRef object = value.toObject();
  if (!object) return nullptr;
  if (auto ours = std::dynamic_pointer_cast<ConnectionObject>(object)) return ours->connection();
  vt::automation::raise(vt::automation::kErrTypeMismatch, vt::automation::kConversionSource);
}

std::shared_ptr<vt::db::Recordset> recordsetOf(const Variant& value) {
  const ObjectRef object = value.toObject();
  if (!object) return nullptr;
  if (auto ours = std::dynamic_pointer_cast<RecordsetObject>(object)) return ours->recordset();
  vt::automation::raise(vt::automation::kErrTypeMismatch, vt::automation::kConversionSource);
}

Variant asVariant(const std::shared_ptr<vt::db::Connection>& connection) {
  return vt::automation::ArgTraits<std::shared_ptr<vt::db::Connection>>::to(connection);
}

}  // namespace vt::db
