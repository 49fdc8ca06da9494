#include "platform/errors/runtime_errors.hpp"

#include <utility>

#include "platform/errors/err_object.hpp"

namespace vt {

const char* runtimeErrorDescription(long number) {
  switch (number) {
    case kErrInvalidCall:
      return "Llamada a procedimiento o argumento no válidos";
    case kErrOverflow:
      return "Desbordamiento";
    case kErrOutOfMemory:
      return "Memoria insuficiente";
    case kErrSubscript:
      return "Subíndice fuera del intervalo";
    case kErrTypeMismatch:
      return "No coinciden los tipos";
    case kErrBadFileName:
      return "Nombre o número de archivo incorrecto";
    case kErrFileNotFound:
      return "No se encontró el archivo";
    case kErrFileExists:
      return "El archivo ya existe";
    case kErrPastEndOfFile:
      return "La entrada pasó del final del archivo";
    case kErrPermissionDenied:
      return "Permiso denegado";
    case kErrPathAccess:
      return "Error de acceso a la ruta o el archivo";
    case kErrPathNotFound:
      return "No se encontró la ruta de acceso";
    case kErrObjectNotSet:
      return "Variable de objeto o bloque With no establecido";
    case kErrInvalidUseOfNull:
      return "Uso no válido de Null";
    case kErrCannotCreate:
      return "El componente ActiveX no puede crear el objeto";
    case kErrNoSuchMember:
      return "El objeto no admite esta propiedad o método";
    case kErrArgumentNotOptional:
      return "Argumento no opcional";
    case kErrWrongArgumentCount:
      return "Número de argumentos incorrecto o asignación de propiedad no válida";
    default:
      return "";
  }
}

void raiseRuntimeError(long number, std::string source) {
  Err().Raise(number, std::move(source), runtimeErrorDescription(number));
}

}  // namespace vt
