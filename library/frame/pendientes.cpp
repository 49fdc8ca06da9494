// Members whose behaviour is not built yet: each raises the "not implemented" error naming it.
// A member moves out of this file when its behaviour is written.

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/errores.hpp"

namespace valtrone {

std::string CLSValidarInformacion::Valida_Cmpra(Record&, bool&, std::string&) {
  notImplemented("CLSValidarInformacion.Valida_Cmpra");
}

}  // namespace valtrone
