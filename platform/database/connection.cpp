#include "platform/database/connection.hpp"

#include <new>

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

template <class Work>
auto Connection::onBackend(Work&& work) -> decltype(work()) {
  lastFailure_ = Failure::None;
  try {
    return work();
  } catch (const EngineError& e) {
    lastFailure_ = e.kind();
    throw;
  } catch (const vt::Error&) {
    lastFailure_ = Failure::Row;  // the layer refused the text itself
    throw;
  } catch (const std::bad_alloc&) {
    lastFailure_ = Failure::NoMemory;
    throw;
  } catch (...) {
    lastFailure_ = Failure::Other;
    throw;
  }
}

void Connection::injected(ObservedKind kind, const std::string& text) {
  const std::optional<InjectedFailure> failure = injectedFailure(kind, text);
  if (!failure) [[likely]]
    return;
  if (failure->endsTransaction && backend_ && backend_->inTransaction()) backend_->rollback();
  raiseBackend(failure->number, kSource, failure->text, failure->kind);
}

void Connection::execute(const std::string& sql, long& rowsAffected, CommandType type) {
  const ObservedKind kind =
      type == CommandType::StoredProc ? ObservedKind::StoredProcedure : ObservedKind::Execute;
  observe(kind, sql);
  Backend& backend = openBackend(kSource);
  if (isBlankText(sql)) raise(kErrNoCommandText, kSource);
  onBackend([&] {
    injected(kind, sql);
    rowsAffected = backend.execute(sql, type, commandTimeout_);
  });
}

void Connection::execute(const std::string& sql, CommandType type) {
  long ignored = 0;
  execute(sql, ignored, type);
}

void Connection::insert(std::string_view head, std::span<const SqlValue> values,
                        const std::function<std::string()>& text, long& rowsAffected) {
  // The whole text is built only when a test watches the calls; the engines build it themselves
  // when they need it.
  if (statementsWatched()) [[unlikely]] {
    const std::string sql = text();
    observe(ObservedKind::Execute, sql);
    Backend& backend = openBackend(kSource);
    onBackend([&] {
      injected(ObservedKind::Execute, sql);
      rowsAffected = backend.insert(head, values, [&sql] { return sql; }, commandTimeout_);
    });
    return;
  }
  Backend& backend = openBackend(kSource);
  onBackend([&] { rowsAffected = backend.insert(head, values, text, commandTimeout_); });
}

Value Connection::lastInsertKey(const std::string& sql) {
  observe(ObservedKind::Query, sql);
  checkQuery(sql);
  Backend& backend = *backend_;
  return onBackend([&] {
    injected(ObservedKind::Query, sql);
    if (const std::optional<std::int64_t> key = backend.lastInsertKey()) return Value(*key);
    const ResultData result = backend.query(sql, commandTimeout_);
    return result.cells.empty() ? Value() : result.cells.front();
  });
}

int Connection::beginTrans() { return begin(&Backend::begin); }

int Connection::beginReadTrans() { return begin(&Backend::beginRead); }

int Connection::begin(void (Backend::*start)(int)) {
  Backend& backend = openBackend(kSource);
  if (inTransaction()) raise(kErrNestedTransaction, kSource);
  onBackend([&] { (backend.*start)(commandTimeout_); });
  inTransaction_ = true;
  return 1;
}

void Connection::commitTrans() {
  Backend& backend = openBackend(kSource);
  if (!inTransaction_) raise(kErrNoTransaction, kSource);
  if (!backend.inTransaction()) {
    // The engine undid it after a failure: committing now would claim what is not stored.
    inTransaction_ = false;
    lastFailure_ = Failure::Other;
    raiseBackend(kErrNoTransaction, kSource,
                 "El motor de base de datos deshizo la transacción; no se grabó ninguno de sus cambios.");
  }
  onBackend([&] { backend.commit(); });  // a failed commit leaves the transaction to be rolled back
  inTransaction_ = false;
}

void Connection::rollbackTrans() {
  Backend& backend = openBackend(kSource);
  if (!inTransaction_) raise(kErrNoTransaction, kSource);
  inTransaction_ = false;
  backend.rollback();
}

void Connection::checkQuery(const std::string& sql) const {
  if (!backend_) raise(kErrConnectionUnusable, "Recordset");
  if (isBlankText(sql)) raise(kErrNoCommandText, "Recordset");
}

ResultData Connection::query(const std::string& sql) {
  observe(ObservedKind::Query, sql);
  checkQuery(sql);
  Backend& backend = *backend_;
  return onBackend([&] {
    injected(ObservedKind::Query, sql);
    return backend.query(sql, commandTimeout_);
  });
}

std::shared_ptr<Cursor> Connection::cursor(const std::string& sql) {
  observe(ObservedKind::Query, sql);
  checkQuery(sql);
  Backend& backend = *backend_;
  std::unique_ptr<Cursor> walked = onBackend([&] {
    injected(ObservedKind::Query, sql);
    return backend.cursor(sql, commandTimeout_);
  });
  // The deleter holds the engine: the cursor is destroyed first, the engine after it.
  return std::shared_ptr<Cursor>(walked.release(), [engine = backend_](Cursor* c) { delete c; });
}

}  // namespace vt::db
