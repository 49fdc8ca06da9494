#include "platform/errors/mensajes.hpp"

namespace vt {

const char* nombreIcono(Icono icono) {
  switch (icono) {
    case Icono::Informacion:
      return "INFORMACION";
    case Icono::Exclamacion:
      return "EXCLAMACION";
    case Icono::Critico:
      return "CRITICO";
    case Icono::Pregunta:
      return "PREGUNTA";
    case Icono::Ninguno:
      break;
  }
  return "NINGUNO";
}

}  // namespace vt
