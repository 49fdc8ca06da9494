#include "shell/core/fecha_sistema.hpp"

#include <algorithm>
#include <limits>

#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/profile/configuracion.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"

namespace ambrix {

namespace {

std::int16_t toEstado(long filas) {
  return static_cast<std::int16_t>(std::clamp<long>(filas, std::numeric_limits<std::int16_t>::min(),
                                                    std::numeric_limits<std::int16_t>::max()));
}

// The row's "Fechasys" as a time; nullopt when the recordset has no row or the value is no time.
std::optional<vt::conv::DateTime> readClock(const vt::db::Recordset& rs) {
  if (rs.state() != vt::db::State::Open || rs.eof()) return std::nullopt;
  const vt::db::Value& valor = rs.field("Fechasys");
  if (valor.kind() == vt::db::Value::Kind::DateTime) return valor.asTimestamp().value;
  if (valor.kind() == vt::db::Value::Kind::Text) return vt::conv::ParseDateTime(valor.asText());
  return std::nullopt;
}

// Refreshes tbfechasys through the stored query in a transaction of its own, then reads it back.
std::optional<vt::conv::DateTime> fileEngineClock(std::int16_t& iEstado, bool& bActualizada) {
  long filas = 0;
  gConexion->beginTrans();
  try {
    gConexion->execute("sp_FechasysActu", filas, vt::db::CommandType::StoredProc);
  } catch (...) {
    // The error goes to the caller, the refresh transaction does not stay open.
    if (gConexion->inTransaction()) {
      try {
        gConexion->rollbackTrans();
      } catch (...) {
      }
    }
    throw;
  }
  iEstado = toEstado(filas);
  if (filas < 1) {
    gConexion->rollbackTrans();
    bActualizada = false;
    return std::nullopt;
  }
  gConexion->commitTrans();
  vt::db::Recordset rs;
  gsAbreConsulta("*", "tbfechasys", "WHERE (tbfechasys.id)=1", rs);
  return readClock(rs);
}

std::optional<vt::conv::DateTime> serverClock(const std::string& sql) {
  vt::db::Recordset rs;
  rs.open(sql, gConexion);
  return readClock(rs);
}

}  // namespace

std::string gfFechaSistema(std::int16_t& iEstado, const std::string& sTipo,
                           std::optional<vt::conv::DateTime>& dtServidor) {
  dtServidor.reset();
  if (sTipo != "f" && sTipo != "h" && sTipo != "fh") {
    iEstado = -1;
    return "";
  }
  bool bActualizada = true;
  switch (motorActual()) {
    case vt::db::Engine::Access:
      dtServidor = fileEngineClock(iEstado, bActualizada);
      break;
    case vt::db::Engine::Sql:
      dtServidor = serverClock("select getdate() as Fechasys");
      break;
    case vt::db::Engine::Oracle:
      dtServidor = serverClock("select sysdate as Fechasys from dual");
      break;
    default:
      iEstado = -1;
      return kFechaNoConsultada;
  }
  if (!bActualizada) return kFechaNoActualizada;
  if (!dtServidor) {
    iEstado = 0;
    return kFechaNoConsultada;
  }
  const std::string& sFechaCorta = vt::currentConfiguration().sistema.gsFechaCorta;
  const std::string patron = sTipo == "f"   ? sFechaCorta
                             : sTipo == "h" ? "hh:mm:ss"
                                            : sFechaCorta + " hh:mm:ss";
  return vt::conv::FormatDateTime(*dtServidor, patron);
}

std::string gfFechaSistema(std::int16_t& iEstado, const std::string& sTipo) {
  std::optional<vt::conv::DateTime> dtServidor;
  return gfFechaSistema(iEstado, sTipo, dtServidor);
}

}  // namespace ambrix
