#pragma once
// Database connections and recordsets as automation objects: the one way they travel in Variants,
// in both directions, so that by-name callers reach their members (a recordset's EOF,
// RecordCount, Fields(...).Value). connection.hpp and recordset.hpp declare the argument traits
// defined here, so a file that passes a connection by name without this header does not compile,
// rather than carrying it some other way.

#include <memory>
#include <string>

#include "platform/automation/class_builder.hpp"
#include "platform/database/connection.hpp"
#include "platform/database/recordset.hpp"

namespace vt::db {

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

// The connection inside a connection object; nullptr for Nothing, 13 for any other object.
std::shared_ptr<vt::db::Connection> connectionOf(const vt::automation::Variant& value);
std::shared_ptr<vt::db::Recordset> recordsetOf(const vt::automation::Variant& value);

// A connection as a Variant: its object, or Nothing.
vt::automation::Variant asVariant(const std::shared_ptr<vt::db::Connection>& connection);

}  // namespace vt::db

// Connection and recordset handles go out and come in as these dispatchable objects.
template <>
struct vt::automation::ArgTraits<std::shared_ptr<vt::db::Connection>> {
  static constexpr VarType kind = VarType::Object;
  static const char* name() { return "Connection"; }
  static std::shared_ptr<vt::db::Connection> from(const Variant& v) { return vt::db::connectionOf(v); }
  static Variant to(const std::shared_ptr<vt::db::Connection>& c) {
    return c ? Variant(ObjectRef(std::make_shared<vt::db::ConnectionObject>(c))) : Variant(ObjectRef());
  }
};
template <>
struct vt::automation::ArgTraits<std::shared_ptr<vt::db::Recordset>> {
  static constexpr VarType kind = VarType::Object;
  static const char* name() { return "Recordset"; }
  static std::shared_ptr<vt::db::Recordset> from(const Variant& v) { return vt::db::recordsetOf(v); }
  static Variant to(const std::shared_ptr<vt::db::Recordset>& r) {
    return r ? Variant(ObjectRef(std::make_shared<vt::db::RecordsetObject>(r))) : Variant(ObjectRef());
  }
};
