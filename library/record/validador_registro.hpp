#pragma once
// The frame every single-record validator of the library stands on: the record's fields, the
// fault flag and text, the period fields 0 to 2 and the end of the record.
//
// A record validator never stops at a fault and never raises. A statement that cannot run (a
// field the array does not hold, a text that is no number or no date, a lookup that cannot run)
// is abandoned and the next one runs; a check whose test cannot be evaluated therefore counts as
// failed. Here that is written with the conditions both kinds of validator share (`Condition`, nullopt
// when unknown) and with fields read as optional texts: a line that would carry a missing field
// cannot be written, yet its check still sets the flag.
//
//   ValidadorRegistro r(archivo_reten, berror_record, ds_errores, ValidadorRegistro::Entrada::Conserva);
//   r.periodo(*this, anioDelObjeto);
//   r.fallaSi(..., "message ", r.campo(3));
//   return r.termina();

#include <string>
#include <string_view>

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/comprobaciones.hpp"
#include "library/frame/condiciones.hpp"
#include "library/record/busquedas_registro.hpp"
#include "library/record/campos_registro.hpp"

namespace valtrone {

// The messages of a serie's checks: no number, zero, establishment zero, emission point zero.
struct MensajesSerie {
  const char* noNumerica;
  const char* cero;
  const char* establecimiento;
  const char* punto;
};
inline constexpr MensajesSerie kMensajesSerie = {
    "Número de Serie no válido: ", "Número de Serie no puede ser cero ",
    "Número de Serie - Código de establecimiento no válido ",
    "Número de Serie - Punto de emisión no válido "};

// What a zero serie leaves to check: its establishment and emission point as well, or nothing more.
enum class SerieCero { SigueConEstablecimiento, TerminaSerie };

// The messages of a sequence number's checks: no number, then zero.
struct MensajesSecuencia {
  const char* noNumerica;
  const char* cero;
};
inline constexpr MensajesSecuencia kMensajesSecuencia = {
    "Número de Secuencia de comprobante no válido: ",
    "Número de Secuencia de comprobante no puede ser cero "};

// The checks of a number with a length limit (a voucher's sequence or authorisation): no number,
// zero, longer than the limit once trimmed.
struct MensajesLimitado {
  const char* noNumerico;
  const char* cero;
  const char* largo;
  long maximo;
};
inline constexpr MensajesLimitado kSecuenciaLimitada = {
    "Secuencia de comprobante. Debe ser numérico: ", "Secuencia de comprobante. No puede ser cero: ",
    "Secuencia de comprobante. Longitud excede al limite: ", 9};
inline constexpr MensajesLimitado kAutorizacionLimitada = {
    "Número de autorizacion no válido: ", "Número de autorizacion no debe ser cero ",
    "Número de autorizacion. Longitud excede al limite: ", 10};

// The messages of a VAT withholding on goods or on services: the VAT, the percent withheld and
// the amount withheld, each a number, the percent in its catalogue, and percent and amount
// either both zero or both not.
struct MensajesRetencionIVA {
  const CatalogoPorcentaje* catalogo;
  const char* iva;
  const char* porcentaje;
  const char* noRegistrado;
  const char* retenido;
  const char* noCoinciden;
};

// The lines of one income-tax withholding block, one table per layout and block: code not
// registered, base, percent and amount no numbers, no amounts, code 303 for a legal person, a
// percent other than the code's, base × percent against the amount, and a base without a code
// (none: the layout zeroes a block without a code whatever it holds). `productoFin`, where the
// layout has it, puts the base and itself before the amount on the product's line.
struct MensajesIR {
  const char* codigo;
  const char* base;
  const char* porcentaje;
  const char* monto;
  const char* incompleto;
  const char* juridica;
  const char* porcentajeLegal;
  const char* producto;
  const char* sinCodigo;
  const char* productoFin = nullptr;
};

// The fields of an income-tax withholding block (base, percent and amount) and their numbers,
// none where a field is missing or no number.
struct LecturaIR {
  Campo base, porcentaje, monto;
  std::optional<double> nBase, nPorcentaje, nMonto;
};

// The messages of the ICE fields (base, percent, amount) that differ between the layouts, and
// what an ICE base that is no number does to the check of percent and amount: some layouts take
// it for a base above zero and go on to test them, others count that check as failed.
struct MensajesICE {
  const char* porcentaje;
  const char* noCoinciden;
  bool baseIlegibleFalla;
};

class ValidadorRegistro {
 public:
  // What becomes of the text the caller passes in: most validators keep it and add this record's
  // lines after it, and empty it when the record passed; one empties it at entry; one keeps it
  // even when the record passed.
  enum class Entrada { Conserva, Vacia, ConservaSiempre };

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
  void serie(const Campo& s, const MensajesSerie& m = kMensajesSerie,
             SerieCero cero = SerieCero::SigueConEstablecimiento);
  // The zero checks of a serie alone.
  void cerosDeSerie(const Campo& s, const MensajesSerie& m, SerieCero cero);
  // A voucher's sequence number: a number, and then not zero.
  void secuencia(const Campo& s, const MensajesSecuencia& m = kMensajesSecuencia);
  // A number with a length limit; the first failed check ends it.
  void limitado(const Campo& s, const MensajesLimitado& m);

