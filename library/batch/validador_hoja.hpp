#pragma once
// The frame every sheet validator of the library stands on: the row loop of the batch contract,
// the error-log block of a row, the cell accessor, held conditions and the per-call lookup memo.
//
// A sheet member builds one per-call object of its own (no module state), then hands the loop its
// sheet word and its row rules:
//
//   ComprasRun run(...);
//   return ValidadorHoja(ti_proceso, "COMPRAS", InfoFile, FileError, nFilaProgreso,
//                        [&](SheetRow& row, BloqueErrorRegistro& block) { run.row(row, block); });

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "library/frame/condiciones.hpp"
#include "library/frame/verifica_ruc.hpp"
#include "platform/automation/string_matrix.hpp"
#include "platform/conversions/datetime.hpp"

namespace valtrone {

class CLSValidarInformacion;

// The result words of a sheet validator.
inline constexpr std::string_view kResultadoOK = "OK";
inline constexpr std::string_view kResultadoError = "ERROR";

// How a sheet validator meets a run-time failure. `Reanuda`: a column outside the array reads ""
// and a write to it is dropped, a failed log write is noted, and nothing raised by the rules ends
// the sheet. `SinTrampa` (a validator that never trapped errors): a column outside the array
// raises error 9, a log that cannot be appended to raises, and whatever the rules raise ends the
// call at once and reaches the caller, with the connection left open.
enum class TrampaErrores { Reanuda, SinTrampa };

// One data row of the sheet; the array keeps the caller's bounds, whatever its width.
class SheetRow {
 public:
  SheetRow(vt::automation::StringMatrix* sheet, long row, TrampaErrores trampa = TrampaErrores::Reanuda)
      : sheet_(sheet), row_(row), trampa_(trampa) {}

  long index() const { return row_; }
  const std::string& get(long col) const;
  void set(long col, std::string value);

 private:
  vt::automation::StringMatrix* sheet_;
  long row_;
  TrampaErrores trampa_;
};

// The error-log block of one row: "<WORD> - Registro: <row + 1>" CR LF, then one line per failed
// check, message immediately followed by its value, CR LF. A row with a line has failed.
class BloqueErrorRegistro {
 public:
  BloqueErrorRegistro(std::string_view palabraHoja, long row);

  // Appends `message` & `value` & CR LF and marks the row as failed.
  void falla(std::string_view message, std::string_view value = {});
  // Appends `message` & `value` when `condition` is held (see `held`); returns whether it was.
  bool fallaSi(const Condition& condition, std::string_view message, std::string_view value = {});
  // Appends a warning line the same way without marking the row: it reaches the log only with
  // the block of a row that fails for another reason.
  void advierte(std::string_view message, std::string_view value = {});

  bool fallida() const { return failed_; }
  const std::string& texto() const { return text_; }

 private:
  std::string text_;
  bool failed_ = false;
};

// Appends a failed row's block, followed by the empty line that ends every block, to the error
// log. A log that cannot be written loses the block: the failure is noted as the library's last
// error, never raised and never shown once per row.
void escribeBloque(const std::string& fileError, const BloqueErrorRegistro& block,
                   TrampaErrores trampa = TrampaErrores::Reanuda);

// Catalogue answers remembered for one call, keyed by the routine and its arguments: the
// catalogues do not change during a call. A lookup that raised is noted and not remembered: it
// answers nullopt for that check and is asked again when next needed.
class LookupMemo {
 public:
  template <class Lookup>
  std::optional<bool> ask(const std::string& key, Lookup&& lookup) {
    if (auto found = answers_.find(key); found != answers_.end()) return found->second;
    std::optional<bool> answer = run(std::function<bool()>(std::forward<Lookup>(lookup)));
    if (answer) answers_.emplace(key, *answer);
    return answer;
  }

  // The same for a validator without error trap: a lookup that raised is not remembered and its
  // error reaches the caller.
  template <class Lookup>
  bool exige(const std::string& key, Lookup&& lookup) {
    if (auto found = answers_.find(key); found != answers_.end()) return found->second;
    const bool answer = std::forward<Lookup>(lookup)();
    answers_.emplace(key, answer);
    return answer;
  }

  // The memo key of a routine and its arguments.
  static std::string key(std::string_view routine, std::initializer_list<std::string_view> arguments);

