// A supplier's establishments (tbProveeEstablecmts) after the main one: registration, query,
// update and delete by key. sCampos and sQuery are SQL written by the caller and go into the
// statement as they stand (a trusted caller's contract); on the file engine a command text runs as
// one statement, so neither can add a second one.

#include "library/frame/clases_maestras.hpp"
#include "library/frame/comprobaciones_maestras.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/maestros.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/sentencias_maestras.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {
namespace {

constexpr const char* kTabla = "tbProveeEstablecmts";

// The checks of an update or a delete, appended to the caller's text.
void refuseKey(std::string& sMsgsError, const std::string& sEmpresa, const char* companyMessage,
               const std::string& sEstableci) {
  if (enBlanco(sEmpresa)) sMsgsError += std::string(companyMessage) + kCrLf;
  if (!vt::conv::IsNumericText(sEstableci)) {
    sMsgsError += std::string("Código de Establecimiento debe ser numérico ") + kCrLf;
  }
}

}  // namespace

void CLSEstablecimientos::pCopiaDatosEstable(const std::string& mode) {
  TpEstablecimiento& r = ctx().tpEstablecimiento;
  const CopiaRegistro copia(mode);
  copia(sco_provee, r.sco_provee);
  copia(sco_Estable, r.sco_Estable);
  copia(sds_Estable, r.sds_Estable);
  copia(sco_pais, r.sco_pais);
  copia(sco_Provin, r.sco_Provin);
  copia(sco_ciudad, r.sco_ciudad);
  copia(sds_Direcc, r.sds_Direcc);
  copia(snu_telefono1, r.snu_telefono1);
  copia(snu_telefono2, r.snu_telefono2);
  copia(snu_Fax, r.snu_Fax);
  copia(sst_estable, r.sst_estable);
  copia(sco_usuario, r.sco_usuario);
  copia(ffe_regis, r.ffe_regis);
  copia(sco_modi, r.sco_modi);
  copia(ffe_modi, r.ffe_modi);
  copia(sds_wrkst, r.sds_wrkst);
}

bool CLSEstablecimientos::Sucur_Ingresar(std::string& sMsgsError) {
  iniciaMiembro();
  pCopiaDatosEstable("C");
  const TpEstablecimiento& r = ctx().tpEstablecimiento;
  std::string checks;
  if (!gfValidaEstablecimiento(checks)) {
    sMsgsError = checks;
    return false;
  }
  if (enBlanco(r.sco_usuario)) {
    sMsgsError = "Codigo de usuario no válido";
    return false;
  }
  if (enBlanco(r.sco_Estable)) {
    sMsgsError = "Error, Codigo de Establecimiento no válido...";
    return false;
  }

  gfAbreConexion();
  TransactionGuard guard;
  RecordsetRef rs;
  gsConsultaRegistro("*", kTabla, condicionEstablecimiento(r.sco_provee, r.sco_Estable), rs);
  if (!rs->eof()) {
    sMsgsError = "Error, Registro duplicado...";
    return false;
  }
  const auto hora = horaServidor(sMsgsError);
  if (!hora) return false;
  if (enBlanco(sds_wrkst)) sds_wrkst = ctx().config.gsEstacion;
  return insertaConfirmando(insercionEstablecimiento(motorConfigurado(), r, sds_wrkst, *hora), kTabla,
                            "Error. No se ingresó información de registro ", sMsgsError);
}

RecordsetRef CLSEstablecimientos::Sucur_Consultar(std::string& sEmpresa, std::string& sEstableci,
                                                  std::string& sQuery, std::string& sMsgsError) {
  iniciaMiembro();
  pCopiaDatosEstable("C");
  sMsgsError.clear();
  gfAbreConexion();
  TransactionGuard guard;
  if (enBlanco(sEmpresa)) {
    sMsgsError += std::string("RUC de Empresa no válido ") + kCrLf;
    return nullptr;
  }
  std::string condition = "WHERE co_provee  = '" + clave(sEmpresa, "0000000000000") + "' ";
  if (!enBlanco(sEstableci)) condition += " and co_estable = '" + clave(sEstableci, "000") + "' ";
  if (!enBlanco(sQuery)) condition += " and " + sQuery;
  condition += " order by co_estable ";
  RecordsetRef rs;
  gsConsultaRegistro("*", kTabla, condition, rs);
  if (rs->eof())
    sMsgsError = std::string("No existe información de establecimiento ") + kCrLf + ctx().ultimoError;
  return rs;
}

int32_t CLSEstablecimientos::Sucur_Actualizar(std::string& sEmpresa, std::string& sEstableci,
                                              std::string& sCampos, std::string& sMsgsError) {
  iniciaMiembro();
  gfAbreConexion();
  TransactionGuard guard;
  refuseKey(sMsgsError, sEmpresa, "RUC de Empresa no válido ", sEstableci);
  if (enBlanco(sCampos)) sMsgsError += std::string("Campos a actualizar no válidos ") + kCrLf;
  if (!enBlanco(sMsgsError)) return 0;
  vt::db::Connection& connection = conexionActual();
  connection.beginTrans();
  int32_t count = 0;
  gsActualizaRegistro(sCampos, kTabla, condicionEstablecimiento(sEmpresa, sEstableci), count);
  if (count > 0) {
    connection.commitTrans();
  } else {
    sMsgsError = std::string("Error. No se actualizó establecimiento ") + kCrLf + ctx().ultimoError;
    connection.rollbackTrans();
  }
  return count;
}

int32_t CLSEstablecimientos::Sucur_Eliminar(std::string& sEmpresa, std::string& sEstableci,
                                            std::string& sMsgsError) {
  iniciaMiembro();
  gfAbreConexion();
  TransactionGuard guard;
  refuseKey(sMsgsError, sEmpresa, "RUC de Proveedor no válido ", sEstableci);
  if (!enBlanco(sMsgsError)) return 0;
  vt::db::Connection& connection = conexionActual();
  connection.beginTrans();
  int32_t count = 0;
  gsEliminaFila(kTabla, condicionEstablecimiento(sEmpresa, sEstableci), count);
  if (count > 0) {
    connection.commitTrans();
  } else {
    sMsgsError = std::string("Error. No se eliminó registro ") + kCrLf + ctx().ultimoError;
    connection.rollbackTrans();
  }
  return count;
}

}  // namespace valtrone
