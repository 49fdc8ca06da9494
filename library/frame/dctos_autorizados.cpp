// A supplier's authorised document ranges (tbProveeCmprAutoriza), and single rows of the
// authorised voucher types of its establishments (tbAutorizaDctos).

#include "library/frame/clases_maestras.hpp"
#include "library/frame/comprobaciones_maestras.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/maestros.hpp"
#include "library/frame/rangos.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/sentencias_maestras.hpp"
#include "platform/automation/variant.hpp"

namespace valtrone {
namespace {

constexpr const char* kAutorizaDctos = "tbAutorizaDctos";

// Columns read back: an empty column written by another tool reads as "", 0 or no date; a value
// of a wrong kind still raises.
std::string textOf(const vt::db::Value& v) { return v.isNull() ? std::string() : toVariant(v).toString(); }
int32_t longOf(const vt::db::Value& v) { return v.isNull() ? 0 : toVariant(v).toI4(); }
Date dateOf(const vt::db::Value& v) { return v.isNull() ? Date{} : toVariant(v).toDate(); }

}  // namespace

void CLSDctosAutorizados::pCopiaDatosDctos(const std::string& mode) { copiaRango(*this, sco_provee, mode); }

bool CLSDctosAutorizados::Consultar_CmprVnta_Indivi_NO(std::string&, std::string&, std::string&,
                                                       std::string& sMsgsError) {
  iniciaMiembro();
  // The key comes from the properties; the arguments are accepted and not read.
  pCopiaDatosDctos("c");
  TpDctosAutorizados& r = ctx().tpDctosAutorizados;
  gfAbreConexion();
  TransactionGuard guard;
  RecordsetRef rs;
  gsConsultaRegistro("*", kAutorizaDctos, condicionAutorizaDctos(r.sco_provee, r.sco_Estable, r.sco_CmpteVta),
                     rs);
  if (rs->eof()) {
    sMsgsError = "No existe información de comprobante";
    return false;
  }
  TpDctosAutorizados row;
  row.sco_provee = textOf(rs->field("co_provee"));
  row.sco_Estable = textOf(rs->field("co_estable"));
  row.sco_CmpteVta = textOf(rs->field("co_cmpt_vta"));
  row.snu_Serie = textOf(rs->field("Nu_Serie"));
  row.lnu_SecuIni = longOf(rs->field("nu_sec_ini"));
  row.lnu_SecuFin = longOf(rs->field("nu_sec_fin"));
  row.snu_Autoriza = textOf(rs->field("nu_autoriza"));
  row.ffe_Validez = dateOf(rs->field("fe_validez"));
  row.sco_Impta = textOf(rs->field("co_autz_impt"));
  row.sco_usuario = textOf(rs->field("co_usua"));
  row.ffe_regis = dateOf(rs->field("fe_regis"));
  row.sco_modi = textOf(rs->field("co_modi"));
  row.ffe_modi = dateOf(rs->field("fe_modi"));
  row.sds_wrkst = textOf(rs->field("ds_wrkst"));
  r = row;
  gfCierraConexion();
  pCopiaDatosDctos("D");
  return true;
}

int32_t CLSDctosAutorizados::Eliminar_CmprVnta_Indivi_NO(std::string& sEmpresa, std::string& sEstableci,
                                                         std::string& sCmprVnta, std::string& sMsgsError) {
  iniciaMiembro();
  gfAbreConexion();
  TransactionGuard guard;
  vt::db::Connection& connection = conexionActual();
  connection.beginTrans();
  int32_t count = 0;
  gsEliminaFila(kAutorizaDctos, condicionAutorizaDctos(sEmpresa, sEstableci, sCmprVnta), count);
  if (count > 0) {
    connection.commitTrans();
  } else {
    sMsgsError = "No se eliminó registro ";
    connection.rollbackTrans();
  }
  return count;
}

int32_t CLSDctosAutorizados::Dctos_Eliminar(std::string& sEmpresa, std::string& sEstableci,
                                            std::string& sNuSerie, std::string& sCmprVnta,
                                            std::string& sMsgsError) {
  iniciaMiembro();
  return eliminaRangos(kRangosProveedor, sEmpresa, sEstableci, sNuSerie, sCmprVnta, sMsgsError);
}

int32_t CLSDctosAutorizados::Dctos_Actualizar(std::string& sMsgsError) {
  iniciaMiembro();
  pCopiaDatosDctos("C");
  std::string checks;
  if (!gfValidaDctosAutorizados(checks)) {
    sMsgsError = checks;
    return 0;
  }
  if (enBlanco(sco_modi)) {
    sMsgsError = "Codigo de usuario no válido. ";
    return 0;
  }
  return actualizaRango(kRangosProveedor, sds_wrkst, sMsgsError);
}

RecordsetRef CLSDctosAutorizados::Dctos_Consultar(std::string& sEmpresa, std::string& sEstableci,
                                                  std::string& sSerie, std::string& sCmprVnta,
                                                  std::string& sQuery, std::string& sMsgsError) {
  iniciaMiembro();
  pCopiaDatosDctos("C");
  return consultaRangos(kRangosProveedor, sEmpresa, sEstableci, sSerie, sCmprVnta, sQuery, sMsgsError);
}

bool CLSDctosAutorizados::Dctos_Ingresar(std::string& sMsgsError) {
  iniciaMiembro();
  pCopiaDatosDctos("C");
  std::string checks;
  if (!gfValidaDctosAutorizados(checks)) {
    sMsgsError = checks;
    return false;
  }
  if (enBlanco(sco_usuario)) {
    sMsgsError = "Codigo de usuario no válido. ";
    return false;
  }
  gfAbreConexion();
  TransactionGuard guard;
  if (rangoDuplicado(kRangosProveedor)) {
    sMsgsError = "Error, Registro duplicado...";
    return false;
  }
  const auto hora = horaServidor(sMsgsError);
  if (!hora) return false;
  if (enBlanco(sds_wrkst)) sds_wrkst = ctx().config.gsEstacion;
  return insertaConfirmando(
      insercionRangoProveedor(motorConfigurado(), ctx().tpDctosAutorizados, sds_wrkst, *hora),
      kRangosProveedor.tabla, "Error. No se realizó ingreso de comprobante ", sMsgsError);
}

}  // namespace valtrone
