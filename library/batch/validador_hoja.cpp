#include "library/batch/validador_hoja.hpp"

#include "library/frame/conexion.hpp"
#include "library/frame/errores.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/automation/host.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "platform/profile/text_file.hpp"

namespace valtrone {

namespace {

[[noreturn]] void raiseRuntime(long number) {
  throw vt::Error(number, "Valtrone", vt::runtimeErrorDescription(number));
}

}  // namespace

std::string_view SheetRow::get(long col) const {
  if (sheet_ == nullptr || !sheet_->contains(row_, col)) {
    if (trampa_ == TrampaErrores::SinTrampa) raiseRuntime(vt::kErrSubscript);
    return "";
  }
  return sheet_->get(row_, col);
}

void SheetRow::set(long col, std::string_view value) {
  if (sheet_ == nullptr || !sheet_->contains(row_, col)) {
    if (trampa_ == TrampaErrores::SinTrampa) raiseRuntime(vt::kErrSubscript);
    return;
  }
  sheet_->set(row_, col, value);
}

BloqueErrorRegistro::BloqueErrorRegistro(std::string_view palabraHoja, long row) {
  text_.reserve(128);
  text_.append(palabraHoja).append(" - Registro: ").append(std::to_string(row + 1)).append("\r\n");
}

void BloqueErrorRegistro::falla(std::string_view message, std::string_view value) {
  text_.append(message).append(value).append("\r\n");
  failed_ = true;
}

bool BloqueErrorRegistro::fallaSi(const Condition& condition, std::string_view message,
                                  std::string_view value) {
  if (!held(condition)) return false;
  falla(message, value);
  return true;
}

void BloqueErrorRegistro::advierte(std::string_view message, std::string_view value) {
  text_.append(message).append(value).append("\r\n");
}

bool escribeBloque(const std::string& fileError, const BloqueErrorRegistro& block, TrampaErrores trampa,
                   std::string* reason) {
  if (vt::appendToFile(fileError, block.texto() + "\r\n", reason)) return true;
  const vt::Error error(vt::kErrPathAccess, "Valtrone", vt::runtimeErrorDescription(vt::kErrPathAccess));
  noteError(error);
  if (trampa == TrampaErrores::SinTrampa) throw error;
  return false;
}

std::string ValidadorHoja(int16_t ti_proceso, std::string_view palabraHoja,
                          const vt::automation::StringMatrixRef& InfoFile, const std::string& FileError,
                          int32_t& nFilaProgreso, const ReglasFila& rules, TrampaErrores trampa) {
  const std::optional<vt::Error> sinConexion = gfAbreConexion();
  bool logFailureShown = false;
  if (ti_proceso != 1) return "";

  const bool sinTrampa = trampa == TrampaErrores::SinTrampa;
  // Without the catalogues every row would fail checks it never failed: the user has been told
  // of the connection, and the sheet is not judged at all.
  if (sinConexion) {
    if (sinTrampa) throw *sinConexion;
    return std::string(kResultadoError);
  }
  bool anyFault = false;
  vt::automation::StringMatrix* sheet = InfoFile.get();
  if (sheet == nullptr && sinTrampa) raiseRuntime(vt::kErrSubscript);
  const long lastRow = sheet == nullptr || sheet->empty() ? 0 : sheet->ubound(1);
  for (long r = 1; r <= lastRow; ++r) {
    vt::automation::host::yieldToHost();
    SheetRow row(sheet, r, trampa);
    BloqueErrorRegistro block(palabraHoja, r);
    try {
      rules(row, block);
    } catch (...) {
      noteCurrentError();
      if (sinTrampa) throw;
      // The rules model every failing step themselves; this only keeps an unforeseen error from
      // ending the sheet, and the row keeps the lines it had.
    }
    if (block.fallida()) {
      anyFault = true;
      std::string reason;
      if (!escribeBloque(FileError, block, trampa, &reason) && !logFailureShown) {
        // The faults of a row that reach no log are lost to the user: say so once per sheet.
        logFailureShown = true;
        vt::currentMessages().mostrar("No se pudo escribir en el archivo de errores " + FileError + "\r\n" +
                                          reason + "\r\nLos errores de los registros no quedan anotados en él.",
                                      vt::Botones::Aceptar, vt::Icono::Critico, "");
      }
    }
    nFilaProgreso = static_cast<int32_t>(r + 1);
  }

  try {
    gfCierraConexion();
  } catch (...) {
    noteCurrentError();
  }
  return std::string(anyFault ? kResultadoError : kResultadoOK);
}

}  // namespace valtrone