  // A voucher type: not zero, then in tbcttgComprob, then valid for one of `transacciones`
  // (Valida_Comprob_x_SecTran for annex kind `anexo`), each failure ending the check.
  void comprobante(CLSValidarInformacion& objeto, const Campo& c, const std::string& transacciones,
                   const std::string& anexo, std::string_view mensajeTransaccion);
  // A tax-support code: not zero, then in tbcttgSusTributario, then allowed for the voucher type
  // (Valida_SustTribEnComprob), each failure ending the check.
  void sustento(CLSValidarInformacion& objeto, const Campo& comprobante, const Campo& s);
  // The customs referendo at fields k to k+4: district, year (not after `anioObjeto`, the year of
  // the object; `anioPosterior` is its line), regime, correlative number and check digit.
  void referendo(long k, std::optional<double> anioObjeto, std::string_view anioPosterior);
  // A percent field: a number, and then registered in its catalogue.
  void porcentaje(const Campo& p, const CatalogoPorcentaje& catalogo, std::string_view noNumerico,
                  std::string_view noRegistrado);
  // Base 0 % plus taxed base above zero; the line carries the sum, so a base that is no number
  // sets the flag without a line.
  void sumaBases(const Campo& cero, const Campo& gravada);
  // The VAT amount: a number, and above zero when the taxed base is (a taxed base that is no
  // number counts as above zero here).
  void montoIVA(const Campo& gravada, const Campo& monto);
  // The VAT amount against taxed base × percent / 100, both to the cent, when all three are above
  // zero. `calculado` is the validator's working amount: set to 0 first, and a product that cannot
  // be formed leaves it so.
  void ivaCalculado(double& calculado, const Campo& gravada, const Campo& porcentaje, const Campo& monto);
  // The income-tax withholding block whose code is field k. A block without a code (zero, blank,
  // or beyond the array) is unused: its base, percent and amount are zeroed when its base is zero
  // too (or whatever it holds, where the layout has no line for it), else its line `sinCodigo` is
  // written. Returns whether the block was unused, and so has nothing more to check.
  bool retencionIRSinCodigo(long k, const MensajesIR& m);
  // The base, percent and amount of the block whose code is field k, each checked as a number.
  LecturaIR numerosIR(long k, const MensajesIR& m);

  // A VAT withholding: VAT, percent and amount withheld at fields k, k+1, k+2.
  void retencionIVA(long k, const MensajesRetencionIVA& m);
  // The ICE: base, percent and amount at fields k, k+1, k+2; the amount against base × percent to
  // the cent when all three are above zero (a product that cannot be formed leaves `calculado`,
  // the working amount, as it was), then percent and amount present when there is a base.
  void ice(long k, double& calculado, const MensajesICE& m);

  // The end of the record: a passed record leaves the text empty (or as the caller passed it, when
  // so built); a failed one, the caller's text followed by its lines. The result of every record
  // validator.
  std::string termina();

  bool fallido() const { return berror_record_; }

 private:
  CLSValidarInformacion::Record& archivo_;
  bool& berror_record_;
  std::string& ds_errores_;
  Entrada entrada_;
};

}  // namespace valtrone
