#pragma once
// The identity-number check of RUCs and cédulas: normalises the number, tests its length against
// the kind letter, the province code and the check digit. Pure: no database, no object state.

#include <cstdint>
#include <string>
#include <string_view>

namespace valtrone {

// ResultadoVerificaRUC: callers only tell 0 from the rest.
enum ResultadoVerificaRUC : int16_t {
  kRucValido = 0,
  kRucLongitudOTipo = 1,      // length or ending does not fit the kind letter
  kRucDigitoVerificador = 2,  // wrong check digit (also a third character that is not a digit)
  kRucMuyCorto = 3,           // fewer than 9 characters
  kRucProvincia = 4,          // province code out of range
};

// The two entry points differ in three tests; see verifica_ruc.cpp.
enum class IdentityRules { VerificaRUC_Cedula, pdfvvali_cedu };

// `number` is rewritten with its leading zeros (9-10 characters to 10 digits, 12-13 to 13) when it
// reads as a number, whatever the result; `kind` is "C", "R" or anything else.
int16_t checkIdentityNumber(std::string& number, std::string_view kind, IdentityRules rules);

// A legal person's number: written with the mask "0000000000000", its third character is 9 or 6
// (a ten-digit cédula so padded has "0" there). The income-tax code 303 is refused for them.
bool esPersonaJuridica(std::string_view identificacion);

}  // namespace valtrone
