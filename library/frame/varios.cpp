// The catalogue lookups of CLSVarios. Whatever connection a caller hands in, they run on the
// thread's gdbConexion; failures raise to the caller.

#include "library/frame/clases_maestras.hpp"
#include "library/frame/comprobaciones.hpp"
#include "library/frame/conexion.hpp"
#include "library/frame/listas_catalogo.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {
namespace {

// The validity filter of a withholding code on the date `day`, as the configured engine writes a
// date. The file engine compares ISO texts through DateValue. No filter is defined for another
// engine: its statement then lacks its head and fails when opened.
std::string validityFilter(vt::db::Engine engine, const vt::conv::Date& day) {
  const std::string literal = vt::db::sqlDate(engine, vt::conv::DateTime{day, 0, 0, 0}, false);
  switch (engine) {
    case vt::db::Engine::Access:
      return "and fe_inicio <= DateValue(" + literal + ") and fe_fin >= DateValue(" + literal + ") ";
    case vt::db::Engine::Sql:
    case vt::db::Engine::Oracle:
      return "and fe_inicio <= " + literal + " and fe_fin >= " + literal + " ";
    default:
      return {};
  }
}

}  // namespace

bool CLSVarios::gfValida_Comprob_x_SecTran_REOC(std::string& sCoComprob, std::string& sCoTransacc,
                                                ConnectionRef& dbConexion) {
  RecordsetRef rs;
  std::string campos = "*", tabla = "tbcttgComprob";
  std::string condition = voucherTypeCondition(sCoComprob) + " and ds_secutran like '%REOC%'";
  if (!gfVerificaRegistro(campos, tabla, condition, dbConexion, rs)) return false;
  return listElementIn(listColumn(*rs, "ds_secutran"), sCoTransacc);
}

bool CLSVarios::gfVerificaRegistro_IR(std::string& sCodigoIR, Date& sfecha, ConnectionRef&,
                                      RecordsetRef& rsregistro) {
  const vt::db::Engine engine = vt::db::parseEngine(vt::conv::Upper(ctx().config.sistema.gsMotorBD));
  const std::string filter = validityFilter(engine, sfecha.toDateTime().date);
  std::string sql;
  if (!filter.empty()) {
    sql =
        "Select co_reten, ds_reten, va_reten, fe_inicio, fe_fin, st_ingreso, st_default "
        "From tbcttgCoRetenIR "
        "Where co_reten = " +
        vt::db::quoteSql(sCodigoIR) + " and st_default = 'A' " + filter;
  }
  sql += "Order by fe_inicio desc";
  rsregistro = std::make_shared<vt::db::Recordset>();
  rsregistro->open(sql, conexionActual());
  return !rsregistro->eof();
}

bool CLSVarios::gfVerificaRegistro(std::string& vCampos, std::string& sNoTabla, std::string& scondicion,
                                   ConnectionRef& dbConexion, RecordsetRef& rsregistro) {
  return gfCuentaRegistros(vCampos, sNoTabla, scondicion, dbConexion, rsregistro);
}

std::optional<RetencionIRVigente> gfRetencionIRVigente(const std::string& co_reten,
                                                       const vt::conv::Date& dia) {
  std::string codigo = co_reten;
  vt::automation::Date fecha = vt::automation::Date::fromDate(dia);
  ConnectionRef conexion;  // the lookup runs on the library connection
  RecordsetRef rs;
  CLSVarios varios;
  varios.gfVerificaRegistro_IR(codigo, fecha, conexion, rs);
  if (rs->eof()) return std::nullopt;
  const vt::db::Value& ingreso = rs->field("st_ingreso");
  return RetencionIRVigente{rs->field("va_reten").asDouble(),
                            ingreso.isNull() ? std::string() : ingreso.asText()};
}

}  // namespace valtrone
