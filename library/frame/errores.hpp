#pragma once
// The library's record of a failure it swallows or lets through: the thread's error object and
// the "text of the last error" that the master-data messages append.

#include "platform/errors/error.hpp"

namespace valtrone {

void noteError(const vt::Error& error);
// Inside a catch block: notes the exception being handled, whatever its type.
void noteCurrentError();

}  // namespace valtrone
