#include "library/frame/maestros.hpp"

#include <exception>

#include "library/frame/conexion.hpp"
#include "library/frame/db_objects.hpp"
#include "library/frame/sentencias.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/errors/err_object.hpp"

namespace valtrone {

void iniciaMiembro() {
  vt::Err().Clear();
  ctx().ultimoError.clear();
}

vt::db::Engine motorConfigurado() {
  return vt::db::parseEngine(vt::conv::Upper(ctx().config.sistema.gsMotorBD));
}

bool enBlanco(std::string_view text) { return vt::conv::Trim(text).empty(); }

std::string piezaTexto(std::string_view value) { return vt::db::quoteSql(value) + ", "; }

std::string clave(std::string_view text, std::string_view mask) {
  return vt::db::escapeSql(vt::conv::FormatNumberText(text, mask));
}

std::string rellenaDigitos(std::string_view text, std::size_t width) {
  std::string trimmed = vt::conv::Trim(text);
  if (trimmed.empty()) return trimmed;
  for (char c : trimmed) {
    if (c < '0' || c > '9') return trimmed;
  }
  if (trimmed.size() < width) trimmed.insert(0, width - trimmed.size(), '0');
  return trimmed;
}

CopiaRegistro::CopiaRegistro(std::string_view mode) {
  const std::string upper = vt::conv::Upper(mode);
  if (upper == "C" || upper == "D") mode_ = upper[0];
}

std::optional<vt::conv::DateTime> horaServidor(std::string& sMsgError) {
  int16_t status = 0;
  gfFechaServidor(status, "fh");
  if (status >= 0 && ctx().serverTime) return ctx().serverTime;
  sMsgError = "Error al consultar fecha";
  gfCierraConexion();
  return std::nullopt;
}

bool insertaConfirmando(const Insercion& fila, const std::string& tabla, const char* fallo,
                        std::string& sMsgsError) {
  vt::db::Connection& connection = conexionActual();
  connection.beginTrans();
  int32_t count = 0;
  gsInsertaFila(fila.campos, tabla, fila.valores, count);
  if (count < 1) {
    connection.rollbackTrans();
    sMsgsError = std::string(fallo) + kCrLf + ctx().ultimoError;
    gfCierraConexion();
    return false;
  }
  connection.commitTrans();
  return true;
}

TransactionGuard::TransactionGuard() : pendingOnEntry_(std::uncaught_exceptions()) {}

TransactionGuard::~TransactionGuard() {
  if (std::uncaught_exceptions() <= pendingOnEntry_) return;
  try {
    const ConnectionRef& connection = ctx().gdbConexion;
    if (!connection || connection->state() != vt::db::State::Open) return;
    if (connection->inTransaction()) connection->rollbackTrans();
    connection->close();
  } catch (...) {
    // The error on its way to the caller is the one that counts.
  }
}

}  // namespace valtrone
