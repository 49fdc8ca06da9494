#pragma once
// A diagnostic seam for tests: lets the calling thread see every text the layer is handed (the
// connection text with its user, each statement executed and each select opened as a recordset),
// exactly as the caller wrote it and before any engine is chosen. The password is never reported.
// Unset (the normal case) it costs one thread-local pointer test per call.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

namespace detail {
extern constinit thread_local const StatementObserver* statementObserver;
}

// Called by the layer at the entry of open, execute and query.
inline void observe(ObservedKind kind, std::string_view text, std::string_view user = {}) {
  if (detail::statementObserver) [[unlikely]]
    (*detail::statementObserver)(Observation{kind, text, user});
}

}  // namespace vt::db
