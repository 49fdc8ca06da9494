// The company's own authorised document ranges (tbEmprCmprAutoriza).

#include "library/frame/clases_maestras.hpp"
#include "library/frame/comprobaciones_maestras.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/maestros.hpp"
#include "library/frame/rangos.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/sentencias_maestras.hpp"

namespace valtrone {

void CLSDctosEmpresas::pCopiaDatosDctosEmpresa(const std::string& mode) {
  copiaRango(*this, sco_empresa, mode);
}

RecordsetRef CLSDctosEmpresas::DctosEmpresa_Consultar(std::string& sEmpresa, std::string& sEstableci,
                                                      std::string& sSerie, std::string& sCmprVnta,
                                                      std::string& sQuery, std::string& sMsgsError) {
  iniciaMiembro();
  pCopiaDatosDctosEmpresa("C");
  return consultaRangos(kRangosEmpresa, sEmpresa, sEstableci, sSerie, sCmprVnta, sQuery, sMsgsError);
}

bool CLSDctosEmpresas::DctosEmpresa_Ingresar(std::string& sMsgsError) {
  iniciaMiembro();
  pCopiaDatosDctosEmpresa("C");
  std::string checks;
  if (!gfValidaDctosEmpresa(checks)) {
    sMsgsError = checks;
    return false;
  }
  gfAbreConexion();
  TransactionGuard guard;
  if (rangoDuplicado(kRangosEmpresa)) {
    sMsgsError = "Error, Registro duplicado...";
    return false;
  }
  const auto hora = horaServidor(sMsgsError);
  if (!hora) return false;
  // The caller's own audit times are kept; one never set would store 30/12/1899, so the server's
  // time stands in for it.
  const TpDctosAutorizados& r = ctx().tpDctosAutorizados;
  const auto audit = [&hora](const Date& own) { return own.hasDate() ? own.toDateTime() : *hora; };
  return insertaConfirmando(insercionRangoEmpresa(motorConfigurado(), r, ctx().config.gsEstacion,
                                                  audit(r.ffe_regis), audit(r.ffe_modi)),
                            kRangosEmpresa.tabla, "Error. No se realizó ingreso de comprobante ", sMsgsError);
}

int32_t CLSDctosEmpresas::DctosEmpresa_Actualizar(std::string& sMsgsError) {
  iniciaMiembro();
  pCopiaDatosDctosEmpresa("C");
  if (enBlanco(sco_modi)) {
    sMsgsError = "Codigo de usuario no válido. ";
    return 0;
  }
  // It reads the clock itself: the time an earlier call left in the thread may be none at all.
  return actualizaRango(kRangosEmpresa, sds_wrkst, sMsgsError);
}

int32_t CLSDctosEmpresas::DctosEmpresa_Eliminar(std::string& sEmpresa, std::string& sEstableci,
                                                std::string& sNuSerie, std::string& sCmprVnta,
                                                std::string& sMsgsError) {
  iniciaMiembro();
  return eliminaRangos(kRangosEmpresa, sEmpresa, sEstableci, sNuSerie, sCmprVnta, sMsgsError);
}

}  // namespace valtrone
