#pragma once
// A diagnostic seam for tests: lets the calling thread see every text the layer is handed (the
// connection text with its user, each statement executed and each select opened as a recordset),
// exactly as the caller wrote it and before any engine is chosen. The password is never reported.
// Unset (the normal case) it costs one thread-local pointer test per call.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/database/errors.hpp"

namespace vt::db {

enum class ObservedKind { Open, Execute, StoredProcedure, Query };

struct Observation {
  ObservedKind kind;
  std::string_view text;  // valid only during the call
  std::string_view user;  // Open only
};

// Must not throw: it runs inside the layer's calls.
using StatementObserver = std::function<void(const Observation&)>;

// Installs `observer` (nullptr: none) for the calling thread and returns the previous one. The
// observer must outlive its installation; ScopedStatementObserver takes care of that.
const StatementObserver* setStatementObserver(const StatementObserver* observer);

// Observes while in scope, then puts back whatever was installed before.
class ScopedStatementObserver {
 public:
  explicit ScopedStatementObserver(StatementObserver observer);
  ~ScopedStatementObserver();
  ScopedStatementObserver(const ScopedStatementObserver&) = delete;
  ScopedStatementObserver& operator=(const ScopedStatementObserver&) = delete;

 private:
  StatementObserver observer_;
  const StatementObserver* previous_;
};

// A copy of one observation.
struct ObservedText {
  ObservedKind kind;
  std::string text;
  std::string user;
  bool operator==(const ObservedText&) const = default;
};

// Keeps a copy of everything the calling thread's layer is handed while in scope.
class StatementRecorder {
 public:
  StatementRecorder();
  // The texts of one kind, in the order they came.
  std::vector<std::string> texts(ObservedKind kind) const;

  std::vector<ObservedText> seen;

 private:
  ScopedStatementObserver guard_;
};

// A failure the layer raises in place of running a statement, as the engine would have: its
// number and text, its kind, and whether the engine ends the open transaction itself (SQLite may
// on a full disk or an I/O error).
struct InjectedFailure {
  long number = 0;
  std::string text;
  Failure kind = Failure::Other;
  bool endsTransaction = false;
};

// Asked before each statement and select (not the open); an answer makes that call fail. Must not
// throw.
using StatementFault = std::function<std::optional<InjectedFailure>(const Observation&)>;

// Makes the calling thread's statements fail as `fault` says while in scope.
class ScopedStatementFault {
 public:
  explicit ScopedStatementFault(StatementFault fault);
  ~ScopedStatementFault();
  ScopedStatementFault(const ScopedStatementFault&) = delete;
  ScopedStatementFault& operator=(const ScopedStatementFault&) = delete;

 private:
  StatementFault fault_;
  const StatementFault* previous_;
};

namespace detail {
extern constinit thread_local const StatementObserver* statementObserver;
extern constinit thread_local const StatementFault* statementFault;
}  // namespace detail

// The failure a test wants for this call, if any; one pointer test when none is installed.
inline std::optional<InjectedFailure> injectedFailure(ObservedKind kind, std::string_view text) {
  if (!detail::statementFault) [[likely]]
    return std::nullopt;
  return (*detail::statementFault)(Observation{kind, text, {}});
}

// Whether a test observes the calling thread's statements or makes them fail.
inline bool statementsWatched() { return detail::statementObserver || detail::statementFault; }

// Called by the layer at the entry of open, execute and query.
inline void observe(ObservedKind kind, std::string_view text, std::string_view user = {}) {
  if (detail::statementObserver) [[unlikely]]
    (*detail::statementObserver)(Observation{kind, text, user});
}

}  // namespace vt::db
