#include "platform/automation/errors.hpp"

namespace vt::automation {

const char* describe(long number) {
  switch (number) {
    case kErrInvalidCall:
      return "Llamada a procedimiento o argumento no válidos";
    case kErrOverflow:
      return "Desbordamiento";
    case kErrSubscript:
      return "Subíndice fuera del intervalo";
    case kErrTypeMismatch:
      return "No coinciden los tipos";
    case kErrObjectNotSet:
      return "Variable de objeto o bloque With no establecido";
    case kErrInvalidNull:
      return "Uso no válido de Null";
    case kErrPathAccess:
      return "Error de acceso a la ruta o el archivo";
    case kErrCannotCreate:
      return "El componente ActiveX no puede crear el objeto";
    case kErrNoSuchMember:
      return "El objeto no admite esta propiedad o método";
    case kErrArgumentNotOptional:
      return "Argumento no opcional";
    case kErrWrongArgumentCount:
      return "Número de argumentos incorrecto o asignación de propiedad no válida";
    case kErrWrongThread:
      return "El objeto solo puede usarse desde el subproceso que lo creó";
    default:
      return "";
  }
}

void raise(long number, const std::string& source, const std::string& detail) {
  std::string text = describe(number);
  if (!detail.empty()) text += ": " + detail;
  throw Error(number, source, std::move(text));
}

}  // namespace vt::automation
