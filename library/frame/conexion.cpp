#include "library/frame/conexion.hpp"

#include <memory>

#include "library/frame/errores.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/automation/errors.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/connection_text.hpp"
#include "platform/database/errors.hpp"
#include "platform/database/file_lookup.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/profile/system_info.hpp"

namespace valtrone {
namespace {

void showCritical(const std::string& text) {
  try {
    vt::currentMessages().mostrar(text, vt::Botones::Aceptar, vt::Icono::Critico, "");
  } catch (...) {
    // A notifier that fails must not turn a reported failure into a raised one.
  }
}

// Fechasys as a date-time, whatever kind the engine handed back.
vt::conv::DateTime asDateTime(const vt::db::Value& value) {
  if (value.kind() == vt::db::Value::Kind::DateTime) return value.asTimestamp().value;
  if (value.kind() == vt::db::Value::Kind::Text) {
    if (auto parsed = vt::conv::ParseDateTime(value.asText())) return *parsed;
  }
  if (value.isNull()) vt::db::raise(vt::db::kErrInvalidUseOfNull, "Valtrone");
  vt::db::raise(vt::db::kErrTypeMismatch, "Valtrone");
}

vt::db::Engine engineOf(const vt::ConfiguracionSistema& s) {
  return vt::db::parseEngine(vt::conv::Upper(s.gsMotorBD));
}

}  // namespace

ConnectionPlan connectionPlan(const vt::ConfiguracionSistema& s) {
  ConnectionPlan plan;
  const vt::db::Engine engine = engineOf(s);
  if (engine == vt::db::Engine::Access) {
    plan.opens = true;
    plan.text = s.gsPathDB + s.gsNombreBD;
    plan.user = s.gsUsuarioBD;
    plan.password = s.gsClaveBD;
    return plan;
  }
  plan.text = vt::db::serverConnectionText(
      engine, {s.gsTipoConexion, s.gsProveedorBD, s.gsServidorBD, s.gsNombreBD, s.gsUsuarioBD, s.gsClaveBD},
      s.gsProveedorBD);
  plan.opens = !plan.text.empty();
  plan.driverText = vt::db::usesSqlServerDriver(engine, s.gsTipoConexion);
  return plan;
}

std::optional<vt::Error> gfAbreConexion() {
  ThreadContext& c = ctx();
  vt::ConfiguracionSistema& s = c.config.sistema;
  // The previous connection is released; closing it rolls back a transaction left open on it.
  c.gdbConexion = std::make_shared<vt::db::Connection>();
  vt::db::Connection& connection = *c.gdbConexion;
  for (std::string* folder :
       {&s.gsPathApp, &s.gsPathReportAccess, &s.gsPathReportSQL, &s.gsPathReportOracle, &s.gsPathDB}) {
    *folder = vt::withTrailingSlash(*folder);
  }
  try {
    const ConnectionPlan plan = connectionPlan(s);
    if (engineOf(s) == vt::db::Engine::Access) {
      connection.setProvider(s.gsProveedorBD);
      if (!vt::db::findFileNoCase(plan.text)) {
        showCritical("No se ha encontrado base de datos en la ruta: " + plan.text);
      }
    }
    if (plan.driverText) {
      connection.setCursorLocation(3);
      connection.setConnectionTimeout(60);
    }
    // Before the open: the file engine takes its wait for another writer from here.
    connection.setCommandTimeout(s.giTimeoutBD);
    if (plan.opens) connection.open(plan.text, plan.user, plan.password);
    return std::nullopt;
  } catch (const vt::Error& e) {
    noteError(e);
    showCritical("Ha ocurrido el error conexion a la Base de Datos" + std::to_string(e.number()) + " " +
                 e.description());
    return e;
  } catch (...) {
    noteCurrentError();
    showCritical("Ha ocurrido el error conexion a la Base de Datos" + std::to_string(vt::Err().Number) + " " +
                 vt::Err().Description);
    return vt::Error(vt::Err().Number, vt::Err().Source, vt::Err().Description);
  }
}

void gfCierraConexion() {
  ThreadContext& c = ctx();
  if (!c.gdbConexion) vt::automation::raise(vt::automation::kErrObjectNotSet, "Valtrone");
  if (c.gdbConexion->state() == vt::db::State::Open) c.gdbConexion->close();
}

vt::db::Connection& conexionActual() {
  ThreadContext& c = ctx();
  if (!c.gdbConexion) vt::automation::raise(vt::automation::kErrObjectNotSet, "Valtrone");
  return *c.gdbConexion;
}

namespace {

std::string readServerTime(int16_t& status, const std::string& kind) {
  ThreadContext& c = ctx();
  c.serverTime.reset();
  c.serverTimeText.clear();
  if (kind != "f" && kind != "h" && kind != "fh") {
    status = -1;
    return c.serverTimeText;
  }
  const vt::ConfiguracionSistema& s = c.config.sistema;
  const vt::db::Engine engine = engineOf(s);
  std::shared_ptr<vt::db::Recordset> rs;
  if (engine == vt::db::Engine::Access) {
    vt::db::Connection& connection = conexionActual();
    connection.beginTrans();
    long affected = 0;
    try {
      connection.execute("sp_FechasysActu", affected, vt::db::CommandType::StoredProc);
    } catch (...) {
      // Raised to the caller, but not with the transaction still open.
      if (connection.state() == vt::db::State::Open && connection.inTransaction()) connection.rollbackTrans();
      throw;
    }
    status = static_cast<int16_t>(affected);
    if (affected < 1) {
      connection.rollbackTrans();
      c.serverTimeText = "No se pudo actualizar la fecha del sistema...";
      return c.serverTimeText;
    }
    connection.commitTrans();
    gsConsultaRegistro("*", "tbfechasys", "WHERE (tbfechasys.id)=1", rs);
  } else if (engine == vt::db::Engine::Sql || engine == vt::db::Engine::Oracle) {
    rs = std::make_shared<vt::db::Recordset>();
    rs->open(engine == vt::db::Engine::Sql ? "select getdate() as Fechasys"
                                           : "select sysdate as Fechasys from dual",
             conexionActual());
    if (rs->eof()) {
      status = 0;
      c.serverTimeText = "Error al consultar la fecha del sistema...";
      return c.serverTimeText;
    }
  } else {
    // No query is defined for another engine: there is no recordset to read the field from.
    vt::automation::raise(vt::automation::kErrObjectNotSet, "Valtrone");
  }
  const vt::conv::DateTime when = asDateTime(rs->field("Fechasys"));
  std::string pattern = kind == "f"   ? s.gsFechaCorta
                        : kind == "h" ? "hh:mm:ss"
                                      : s.gsFechaCorta + " " + s.gsHora;
  c.serverTimeText = vt::conv::FormatDateTime(when, pattern);
  c.serverTime = when;
  return c.serverTimeText;
}

}  // namespace

std::string gfFechaServidor(int16_t& status, const std::string& kind) {
  try {
    return readServerTime(status, kind);
  } catch (...) {
    noteCurrentError();
    throw;
  }
}

}  // namespace valtrone
