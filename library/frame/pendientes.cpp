// Members whose behaviour is not built yet: each raises the "not implemented" error naming it.
// A member moves out of this file when its behaviour is written.

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/errores.hpp"

namespace valtrone {

std::string CLSValidarInformacion::ICE2014_Ventas(int16_t, std::string&, std::string&, std::string&, double&,
                                                  Sheet&, std::string&, int32_t&) {
  notImplemented("CLSValidarInformacion.ICE2014_Ventas");
}
std::string CLSValidarInformacion::Valida_Cmpra(Record&, bool&, std::string&) {
  notImplemented("CLSValidarInformacion.Valida_Cmpra");
}

}  // namespace valtrone
