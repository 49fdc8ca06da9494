#pragma once
// The layer's own error numbers and texts, raised as vt::Error the way callers always saw them.

#include <string>

#include "platform/errors/error.hpp"
#include "platform/errors/runtime_errors.hpp"

namespace vt::db {

// Numbers the callers have always seen for these conditions.
inline constexpr long kErrObjectClosed = 3704;
inline constexpr long kErrObjectOpen = 3705;
inline constexpr long kErrConnectionUnusable = 3709;
inline constexpr long kErrProviderNotFound = 3706;
inline constexpr long kErrItemNotFound = 3265;
inline constexpr long kErrNoCurrentRecord = 3021;
inline constexpr long kErrNoTransaction = -2147168242;
inline constexpr long kErrNestedTransaction = -2147168237;
inline constexpr long kErrNoCommandText = -2147217908;
inline constexpr long kErrNoStoredQuery = -2147217865;
inline constexpr long kErrTextAfterStatement = -2147217900;
// Standard run-time numbers this layer raises too.
using vt::kErrInvalidUseOfNull;
using vt::kErrTypeMismatch;

// What a failed statement says about the work it was part of. Only Row is the statement's own
// fault (a constraint, a value of the wrong type or size, a statement a value made unusable); every
// other kind is the engine's, and no later statement of the same work can be trusted to succeed.
enum class Failure { None, Row, DiskFull, Io, Damaged, NoMemory, Busy, ReadOnly, Schema, Other };

// True for the engine's failures: a store meeting one stops whole.
constexpr bool failsWholeWork(Failure f) { return f != Failure::None && f != Failure::Row; }

// The cause of a failure in the users' words, one text per kind ("disco lleno", ...); "" for None
// and Row.
const char* failureCause(Failure f);

// A backend's refusal: vt::Error with what kind of failure it is.
class EngineError : public vt::Error {
 public:
  EngineError(long number, std::string source, std::string description, Failure kind)
      : vt::Error(number, std::move(source), std::move(description)), kind_(kind) {}
  Failure kind() const noexcept { return kind_; }

 private:
  Failure kind_;
};

// Raises vt::Error with the number, the given source and the number's Spanish description (the
// standard one for a standard run-time number).
[[noreturn]] void raise(long number, const std::string& source);
// Raises EngineError with a backend's own number and text and the kind of failure.
[[noreturn]] void raiseBackend(long number, const std::string& source, const std::string& text,
                               Failure kind = Failure::Other);

}  // namespace vt::db
