#pragma once
// The checks the purchase record validators share: the supplier's identification number, the
// three bases of a voucher and the two withholding vouchers (CR and CR-2). Field positions differ
// from layout to layout and are passed in; the messages are the same in every layout.

#include <string>

#include "library/record/validador_registro.hpp"

namespace valtrone {

// The supplier's number (field `kNumero`) by its type `tipo` as given: a number above zero, and for
// "R" or "C" a valid RUC or cédula (the line carries the number, a blank and the name, field
// `kNombre`). Returns the transaction code the type stands for: "01" RUC, "02" cédula, "03"
// passport, "" for any other type or a number that failed.
std::string identificacionProveedor(ValidadorRegistro& r, const Campo& tipo, long kNumero, long kNombre);

// The base not subject to VAT, the base at 0 % and the taxed base, from field `primera` on: each a
// number, the taxed one not negative, and their sum above zero.
void basesDeCompra(ValidadorRegistro& r, long primera);

// The withholding voucher CR and the second one CR-2 (serie, sequence, authorisation and issue
// date each, from field `primero` on), all checked whether anything was withheld or not.
// `secuenciaCR` is the line of a CR sequence that is no number, which layouts word apart.
void comprobantesDeRetencion(ValidadorRegistro& r, long primero, const char* secuenciaCR);

}  // namespace valtrone
