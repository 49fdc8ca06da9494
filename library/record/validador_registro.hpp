#pragma once
// The frame every single-record validator of the library stands on: the record's fields, the
// fault flag and text, the period fields 0 to 2 and the end of the record.
//
// A record validator never stops at a fault and never raises. A statement that cannot run (a
// field the array does not hold, a text that is no number or no date, a lookup that cannot run)
// is abandoned and the next one runs; a check whose test cannot be evaluated therefore counts as
// failed. Here that is written with the conditions of the sheet validators (`Condition`, nullopt
// when unknown) and with fields read as optional texts: a line that would carry a missing field
// cannot be written, yet its check still sets the flag.
//
//   ValidadorRegistro r(archivo_reten, berror_record, ds_errores, ValidadorRegistro::Entrada::Conserva);
//   r.periodo(*this, anioDelObjeto);
//   r.fallaSi(..., "message ", r.campo(3));
//   return r.termina();

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "library/batch/validador_hoja.hpp"
#include "library/frame/cls_validar_informacion.hpp"

namespace valtrone {

// A field's text, or nullopt when the record holds no such field.
using Campo = std::optional<std::string>;

// The test `prueba` on a field; unknown when the field is missing.
template <class Prueba>
Condition sobre(const Campo& campo, Prueba prueba) {
  if (!campo) return std::nullopt;
  return Condition(prueba(*campo));
}

// The readings most checks test: the leading number is 0; the whole text is no number.
bool esCero(const std::string& s);
bool noNumerico(const std::string& s);

// The pieces joined into one text; missing when one of them is.
Campo une(std::initializer_list<Campo> partes);

class ValidadorRegistro {
 public:
  // What becomes of the text the caller passes in: most validators keep it and add this record's
  // lines after it; one empties it at entry.
  enum class Entrada { Conserva, Vacia };

  ValidadorRegistro(CLSValidarInformacion::Record& archivo_reten, bool& berror_record,
                    std::string& ds_errores, Entrada entrada);

  // Field k (subscript k of the array), missing outside its bounds or when there is no array.
  Campo campo(long k) const;
  // Writes field k; a field the array does not hold is left alone.
  void escribe(long k, std::string valor);

  // A failed check: `mensaje` & `valor` & CR LF when the value can be read, and the flag in any case.
  void falla(std::string_view mensaje, const Campo& valor);
  // A failed check whose line carries no field.
  void falla(std::string_view mensaje);
  // Runs the failure branch when `condicion` held or could not be evaluated; returns whether it ran.
  bool fallaSi(const Condition& condicion, std::string_view mensaje, const Campo& valor);
  bool fallaSi(const Condition& condicion, std::string_view mensaje);

  // Fields 0 to 2 against the object's company, month (skipped for month 99) and `anio`, the
  // year of the object as the validator reads it (missing when that reading failed).
  void periodo(const CLSValidarInformacion& objeto, std::optional<double> anio);

  // A serie: a number, not zero, with an establishment (its first 3 characters) and, when that
  // one is not zero, an emission point (its last 3) that are not zero either.
  void serie(const Campo& s);
  // A voucher's sequence number: a number, and then not zero.
  void secuencia(const Campo& s);

  // The end of the record: a passed record leaves the text empty; a failed one, the caller's
  // text followed by its lines. The result of every record validator.
  std::string termina();

  bool fallido() const { return berror_record_; }

 private:
  CLSValidarInformacion::Record& archivo_;
  bool& berror_record_;
  std::string& ds_errores_;
};

// The year of the object read strictly: missing when `nu_anio` is no number.
std::optional<double> anioEstricto(const std::string& nu_anio);

// Whether the voucher type, district or regime is absent from its catalogue: `select * from
// tabla where columna = 'valor'`. Unknown when the lookup cannot run (no open connection).
Condition noRegistrado(const std::string& tabla, const std::string& columna, const std::string& valor);

// Whether the voucher type is valid for none of `transacciones` (Valida_Comprob_x_SecTran, any
// annex). Unknown when its lookup cannot run.
Condition noValeParaTransaccion(CLSValidarInformacion& objeto, const std::string& comprobante,
                                const std::string& transacciones);

// A number brought to the decimals of a mask ("########0.00", "########0.000") and read back, as
// the amounts are compared.
double porMascara(double valor, std::string_view mascara);

}  // namespace valtrone
