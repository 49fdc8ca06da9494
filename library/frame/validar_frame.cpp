// The members of the validator class that belong to the frame: the blank rule and the two
// statement members.

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/errores.hpp"
#include "library/frame/sentencias.hpp"
#include "platform/automation/errors.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

std::string CLSValidarInformacion::fValidaVacio(std::string& sDato) { return vt::conv::BlankToZero(sDato); }

std::string CLSValidarInformacion::fValidaVacio(vt::automation::NullableText& sDato) {
  try {
    if (sDato.value.isNull() || sDato.value.isEmpty()) return "0";
    return vt::conv::BlankToZero(sDato.value.toString());
  } catch (const vt::Error&) {
    return "";  // any error inside is ignored: the result stays empty
  }
}

void CLSValidarInformacion::lsEjecutaSelect(std::string campos, std::string tablas, std::string condicion,
                                            ConnectionRef& dbConexion, vt::automation::Variant& rsaux) {
  RecordsetRef rs;
  gsSelectConexion(std::move(campos), std::move(tablas), std::move(condicion), dbConexion, rs);
  rsaux = vt::automation::ArgTraits<RecordsetRef>::to(rs);
}

void CLSValidarInformacion::lsEjecutaInsert(std::string campos, std::string tablas, std::string valores,
                                            ConnectionRef& dbConexion, int32_t& nreg) {
  if (!dbConexion) vt::automation::raise(vt::automation::kErrObjectNotSet, "Valtrone");
  long affected = 0;
  try {
    dbConexion->execute(textoInsert(campos, tablas, valores), affected);
  } catch (...) {
    noteCurrentError();
    throw;
  }
  nreg = static_cast<int32_t>(affected);
}

}  // namespace valtrone
