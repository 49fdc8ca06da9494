#pragma once
// Numbers and Spanish texts of the errors the automation layer raises, so that callers see the
// "number description" pairs they have always seen from a late-bound call.

#include <string>

#include "platform/errors/error.hpp"

namespace vt::automation {

inline constexpr long kErrInvalidCall = 5;
inline constexpr long kErrOverflow = 6;
inline constexpr long kErrSubscript = 9;
inline constexpr long kErrTypeMismatch = 13;
inline constexpr long kErrObjectNotSet = 91;
inline constexpr long kErrInvalidNull = 94;
inline constexpr long kErrPathAccess = 75;
inline constexpr long kErrCannotCreate = 429;
inline constexpr long kErrNoSuchMember = 438;
inline constexpr long kErrArgumentNotOptional = 449;
inline constexpr long kErrWrongArgumentCount = 450;
// An object used from a thread other than the one that created it (the wrong-thread failure
// number callers of apartment objects have always received).
inline constexpr long kErrWrongThread = -2147417842;

// Source of errors raised while converting values.
inline constexpr const char* kConversionSource = "Valtrone";

// The Spanish description of one of the numbers above ("" for any other number).
const char* describe(long number);

// Raises vt::Error with the number's description, plus ": detail" when a detail is given.
[[noreturn]] void raise(long number, const std::string& source, const std::string& detail = {});

}  // namespace vt::automation
