#include "library/batch/validador_hoja.hpp"

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/comprobaciones.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/errores.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/automation/host.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "platform/profile/text_file.hpp"

namespace valtrone {

namespace {

[[noreturn]] void raiseRuntime(long number) {
  throw vt::Error(number, "Valtrone", vt::runtimeErrorDescription(number));
}

}  // namespace

const std::string& SheetRow::get(long col) const {
  static const std::string kMissing;
  if (sheet_ == nullptr || !sheet_->contains(row_, col)) {
    if (trampa_ == TrampaErrores::SinTrampa) raiseRuntime(vt::kErrSubscript);
    return kMissing;
  }
  return sheet_->at(row_, col);
}

void SheetRow::set(long col, std::string value) {
  if (sheet_ == nullptr || !sheet_->contains(row_, col)) {
    if (trampa_ == TrampaErrores::SinTrampa) raiseRuntime(vt::kErrSubscript);
    return;
  }
  sheet_->at(row_, col) = std::move(value);
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

void escribeBloque(const std::string& fileError, const BloqueErrorRegistro& block, TrampaErrores trampa) {
  if (vt::appendToFile(fileError, block.texto() + "\r\n")) return;
  const vt::Error error(vt::kErrPathAccess, "Valtrone", vt::runtimeErrorDescription(vt::kErrPathAccess));
  noteError(error);
  if (trampa == TrampaErrores::SinTrampa) throw error;
}

std::string LookupMemo::key(std::string_view routine, std::initializer_list<std::string_view> arguments) {
  std::string key(routine);
  for (std::string_view argument : arguments) key.append(1, '\x1f').append(argument);
  return key;
}

std::optional<bool> LookupMemo::run(const std::function<bool()>& lookup) {
  try {
    return lookup();
  } catch (...) {
    noteCurrentError();
    return std::nullopt;
  }
}

std::optional<bool> catalogoRegistra(LookupMemo& memo, const std::string& tabla, const std::string& columna,
                                     const std::string& valor, std::string_view cola) {
  return memo.ask(LookupMemo::key(tabla, {columna, valor}), [&] {
    RecordsetRef rs;
    gsSelectConexion("*", tabla, "where " + columna + " = " + vt::db::quoteSql(valor) + std::string(cola),
                     nullptr, rs);
    // A select that failed leaves the recordset closed, and reading it raises.
    return !rs->eof();
  });
}

std::optional<bool> comprobanteRegistrado(LookupMemo& memo, const std::string& co_comprob) {
  return catalogoRegistra(memo, "tbcttgComprob", "co_comprob", co_comprob);
}

bool anteriorA2002(const vt::conv::Date& fecha) { return fecha < vt::conv::Date{2002, 1, 1}; }

std::optional<bool> comprobantePorTransaccion(LookupMemo& memo, CLSValidarInformacion& object,
                                              const std::string& co_comprob,
                                              const std::string& transacciones) {
  return memo.ask(LookupMemo::key("Valida_Comprob_x_SecTran", {co_comprob, transacciones}), [&] {
    std::string comprob = co_comprob;
    std::string transaccion = transacciones;
    std::string anexo = "ATS";
    return object.Valida_Comprob_x_SecTran(comprob, transaccion, anexo);
  });
}

void compruebaIdentificacion(BloqueErrorRegistro& block, const std::string& tipo, const std::string& numero,
                             const std::string& nombre, const FallaIdentificacion& noIdentificable) {
  const auto mendable = [&](const std::string& mensaje, const std::string& valor) {
    if (noIdentificable) {
      noIdentificable(mensaje, valor);
    } else {
      block.falla(mensaje, valor);
    }
  };
  const std::string enMensaje = numero + " " + vt::conv::FormatNumberText(nombre, "#");
  if (tipo == "F") {
    if (!vt::conv::IsNumericText(numero)) {
      block.falla("Identificación debe ser numérico ", enMensaje);
    } else if (numero != kConsumidorFinal) {
      mendable("Identificación para Consumidor Final ", enMensaje);
    }
  } else if (tipo == "P") {
    if (vt::conv::Len(numero) < 5)
      block.falla("Identificación de pasaporte no valida debe ser al menos 5 caracteres", enMensaje);
  } else if (tipo == "R" || tipo == "C") {
    if (!vt::conv::IsNumericText(numero)) {
      block.falla("Identificación debe ser numérico ", enMensaje);
    } else if (vt::conv::StrictNumber(numero) <= 0.0) {
      block.falla("Identificacion no válido ", enMensaje);
    } else if (!identidadValida(numero, tipo, IdentityRules::VerificaRUC_Cedula)) {
      mendable("Identificación (RUC, Cédula ) no válido ", numero + " " + nombre);
    }
  }
}

bool montoConcuerda(double tolerancia, const std::optional<double>& calculado, const std::string& monto) {
  if (!calculado) return false;
  const std::optional<double> esperado = vt::conv::NumberByMask(*calculado, "########0.00");
  const std::optional<double> dado =
      vt::conv::StrictNumber(vt::conv::FormatNumberText(monto, "########0.00"));
  return esperado && dado && gfDentroTolerancia(tolerancia, *esperado, *dado);
}

std::string montoMensaje(double value, std::string_view mask) {
  const vt::ConfiguracionRegional& r = ctx().config.regional;
  return vt::conv::RegionalNumberText(vt::conv::FormatNumber(value, mask),
                                      r.gsSepMiles.empty() ? "," : r.gsSepMiles,
                                      r.gsSepDecimal.empty() ? "." : r.gsSepDecimal);
}

std::string montoMensaje(std::string_view cell, std::string_view mask) {
  const std::optional<double> value = vt::conv::StrictNumber(cell);
  return value ? montoMensaje(*value, mask) : std::string(cell);
}

CeldaFecha leeCeldaFecha(std::string_view text, std::string_view pattern) {
  CeldaFecha cell{std::string(text),
                  vt::conv::ParseDateByPattern(text, ctx().config.regional.gsFormatoFecha)};
  if (cell.fecha) cell.texto = vt::conv::FormatDate(*cell.fecha, pattern);
  return cell;
}

std::string ValidadorHoja(int16_t ti_proceso, std::string_view palabraHoja,
                          const vt::automation::StringMatrixRef& InfoFile, const std::string& FileError,
                          int32_t& nFilaProgreso, const ReglasFila& rules, TrampaErrores trampa) {
  gfAbreConexion();
  if (ti_proceso != 1) return "";

  const bool sinTrampa = trampa == TrampaErrores::SinTrampa;
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
      escribeBloque(FileError, block, trampa);
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
