#pragma once
// The catalogue lookups of the record validators. Each is unknown (or not found) when it cannot
// run, and notes the error as the library's last one.

#include <map>
#include <optional>
#include <string>

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/comprobaciones.hpp"
#include "library/frame/condiciones.hpp"

namespace valtrone {

// A percent catalogue and how a percent field is put into its condition: as a number, or first
// brought to the decimals of `mascara` (the ICE rates are looked up as "15.00").
struct CatalogoPorcentaje {
  const char* tabla;
  const char* columna;
  const char* mascara;
};
inline constexpr CatalogoPorcentaje kPoIVA{"tbcttgPoIVA", "va_iva", ""};
inline constexpr CatalogoPorcentaje kPoIVABien{"tbcttgPoIVABien", "va_porc", ""};
inline constexpr CatalogoPorcentaje kPoIVAServ{"tbcttgPoIVAServ", "va_porc", ""};
inline constexpr CatalogoPorcentaje kPoICE{"tbcttgPoICE", "va_porc", "########0.00"};

// Whether the voucher type, district or regime is absent from its catalogue: `select * from
// tabla where columna = 'valor'`. Unknown when the lookup cannot run (no open connection).
Condition noRegistrado(const std::string& tabla, const std::string& columna, const std::string& valor);

// Whether the voucher type is valid for none of `transacciones` (Valida_Comprob_x_SecTran, in the
// annex `anexo`, any annex when empty). Unknown when its lookup cannot run.
Condition noValeParaTransaccion(CLSValidarInformacion& objeto, const std::string& comprobante,
                                const std::string& transacciones, const std::string& anexo = "");
// Whether the tax support is not allowed with the voucher type (Valida_SustTribEnComprob).
// Unknown when its lookup cannot run.
Condition noValeParaSustento(CLSValidarInformacion& objeto, const std::string& comprobante,
                             const std::string& sustento);

// The catalogue values of the last income-tax withholding code found during one call
// (tbcttgCoRetenIR): its legal percentage and its entry state, upper-cased. A code that is not
// found keeps the values of the code found before it (0 and "" before any).
struct RetencionIRDeLlamada {
  double va_reten = 0;
  std::string st_ingreso;

  // Looks `codigo` up as in force on `dia`, once per code and day in the call; true when it is
  // not, also when there is no day or the lookup cannot run (then it is asked again next time).
  bool noVigente(const std::string& codigo, const std::optional<vt::conv::Date>& dia);
  // The same whatever the code's validity dates, as the older layouts look it up.
  bool noRegistrado(const std::string& codigo);

 private:
  std::map<std::string, std::optional<RetencionIRVigente>> vistos_;
};
// Whether the percent is absent from its catalogue. Unknown when the text is no number or the
// lookup cannot run. The number, never the text, goes into the statement.
Condition porcentajeNoRegistrado(const CatalogoPorcentaje& catalogo, const std::string& porcentaje);

// The first row of an income-tax withholding code in tbcttgCoRetenIR whatever its validity
// dates; nullopt when the code has none or the lookup cannot run.
std::optional<RetencionIRVigente> retencionIRRegistrada(const std::string& co_reten);

}  // namespace valtrone
