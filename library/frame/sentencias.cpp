#include "library/frame/sentencias.hpp"

#include "library/frame/conexion.hpp"
#include "library/frame/errores.hpp"
#include "library/frame/thread_context.hpp"

namespace valtrone {
namespace {

// Runs a change statement on gdbConexion; the count is written only on success.
void executeCounting(const std::string& sql, int32_t& count) {
  long affected = 0;
  conexionActual().execute(sql, affected);
  count = static_cast<int32_t>(affected);
}

void executeSwallowing(const std::string& sql, int32_t& count) {
  try {
    executeCounting(sql, count);
  } catch (...) {
    noteCurrentError();
  }
}

}  // namespace

std::string textoDelete(const std::string& tabla, const std::string& condicion) {
  return "delete from " + tabla + " " + condicion;
}

std::string textoInsert(const std::string& campos, const std::string& tabla, const std::string& valores) {
  return "insert into " + tabla + " " + campos + " values " + valores;
}

std::string textoSelect(const std::string& campos, const std::string& tabla, const std::string& condicion) {
  return "select " + campos + " from " + tabla + " " + condicion;
}

std::string textoUpdate(const std::string& asignaciones, const std::string& tabla,
                        const std::string& condicion) {
  return "UPDATE " + tabla + " SET " + asignaciones + "  " + condicion;
}

void gsEliminaFila(std::string tabla, std::string condicion, int32_t& count) {
  executeSwallowing(textoDelete(tabla, condicion), count);
}

void gsActualizaRegistro(std::string asignaciones, std::string tabla, std::string condicion, int32_t& count) {
  executeSwallowing(textoUpdate(asignaciones, tabla, condicion), count);
}

void gsInsertaFila(std::string campos, std::string tabla, std::string valores, int32_t& count) {
  try {
    executeCounting(textoInsert(campos, tabla, valores), count);
  } catch (...) {
    noteCurrentError();
    const ConnectionRef& connection = ctx().gdbConexion;
    if (connection && connection->state() == vt::db::State::Open && connection->inTransaction()) {
      try {
        connection->rollbackTrans();
      } catch (...) {
        // The insert's own error is the one the caller must see.
      }
    }
    throw;
  }
}

void gsConsultaRegistro(std::string campos, std::string tabla, std::string condicion, RecordsetRef& rs) {
  rs = std::make_shared<vt::db::Recordset>();
  try {
    rs->open(textoSelect(campos, tabla, condicion), conexionActual());
  } catch (...) {
    noteCurrentError();
  }
}

void gsSelectConexion(std::string campos, std::string tabla, std::string condicion, const ConnectionRef&,
                      RecordsetRef& rs) {
  gsConsultaRegistro(std::move(campos), std::move(tabla), std::move(condicion), rs);
}

bool gfCuentaRegistros(const std::string& campos, const std::string& tabla, const std::string& condicion,
                       const ConnectionRef& ignored, RecordsetRef& rs) {
  gsSelectConexion(campos, tabla, "Where " + condicion, ignored, rs);
  try {
    return rs->recordCount() > 0;
  } catch (...) {
    noteCurrentError();
    throw;
  }
}

}  // namespace valtrone
