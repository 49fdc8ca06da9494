#pragma once
// What the record validators and the sheet validators both stand on: a check's condition that may
// be unknown, the identity check on a working copy, and the order of a range of sequences.

#include <optional>
#include <string>
#include <string_view>

#include "library/frame/verifica_ruc.hpp"

namespace valtrone {

// A check's condition: nullopt when it could not be evaluated (a strict conversion or a lookup
// that failed). The validators always resumed at the statement a failed condition guarded, so a
// condition that cannot be evaluated counts as held: the check's message is written.
using Condition = std::optional<bool>;
inline bool held(const Condition& condition) { return !condition.has_value() || *condition; }
// "not found" of a lookup's answer, still unknown when the lookup could not run.
inline Condition negated(const std::optional<bool>& answer) {
  return answer ? Condition(!*answer) : std::nullopt;
}

// The final consumer's identification (type "F"): thirteen nines.
inline constexpr const char* kConsumidorFinal = "9999999999999";

// The identity check on a working copy formatted with ten digits for a cédula ("C"), else
// thirteen: the cell keeps its own form. A check that cannot run counts as failed.
bool identidadValida(const std::string& id, const std::string& tipo, IdentityRules rules);

// Whether a range of sequences runs backwards: compared as numbers when both ends are numeric
// (9 to 10 is in order), as texts otherwise.
bool rangoInvertido(std::string_view inicial, std::string_view final);

}  // namespace valtrone
