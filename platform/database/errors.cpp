#include "platform/database/errors.hpp"

#include "platform/errors/error.hpp"

namespace vt::db {

namespace {

const char* describe(long number) {
  switch (number) {
    case kErrObjectClosed:
      return "No se permite la operación si el objeto está cerrado.";
    case kErrObjectOpen:
      return "No se permite la operación si el objeto está abierto.";
    case kErrConnectionUnusable:
      return "No se puede usar la conexión para realizar esta operación. Está cerrada o no es válida en "
             "este contexto.";
    case kErrProviderNotFound:
      return "No se encuentra el proveedor. Es posible que no esté instalado correctamente.";
    case kErrItemNotFound:
      return "No se encontró el elemento en la colección que corresponde con el nombre o el ordinal pedido.";
    case kErrNoCurrentRecord:
      return "BOF o EOF es True, o el registro actual se eliminó. La operación solicitada requiere un "
             "registro actual.";
    case kErrNoTransaction:
      return "No hay ninguna transacción activa.";
    case kErrNestedTransaction:
      return "Ya hay una transacción activa; no se admiten transacciones anidadas.";
    case kErrNoCommandText:
      return "No se ha establecido el texto del comando.";
    case kErrNoStoredQuery:
      return "No se encontró la consulta almacenada.";
    case kErrTextAfterStatement:
      return "Se encontraron caracteres después del final de la instrucción SQL.";
    default: {
      const char* standard = runtimeErrorDescription(number);
      return *standard ? standard : "Error de base de datos.";
    }
  }
}

}  // namespace

void raise(long number, const std::string& source) { throw Error(number, source, describe(number)); }

void raiseBackend(long number, const std::string& source, const std::string& text, Failure kind) {
  throw EngineError(number, source, text, kind);
}

const char* failureCause(Failure f) {
  switch (f) {
    case Failure::None:
    case Failure::Row:
      return "";
    case Failure::DiskFull:
      return "disco lleno";
    case Failure::Io:
      return "error de lectura o escritura en el disco";
    case Failure::Damaged:
      return "archivo de base de datos dañado o no válido";
    case Failure::NoMemory:
      return "memoria insuficiente";
    case Failure::Busy:
      return "base de datos bloqueada por otro proceso";
    case Failure::ReadOnly:
      return "base de datos de solo lectura";
    case Failure::Schema:
      return "tabla o columna faltante en la base de datos";
    case Failure::Other:
      return "falla del motor de base de datos";
  }
  return "falla del motor de base de datos";
}

}  // namespace vt::db
