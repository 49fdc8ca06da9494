#pragma once
// Database connections and recordsets as automation objects, so that they travel in Variants
// and by-name callers reach their members (a recordset's EOF, RecordCount, Fields(...).Value).
// A host hands its own connection as Variant::fromObject(connection) (a boxed handle, no link
// to the library needed); both forms are accepted wherever a connection is expected.

#include <memory>
#include <string>

#include "platform/automation/class_builder.hpp"
#include "platform/database/connection.hpp"
#include "platform/database/recordset.hpp"

namespace valtrone {

using ConnectionRef = std::shared_ptr<vt::db::Connection>;
using RecordsetRef = std::shared_ptr<vt::db::Recordset>;

class ConnectionObject : public vt::automation::Dispatchable<ConnectionObject> {
 public:
  ConnectionObject() : connection_(std::make_shared<vt::db::Connection>()) {}
  explicit ConnectionObject(std::shared_ptr<vt::db::Connection> connection)
      : connection_(std::move(connection)) {}
  static vt::automation::ClassInfo describe();
  const std::shared_ptr<vt::db::Connection>& connection() const { return connection_; }

  int32_t State();
  void Open(std::string text, std::string user, std::string password);
  void Close();
  void Execute(std::string text, int32_t& affected);
  int32_t BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  int32_t CommandTimeout();

 private:
  std::shared_ptr<vt::db::Connection> connection_;
};

class RecordsetObject : public vt::automation::Dispatchable<RecordsetObject> {
 public:
  RecordsetObject() : recordset_(std::make_shared<vt::db::Recordset>()) {}
  explicit RecordsetObject(std::shared_ptr<vt::db::Recordset> recordset) : recordset_(std::move(recordset)) {}
  static vt::automation::ClassInfo describe();
  const std::shared_ptr<vt::db::Recordset>& recordset() const { return recordset_; }

  bool Eof();
  bool Bof();
  int32_t RecordCount();
  int32_t State();
  void MoveFirst();
  void MoveNext();
  void Close();
  // By name (without regard to case) or by ordinal.
  vt::automation::ObjectRef Fields(vt::automation::Variant index);

 private:
  std::shared_ptr<vt::db::Recordset> recordset_;
};

// One field of a recordset's current row, read when the field is asked for.
class FieldObject : public vt::automation::Dispatchable<FieldObject> {
 public:
  FieldObject() = default;
  FieldObject(std::string name, vt::automation::Variant value)
      : name_(std::move(name)), value_(std::move(value)) {}
  static vt::automation::ClassInfo describe();

  std::string Name() { return name_; }
  vt::automation::Variant Value() { return value_; }

 private:
  std::string name_;
  vt::automation::Variant value_;
};

// A database value as a Variant: Null, String, Long (Double beyond its range), Double or Date.
vt::automation::Variant toVariant(const vt::db::Value& value);

// The connection inside an object (ours or a boxed handle); nullptr for Nothing, 13 otherwise.
std::shared_ptr<vt::db::Connection> connectionOf(const vt::automation::Variant& value);
std::shared_ptr<vt::db::Recordset> recordsetOf(const vt::automation::Variant& value);

}  // namespace valtrone

// Connection and recordset handles go out as dispatchable objects and come in from either form.
template <>
struct vt::automation::ArgTraits<std::shared_ptr<vt::db::Connection>> {
  static constexpr VarType kind = VarType::Object;
  static const char* name() { return "Connection"; }
  static std::shared_ptr<vt::db::Connection> from(const Variant& v) { return valtrone::connectionOf(v); }
  static Variant to(const std::shared_ptr<vt::db::Connection>& c) {
    return c ? Variant(ObjectRef(std::make_shared<valtrone::ConnectionObject>(c))) : Variant(ObjectRef());
  }
};
template <>
struct vt::automation::ArgTraits<std::shared_ptr<vt::db::Recordset>> {
  static constexpr VarType kind = VarType::Object;
  static const char* name() { return "Recordset"; }
  static std::shared_ptr<vt::db::Recordset> from(const Variant& v) { return valtrone::recordsetOf(v); }
  static Variant to(const std::shared_ptr<vt::db::Recordset>& r) {
    return r ? Variant(ObjectRef(std::make_shared<valtrone::RecordsetObject>(r))) : Variant(ObjectRef());
  }
};