 private:
  static std::optional<bool> run(const std::function<bool()>& lookup);
  std::unordered_map<std::string, bool> answers_;
};

// Whether catalogue `tabla` holds a row whose `columna` equals `valor` (select * ... where columna =
// 'valor', followed by `cola` where a lookup has always ended its condition so), remembered in the
// call's memo; nullopt when the lookup could not run. The value is quoted: no cell can change the
// statement.
std::optional<bool> catalogoRegistra(LookupMemo& memo, const std::string& tabla, const std::string& columna,
                                     const std::string& valor, std::string_view cola = {});

// The voucher-type lookups the sheets share, remembered in the call's memo; nullopt when the
// lookup could not run. Whether tbcttgComprob holds the type, and whether the type lists one of
// the transaction codes of `transacciones` ("04,05,06,07" asks for any of the four) for the ATS.
std::optional<bool> comprobanteRegistrado(LookupMemo& memo, const std::string& co_comprob);
std::optional<bool> comprobantePorTransaccion(LookupMemo& memo, CLSValidarInformacion& object,
                                              const std::string& co_comprob,
                                              const std::string& transacciones);

// The checks of a party's identification by its type letter: "F" a final consumer's thirteen
// nines, "P" a passport of five characters or more, "R" and "C" a positive number that passes the
// identity check; any other letter has none. `numero` and `nombre` are the cells as rewritten.
// The two faults a caller may mend instead of reporting (a final consumer's number that is not
// the nines, a number the identity check refuses) go to `noIdentificable`, which by default
// reports them like the others.
using FallaIdentificacion = std::function<void(const std::string& mensaje, const std::string& valor)>;
void compruebaIdentificacion(BloqueErrorRegistro& block, const std::string& tipo, const std::string& numero,
                             const std::string& nombre, const FallaIdentificacion& noIdentificable = {});

// A computed amount against an amount cell, both read through "########0.00", within the
// tolerance; a side that could not be formed fails the comparison.
bool montoConcuerda(double tolerancia, const std::optional<double>& calculado, const std::string& monto);

// A date before 2002, which the annex refuses; the first of January 2002 passes.
bool anteriorA2002(const vt::conv::Date& fecha);

// An amount for a message line: the value written with `mask` (thousands grouping allowed), with
// the separators of the library's regional settings. The text form leaves a cell that is no
// number as it stands.
std::string montoMensaje(double value, std::string_view mask);
std::string montoMensaje(std::string_view cell, std::string_view mask);

// A date cell read in the order of the regional short date (the loader writes date cells with
// it; year-first when the first field has four digits), and its rewrite with `pattern`: the date
// so written, or the text unchanged when it is no date.
struct CeldaFecha {
  std::string texto;
  std::optional<vt::conv::Date> fecha;
};
CeldaFecha leeCeldaFecha(std::string_view text, std::string_view pattern = "dd/mm/yyyy");

// What one row's rules share: its cells and its block. A sheet's own row state derives from it;
// it starts fresh on every row, so that nothing of a row is ever seen by the next.
struct FilaHoja {
  SheetRow& celdas;
  BloqueErrorRegistro& bloque;

  const std::string& get(long col) const { return celdas.get(col); }
  // Writes the rewritten cell and hands the text back for the checks (a cell outside the array is
  // not written, its checks still see the rewritten text).
  std::string set(long col, std::string value) {
    celdas.set(col, value);
    return value;
  }
};

// The row loop of the batch contract (ValidadorHoja). Opens gdbConexion whatever the mode; any
// mode but 1 returns "" with nothing read or written and the connection left open. Mode 1 runs
// `rules` on rows 1 to the upper row bound (a null or empty array has no data rows), yielding to
// the host once per row; appends the block of each failed row to `FileError`; sets
// `nFilaProgreso` to row + 1 after each row; closes the connection and returns "OK" or "ERROR".
// Under `Reanuda` nothing raised by the rules or the connection leaves it; under `SinTrampa` the
// first error ends the call there (a null array raises error 9, as its upper bound would).
using ReglasFila = std::function<void(SheetRow&, BloqueErrorRegistro&)>;
std::string ValidadorHoja(int16_t ti_proceso, std::string_view palabraHoja,
                          const vt::automation::StringMatrixRef& InfoFile, const std::string& FileError,
                          int32_t& nFilaProgreso, const ReglasFila& rules,
                          TrampaErrores trampa = TrampaErrores::Reanuda);

}  // namespace valtrone
