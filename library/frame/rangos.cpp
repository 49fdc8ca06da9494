// The statements and the shared flows of the two classes of authorised document ranges.

#include "library/frame/rangos.hpp"

#include "library/frame/conexion.hpp"
#include "library/frame/listas_catalogo.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/sentencias_maestras.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {
namespace {

using vt::conv::Trim;
using vt::db::Engine;
using vt::db::escapeSql;

constexpr const char* kRuc = "0000000000000";

// Val(text) > 0: the filters of a query leave out a part that is blank, zero or no number.
bool above0(const std::string& text) { return vt::conv::LeadingNumber(Trim(text)) > 0; }

std::string duenoCondicion(std::string_view columna, const std::string& dueno) {
  return "where " + std::string(columna) + "  = '" + clave(dueno, kRuc) + "' ";
}

// The key pieces of a value list, and the sequence numbers after them.
std::string keyValues(const TpDctosAutorizados& r) {
  return piezaTexto(vt::conv::FormatNumberText(r.sco_provee, kRuc)) +
         piezaTexto(vt::conv::FormatNumberText(r.sco_Estable, "000")) +
         piezaTexto(vt::conv::FormatNumberText(r.sco_CmpteVta, "00")) +
         piezaTexto(vt::conv::FormatNumberText(r.snu_Serie, "000000")) + std::to_string(r.lnu_SecuIni) +
         ", " + std::to_string(r.lnu_SecuFin) + ", " + piezaTexto(rellenaDigitos(r.snu_Autoriza, 10));
}

bool tipoDesconocido(const std::string& sCmprVnta) {
  RecordsetRef rs;
  gsConsultaRegistro("*", "tbcttgComprob", "where " + voucherTypeCondition(sCmprVnta), rs);
  return rs->eof();
}

}  // namespace

const TablaRangos kRangosProveedor{"tbProveeCmprAutoriza", "co_provee", "RUC de Proveedor no válido ",
                                   "RUC de Proveedor no válido ",
                                   "Error. No existe información de comprobante "};
const TablaRangos kRangosEmpresa{"tbEmprCmprAutoriza", "co_empresa", "RUC de Empresa no válido ",
                                 "Codigo de Cliente no válido ",
                                 "No existe información de comprobantes de Empresa"};

Insercion insercionRangoProveedor(Engine engine, const TpDctosAutorizados& r, const std::string& sds_wrkst,
                                  const vt::conv::DateTime& hora) {
  const bool oracle = engine == Engine::Oracle;
  const std::string stamp = vt::db::sqlDate(engine, hora, true) + ", ";
  const std::string user = piezaTexto(Trim(r.sco_usuario));
  Insercion s;
  s.campos =
      std::string("( ") + (oracle ? "id_reg, " : "") +
      "co_provee , co_estable, co_cmpt_vta, nu_serie, nu_sec_ini, nu_sec_fin, nu_autoriza, fe_validez, "
      "co_impta, " +
      "co_usua, fe_regis, co_modi, fe_modi, ds_wrkst) ";
  s.valores = std::string("(") + (oracle ? "tbProvCmprAutoriza_ID_REG_SEC.Nextval, " : "") + keyValues(r) +
              vt::db::sqlDate(engine, r.ffe_Validez.toDateTime(), true) + ", " +
              piezaTexto(rellenaDigitos(r.sco_Impta, 4)) + user + stamp + user + stamp + "'" +
              escapeSql(sds_wrkst) + "' " + ") ";
  return s;
}

