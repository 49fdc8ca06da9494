#include "library/frame/errores.hpp"

#include <string>

#include "library/frame/thread_context.hpp"
#include "platform/errors/err_object.hpp"

namespace valtrone {

void noteError(const vt::Error& error) {
  vt::ErrObject& err = vt::Err();
  err.Number = error.number();
  err.Source = error.source();
  err.Description = error.description();
  ctx().ultimoError = error.description();
}

void noteCurrentError() {
  vt::Err().captureCurrentException("Valtrone");
  ctx().ultimoError = vt::Err().Description;
}

}  // namespace valtrone
