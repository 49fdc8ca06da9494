#pragma once
// The standard run-time error numbers every layer raises and their Spanish descriptions, kept in one
// table so that a number always reads the same whichever layer raised it.

#include <string>

namespace vt {

inline constexpr long kErrInvalidCall = 5;
inline constexpr long kErrOverflow = 6;
inline constexpr long kErrOutOfMemory = 7;
inline constexpr long kErrSubscript = 9;
inline constexpr long kErrTypeMismatch = 13;
inline constexpr long kErrBadFileName = 52;
inline constexpr long kErrFileNotFound = 53;
inline constexpr long kErrFileExists = 58;
inline constexpr long kErrPastEndOfFile = 62;
inline constexpr long kErrPermissionDenied = 70;
inline constexpr long kErrPathAccess = 75;
inline constexpr long kErrPathNotFound = 76;
inline constexpr long kErrObjectNotSet = 91;
inline constexpr long kErrInvalidUseOfNull = 94;
inline constexpr long kErrCannotCreate = 429;
inline constexpr long kErrNoSuchMember = 438;
inline constexpr long kErrArgumentNotOptional = 449;
inline constexpr long kErrWrongArgumentCount = 450;

// The Spanish description of a standard run-time error number; "" for any other number.
const char* runtimeErrorDescription(long number);

// Raises the number with its standard description through the thread's error object, as raising
// a run-time error by its number alone always did.
[[noreturn]] void raiseRuntimeError(long number, std::string source);

}  // namespace vt
