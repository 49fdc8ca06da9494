#pragma once
// The layer's own error numbers and texts, raised as vt::Error the way callers always saw them.

#include <string>

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

// Raises vt::Error with the number, the given source and the number's Spanish description (the
// standard one for a standard run-time number).
[[noreturn]] void raise(long number, const std::string& source);
// Raises vt::Error with a backend's own number and text.
[[noreturn]] void raiseBackend(long number, const std::string& source, const std::string& text);

}  // namespace vt::db
