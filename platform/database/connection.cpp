#include "platform/database/connection.hpp"

#include "platform/database/connection_text.hpp"
#include "platform/database/errors.hpp"
#include "platform/database/odbc_backend.hpp"
#include "platform/database/sqlite_backend.hpp"
#include "platform/database/statement_observer.hpp"
#include "platform/database/text_util.hpp"

namespace vt::db {

namespace {
constexpr const char* kSource = "Connection";
}

Connection::Connection() = default;

Connection::~Connection() {
  if (!backend_) return;
  try {
    close();
  } catch (...) {
    // A connection going away must not throw; the engine undoes the open transaction itself.
  }
}

void Connection::open(const std::string& connectionText, const std::string& user,
                      const std::string& password) {
  observe(ObservedKind::Open, connectionText, user);
  if (backend_) raise(kErrObjectOpen, kSource);
  const ConnectionTarget target = resolveConnectionText(connectionText, {user, password});
  backend_ = target.kind == ConnectionTarget::Kind::File
                 ? openSqliteBackend(target.path, commandTimeout_)
                 : openOdbcBackend(target.odbcText, connectionTimeout_);
  inTransaction_ = false;
}

void Connection::close() {
  if (!backend_) raise(kErrObjectClosed, kSource);
  auto backend = std::move(backend_);
  if (inTransaction_) {
    inTransaction_ = false;
    backend->rollback();
  }
}

Dialect Connection::dialect() const { return backend_ ? backend_->dialect() : Dialect::None; }

Backend& Connection::openBackend(const char* source) {
  if (!backend_) raise(kErrObjectClosed, source);
  return *backend_;
}

void Connection::execute(const std::string& sql, long& rowsAffected, CommandType type) {
  observe(type == CommandType::StoredProc ? ObservedKind::StoredProcedure : ObservedKind::Execute, sql);
  Backend& backend = openBackend(kSource);
  if (isBlankText(sql)) raise(kErrNoCommandText, kSource);
  rowsAffected = backend.execute(sql, type, commandTimeout_);
}

void Connection::execute(const std::string& sql, CommandType type) {
  long ignored = 0;
  execute(sql, ignored, type);
}

int Connection::beginTrans() {
  Backend& backend = openBackend(kSource);
  if (inTransaction_) raise(kErrNestedTransaction, kSource);
  backend.begin();
  inTransaction_ = true;
  return 1;
}

void Connection::commitTrans() {
  Backend& backend = openBackend(kSource);
  if (!inTransaction_) raise(kErrNoTransaction, kSource);
  backend.commit();  // a failed commit leaves the transaction to be rolled back
  inTransaction_ = false;
}

void Connection::rollbackTrans() {
  Backend& backend = openBackend(kSource);
  if (!inTransaction_) raise(kErrNoTransaction, kSource);
  inTransaction_ = false;
  backend.rollback();
}

ResultData Connection::query(const std::string& sql) {
  observe(ObservedKind::Query, sql);
  if (!backend_) raise(kErrConnectionUnusable, "Recordset");
  if (isBlankText(sql)) raise(kErrNoCommandText, "Recordset");
  return backend_->query(sql, commandTimeout_);
}

}  // namespace vt::db
