#include "platform/database/statement_observer.hpp"

#include <utility>

namespace vt::db {

namespace detail {
constinit thread_local const StatementObserver* statementObserver = nullptr;
constinit thread_local const StatementFault* statementFault = nullptr;
}  // namespace detail

ScopedStatementFault::ScopedStatementFault(StatementFault fault)
    : fault_(std::move(fault)), previous_(std::exchange(detail::statementFault, &fault_)) {}

ScopedStatementFault::~ScopedStatementFault() { detail::statementFault = previous_; }

const StatementObserver* setStatementObserver(const StatementObserver* observer) {
  return std::exchange(detail::statementObserver, observer);
}

ScopedStatementObserver::ScopedStatementObserver(StatementObserver observer)
    : observer_(std::move(observer)), previous_(setStatementObserver(&observer_)) {}

ScopedStatementObserver::~ScopedStatementObserver() { setStatementObserver(previous_); }

StatementRecorder::StatementRecorder()
    : guard_([this](const Observation& o) {
        seen.push_back({o.kind, std::string(o.text), std::string(o.user)});
      }) {}

std::vector<std::string> StatementRecorder::texts(ObservedKind kind) const {
  std::vector<std::string> out;
  for (const ObservedText& o : seen)
    if (o.kind == kind) out.push_back(o.text);
  return out;
}

}  // namespace vt::db
