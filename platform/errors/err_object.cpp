#include "platform/errors/err_object.hpp"

#include <exception>
#include <new>

#include "platform/errors/error.hpp"
#include "platform/errors/runtime_errors.hpp"

namespace vt {

void ErrObject::Clear() { *this = ErrObject{}; }

void ErrObject::Raise(long number, std::string source, std::string description) {
  Number = number;
  Source = source;
  Description = description;
  throw Error(number, std::move(source), std::move(description));
}

void ErrObject::captureCurrentException(std::string_view source) {
  if (!std::current_exception()) return;
  try {
    throw;
  } catch (const Error& e) {
    Number = e.number();
    Source = e.source();
    Description = e.description();
  } catch (const std::bad_alloc&) {
    Number = kErrOutOfMemory;
    Source = source;
    Description = runtimeErrorDescription(kErrOutOfMemory);
  } catch (const std::exception& e) {
    Number = kErrInvalidCall;
    Source = source;
    Description = e.what();
  } catch (...) {
    Number = kErrInvalidCall;
    Source = source;
    Description = "Error desconocido";
  }
}

ErrObject& Err() {
  thread_local ErrObject err;
  return err;
}

}  // namespace vt