Insercion insercionRangoEmpresa(Engine engine, const TpDctosAutorizados& r, const std::string& estacion,
                                const vt::conv::DateTime& registro, const vt::conv::DateTime& modificacion) {
  const bool oracle = engine == Engine::Oracle;
  Insercion s;
  s.campos =
      std::string("( ") + (oracle ? "id_reg, " : "") +
      "co_empresa, co_estable, co_cmpt_vta, nu_serie, nu_sec_ini, nu_sec_fin, nu_autoriza, fe_validez, "
      "co_impta, " +
      " co_usua, fe_regis, co_modi, fe_modi, ds_wrkst) ";
  s.valores = std::string("(") + (oracle ? "tbEmprCmprAutoriza_ID_REG_SEC.Nextval, " : "") + keyValues(r) +
              vt::db::sqlDate(engine, r.ffe_Validez.toDateTime(), false) + ", " +
              piezaTexto(rellenaDigitos(r.sco_Impta, 4)) + piezaTexto(Trim(r.sco_usuario)) +
              vt::db::sqlDate(engine, registro, true) + ", " + piezaTexto(Trim(r.sco_modi)) +
              vt::db::sqlDate(engine, modificacion, true) + ", " + "'" + escapeSql(estacion) + "' " + ") ";
  return s;
}

std::string asignacionesRango(Engine engine, const TpDctosAutorizados& r, const std::string& sds_wrkst,
                              const vt::conv::DateTime& hora) {
  std::string s = "nu_sec_ini = " + std::to_string(r.lnu_SecuIni) + ", " +
                  "nu_sec_fin = " + std::to_string(r.lnu_SecuFin) + ", " + "nu_autoriza = '" +
                  escapeSql(r.snu_Autoriza) + "', ";
  if (engine == Engine::Access || engine == Engine::Sql || engine == Engine::Oracle) {
    s += "fe_validez = " + vt::db::sqlDate(engine, r.ffe_Validez.toDateTime(), false) + ", ";
  }
  s += "co_impta = '" + vt::conv::VbStr(vt::conv::LeadingNumber(r.sco_Impta)) + "', ";
  s += "co_modi = '" + escapeSql(r.sco_modi) + "', ";
  s += "fe_modi = " + vt::db::sqlDate(engine, hora, true) + ", ";
  s += "ds_wrkst = '" + escapeSql(sds_wrkst) + "' ";
  return s;
}

std::string condicionClaveRango(std::string_view columna, const TpDctosAutorizados& r) {
  return duenoCondicion(columna, r.sco_provee) + "and co_estable = '" + clave(r.sco_Estable, "000") + "' " +
         "and co_cmpt_vta = '" + clave(r.sco_CmpteVta, "00") + "' " + "and nu_serie = '" +
         clave(r.snu_Serie, "000000") + "' ";
}

std::string condicionActualizaRango(std::string_view columna, const TpDctosAutorizados& r) {
  std::string s = duenoCondicion(columna, r.sco_provee);
  if (!enBlanco(r.sco_CmpteVta)) s += "and co_cmpt_vta = '" + clave(r.sco_CmpteVta, "00") + "' ";
  if (!enBlanco(r.snu_Serie)) s += "and nu_serie = '" + clave(r.snu_Serie, "000000") + "' ";
  return s;
}

std::string condicionConsultaRango(std::string_view columna, const std::string& sEmpresa,
                                   const std::string& sEstableci, const std::string& sSerie,
                                   const std::string& sCmprVnta, const std::string& sQuery) {
  std::string s = duenoCondicion(columna, sEmpresa);
  if (above0(sEstableci)) s += "and co_estable = '" + clave(sEstableci, "000") + "' ";
  if (above0(sSerie)) s += "and nu_serie = '" + clave(sSerie, "000000") + "' ";
  if (above0(sCmprVnta)) s += " and co_cmpt_vta = '" + clave(sCmprVnta, "00") + "' ";
  if (!enBlanco(sQuery)) s += " and " + sQuery;
  return s;
}

std::string condicionEliminaRango(std::string_view columna, const std::string& sEmpresa,
                                  const std::string& sEstableci, const std::string& sCmprVnta,
                                  const std::string& sNuSerie) {
  std::string s = duenoCondicion(columna, sEmpresa);
  if (!enBlanco(sEstableci)) s += "and co_estable = '" + clave(sEstableci, "000") + "' ";
  if (!enBlanco(sCmprVnta)) s += "and co_cmpt_vta = '" + clave(sCmprVnta, "00") + "' ";
  if (!enBlanco(sNuSerie)) s += "and nu_serie = '" + clave(sNuSerie, "000000") + "' ";
  return s;
}

