#pragma once
// The checks several sheet validators share: catalogue lookups remembered for the call, the
// voucher type, a party's identification, an amount against its computation and the earliest
// date of the annex.

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "library/batch/validador_hoja.hpp"
#include "library/frame/verifica_ruc.hpp"
#include "platform/conversions/datetime.hpp"

namespace valtrone {

class CLSValidarInformacion;

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

}  // namespace valtrone
