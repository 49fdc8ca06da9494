// The identity-number check as members of the supplier class: both entry points share one check.

#include "library/frame/clases_maestras.hpp"
#include "library/frame/verifica_ruc.hpp"

namespace valtrone {

int16_t CLSProveedores::VerificaRUC_Cedula(std::string& lwscedu, std::string& quees) {
  return checkIdentityNumber(lwscedu, quees, IdentityRules::VerificaRUC_Cedula);
}

int16_t CLSProveedores::pdfvvali_cedu(std::string& lwscedu, std::string& quees) {
  return checkIdentityNumber(lwscedu, quees, IdentityRules::pdfvvali_cedu);
}

}  // namespace valtrone