std::string condicionAutorizaDctos(const std::string& sEmpresa, const std::string& sEstableci,
                                   const std::string& sCmprVnta) {
  return duenoCondicion("co_provee", sEmpresa) + "and co_estable = '" + clave(sEstableci, "000") + "' " +
         "and co_cmpt_vta = '" + clave(sCmprVnta, "00") + "' ";
}

RecordsetRef consultaRangos(const TablaRangos& t, const std::string& sEmpresa, const std::string& sEstableci,
                            const std::string& sSerie, const std::string& sCmprVnta,
                            const std::string& sQuery, std::string& sMsgsError) {
  sMsgsError.clear();
  gfAbreConexion();
  TransactionGuard guard;
  if (enBlanco(sEmpresa)) sMsgsError += std::string(t.consultaDuenoNoValido) + kCrLf;
  if (above0(sCmprVnta) && tipoDesconocido(sCmprVnta)) {
    sMsgsError += std::string("Codigo de comprobante no existe o no registrado. ") + kCrLf;
  }
  if (!enBlanco(sMsgsError)) return nullptr;
  RecordsetRef rs;
  gsConsultaRegistro("*", t.tabla,
                     condicionConsultaRango(t.columnaDueno, sEmpresa, sEstableci, sSerie, sCmprVnta, sQuery),
                     rs);
  if (rs->eof()) sMsgsError = t.consultaVacia;
  return rs;
}

int32_t eliminaRangos(const TablaRangos& t, const std::string& sEmpresa, const std::string& sEstableci,
                      const std::string& sNuSerie, const std::string& sCmprVnta, std::string& sMsgsError) {
  gfAbreConexion();
  TransactionGuard guard;
  if (enBlanco(sEmpresa)) sMsgsError += std::string(t.duenoNoValido) + kCrLf;
  if (!vt::conv::IsNumericText(sEstableci)) {
    sMsgsError += std::string("Código de Establecimiento debe ser numérico ") + kCrLf;
  }
  if (!enBlanco(sCmprVnta) && tipoDesconocido(sCmprVnta)) {
    sMsgsError += std::string("Codigo de comprobante no existe en tabla. ") + kCrLf;
  }
  if (!enBlanco(sMsgsError)) return 0;
  vt::db::Connection& connection = conexionActual();
  connection.beginTrans();
  int32_t count = 0;
  gsEliminaFila(t.tabla, condicionEliminaRango(t.columnaDueno, sEmpresa, sEstableci, sCmprVnta, sNuSerie),
                count);
  if (count > 0) {
    connection.commitTrans();
  } else {
    sMsgsError = std::string("Error. No se eliminó registro de comprobante ") + kCrLf + ctx().ultimoError;
    connection.rollbackTrans();
  }
  return count;
}

int32_t actualizaRango(const TablaRangos& t, std::string& sds_wrkst, std::string& sMsgsError) {
  if (enBlanco(sds_wrkst)) sds_wrkst = ctx().config.gsEstacion;
  gfAbreConexion();
  TransactionGuard guard;
  const auto hora = horaServidor(sMsgsError);
  if (!hora) return 0;
  const TpDctosAutorizados& r = ctx().tpDctosAutorizados;
  vt::db::Connection& connection = conexionActual();
  connection.beginTrans();
  int32_t count = 0;
  gsActualizaRegistro(asignacionesRango(motorConfigurado(), r, sds_wrkst, *hora), t.tabla,
                      condicionActualizaRango(t.columnaDueno, r), count);
  if (count > 0) {
    connection.commitTrans();
  } else {
    sMsgsError =
        std::string("Error. No se actualizo información de comprobante ") + kCrLf + ctx().ultimoError;
    connection.rollbackTrans();
  }
  return count;
}

bool rangoDuplicado(const TablaRangos& t) {
  RecordsetRef rs;
  gsConsultaRegistro("*", t.tabla, condicionClaveRango(t.columnaDueno, ctx().tpDctosAutorizados), rs);
  return !rs->eof();
}

}  // namespace valtrone
