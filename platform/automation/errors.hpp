#pragma once
// Numbers and Spanish texts of the errors the automation layer raises, so that callers see the
// "number description" pairs they have always seen from a late-bound call.

#include <string>

#include "platform/errors/error.hpp"
#include "platform/errors/runtime_errors.hpp"

namespace vt::automation {

// The standard run-time numbers, under this layer's name as its callers have always used them.
using vt::kErrArgumentNotOptional;
using vt::kErrCannotCreate;
using vt::kErrInvalidCall;
using vt::kErrInvalidUseOfNull;
using vt::kErrNoSuchMember;
using vt::kErrObjectNotSet;
using vt::kErrOverflow;
using vt::kErrPathAccess;
using vt::kErrSubscript;
using vt::kErrTypeMismatch;
using vt::kErrWrongArgumentCount;

// An object used from a thread other than the one that created it (the wrong-thread failure
// number callers of apartment objects have always received).
inline constexpr long kErrWrongThread = -2147417842;

// Source of errors raised while converting values.
inline constexpr const char* kConversionSource = "Valtrone";

// The Spanish description of a standard number or of the wrong-thread failure ("" for any other).
const char* describe(long number);

// Raises vt::Error with the number's description, plus ": detail" when a detail is given.
[[noreturn]] void raise(long number, const std::string& source, const std::string& detail = {});

}  // namespace vt::automation
