#include "platform/workbook/failure.hpp"

#include <string>

#include "platform/errors/error.hpp"

namespace vt::workbook {

std::string_view failureReason(Failure failure) {
  switch (failure) {
    case Failure::CannotOpen:
      return "No se pudo abrir el archivo";
    case Failure::NotAWorkbook:
      return "El archivo no es un libro de Excel (.xlsx o .xls)";
    case Failure::PasswordProtected:
      return "El libro está protegido con contraseña";
    case Failure::NotAWorksheet:
      return "La hoja activa no es una hoja de cálculo";
    case Failure::Damaged:
      return "El libro está dañado o su contenido no es válido";
    case Failure::TooLarge:
      return "El libro excede los límites de tamaño admitidos";
    case Failure::OldFormat:
      return "El libro tiene un formato antiguo no soportado (Excel 95 o anterior)";
  }
  return "";
}

long failureNumber(Failure failure) { return 1100 + static_cast<long>(failure); }

void fail(Failure failure) {
  throw Error(failureNumber(failure), "vt_workbook", std::string(failureReason(failure)));
}

}  // namespace vt::workbook
