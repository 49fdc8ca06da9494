#include "platform/automation/errors.hpp"

namespace vt::automation {

const char* describe(long number) {
  if (number == kErrWrongThread) return "El objeto solo puede usarse desde el subproceso que lo creó";
  return runtimeErrorDescription(number);
}

void raise(long number, const std::string& source, const std::string& detail) {
  std::string text = describe(number);
  if (!detail.empty()) text += ": " + detail;
  throw Error(number, source, std::move(text));
}

}  // namespace vt::automation
