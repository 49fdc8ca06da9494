#pragma once
// The frame every sheet validator of the library stands on: the row loop of the batch contract,
// the error-log block of a row and the cell accessor. The checks several sheets share are in
// comprobaciones_hoja.hpp, the cell readers in celdas_hoja.hpp.
//
// A sheet member builds one per-call object of its own (no module state), then hands the loop its
// sheet word and its row rules:
//
//   ComprasRun run(...);
//   return ValidadorHoja(ti_proceso, "COMPRAS", InfoFile, FileError, nFilaProgreso,
//                        [&](SheetRow& row, BloqueErrorRegistro& block) { run.row(row, block); });

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "library/frame/condiciones.hpp"
#include "platform/automation/string_matrix.hpp"

namespace valtrone {

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
  // A text read stays valid as long as the sheet, whatever is written afterwards.
  std::string_view get(long col) const;
  void set(long col, std::string_view value);

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
// error and false comes back with the reason in Spanish in `reason` (the row loop says so once
// per sheet); under `SinTrampa` the failure raises instead.
bool escribeBloque(const std::string& fileError, const BloqueErrorRegistro& block,
                   TrampaErrores trampa = TrampaErrores::Reanuda, std::string* reason = nullptr);

// What one row's rules share: its cells and its block. A sheet's own row state derives from it;
// it starts fresh on every row, so that nothing of a row is ever seen by the next.
struct FilaHoja {
  SheetRow& celdas;
  BloqueErrorRegistro& bloque;

  std::string_view get(long col) const { return celdas.get(col); }
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
// In mode 1 a connection that failed to open (its message already shown) returns "ERROR" at once,
// with no row judged and no block written; under `SinTrampa` it raises the connection's error.
// Under `Reanuda` nothing raised by the rules or the connection leaves it; under `SinTrampa` the
// first error ends the call there (a null array raises error 9, as its upper bound would).
using ReglasFila = std::function<void(SheetRow&, BloqueErrorRegistro&)>;
std::string ValidadorHoja(int16_t ti_proceso, std::string_view palabraHoja,
                          const vt::automation::StringMatrixRef& InfoFile, const std::string& FileError,
                          int32_t& nFilaProgreso, const ReglasFila& rules,
                          TrampaErrores trampa = TrampaErrores::Reanuda);

}  // namespace valtrone
