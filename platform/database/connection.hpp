#pragma once
// A database connection: opened from a connection text, runs statements, one level of transaction.
// A path (or a Jet/ACE/SQLite provider text) opens the SQLite file engine; anything with a driver,
// DSN or server provider goes through unixODBC. Held by shared_ptr: the program and the library
// hand it to each other. Every text it is handed is first shown to the thread's statement
// observer, when a test installed one (statement_observer.hpp).

#include <memory>
#include <string>

#include "platform/database/backend.hpp"
#include "platform/database/errors.hpp"
#include "platform/database/statement_observer.hpp"

namespace vt::db {

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  static std::shared_ptr<Connection> create() { return std::make_shared<Connection>(); }

  // Raises the backend's number and text when the engine refuses; the connection stays closed.
  void open(const std::string& connectionText, const std::string& user = {},
            const std::string& password = {});
  // Rolls back an open transaction; closing a closed connection raises.
  void close();
  State state() const { return backend_ ? State::Open : State::Closed; }
  Dialect dialect() const;

  // rowsAffected is written only when the statement succeeds.
  void execute(const std::string& sql, long& rowsAffected, CommandType type = CommandType::Text);
  void execute(const std::string& sql, CommandType type = CommandType::Text);
  // An insert of one row, as execute(text()) in all it does and says: text() is the statement as
  // written (head followed by the values' literals in parentheses), and it is what observers,
  // injected failures and the server engines get; the file engine binds the values into one
  // statement prepared per head, so that a large store neither writes nor parses every row's text.
  void insert(std::string_view head, std::span<const SqlValue> values,
              const std::function<std::string()>& text, long& rowsAffected);
  // The key of the row the last insert on this connection added, as `sql` (a select of one value
  // that gives it) reads it; the file engine answers from the connection itself. Null when the
  // select gives no row.
  Value lastInsertKey(const std::string& sql);

  int beginTrans();  // returns the level (1); a second begin raises
  // A transaction that only reads, ended by commitTrans or rollbackTrans like the other: on the
  // file engine its selects see one committed state (backend.hpp).
  int beginReadTrans();
  // Raises when the engine has ended the transaction on its own: nothing of it is kept.
  void commitTrans();
  void rollbackTrans();
  // Asks the engine: a transaction it undid by itself after a failure is no longer open.
  bool inTransaction() const { return inTransaction_ && backend_ && backend_->inTransaction(); }
  // What the last failed statement, select or transaction call was (None after a success).
  Failure lastFailure() const { return lastFailure_; }

  // Seconds a statement may wait (0 = no limit); applies to the open connection too.
  int commandTimeout() const { return commandTimeout_; }
  void setCommandTimeout(int seconds) { commandTimeout_ = seconds; }
  // Seconds the open may take (login time-out of the server engines).
  int connectionTimeout() const { return connectionTimeout_; }
  void setConnectionTimeout(int seconds) { connectionTimeout_ = seconds; }
  // Kept for the callers that set them; they change nothing here.
  int cursorLocation() const { return cursorLocation_; }
  void setCursorLocation(int location) { cursorLocation_ = location; }
  const std::string& provider() const { return provider_; }
  void setProvider(std::string provider) { provider_ = std::move(provider); }

  // For Recordset: reads a whole result; raises 3709 when closed.
  ResultData query(const std::string& sql);
  // For Recordset: a result read as it is walked. The engine stays open while the cursor lives,
  // also past close().
  std::shared_ptr<Cursor> cursor(const std::string& sql);

 private:
  Backend& openBackend(const char* source);
  // Runs work on the backend, keeping the kind of its failure in lastFailure_.
  template <class Work>
  auto onBackend(Work&& work) -> decltype(work());
  // Raises the failure a test injected for this call, if any.
  void injected(ObservedKind kind, const std::string& text);
  int begin(void (Backend::*start)(int));
  void checkQuery(const std::string& sql) const;

  std::shared_ptr<Backend> backend_;
  bool inTransaction_ = false;
  Failure lastFailure_ = Failure::None;
  int commandTimeout_ = 30;
  int connectionTimeout_ = 15;
  int cursorLocation_ = 2;
  std::string provider_;
};

class Recordset;  // recordset.hpp

}  // namespace vt::db

// A connection or a recordset travels through a Variant only as the automation object of
// db_objects.hpp, which defines these: it is never boxed, and a file that passes one by name
// without that header does not compile.
namespace vt::automation {
template <class T>
struct ArgTraits;
template <class T>
class Boxed;
}  // namespace vt::automation
template <>
struct vt::automation::ArgTraits<std::shared_ptr<vt::db::Connection>>;
template <>
struct vt::automation::ArgTraits<std::shared_ptr<vt::db::Recordset>>;
template <>
class vt::automation::Boxed<vt::db::Connection>;
template <>
class vt::automation::Boxed<vt::db::Recordset>;
