#pragma once
// Statements built as text and run on the thread's connection gdbConexion. Selects and the
// delete and update swallow their failures (noted as the last error); inserts raise.

#include <cstdint>
#include <memory>
#include <string>

#include "library/frame/db_objects.hpp"

namespace valtrone {

// The statement texts, joined exactly as callers have always sent them.
std::string textoDelete(const std::string& tabla, const std::string& condicion);
std::string textoInsert(const std::string& campos, const std::string& tabla, const std::string& valores);
std::string textoSelect(const std::string& campos, const std::string& tabla, const std::string& condicion);
std::string textoUpdate(const std::string& asignaciones, const std::string& tabla,
                        const std::string& condicion);

// A failure leaves `count` as it was.
void gsEliminaFila(std::string tabla, std::string condicion, int32_t& count);
void gsActualizaRegistro(std::string asignaciones, std::string tabla, std::string condicion, int32_t& count);
// Raises; a transaction open on gdbConexion is rolled back first.
void gsInsertaFila(std::string campos, std::string tabla, std::string valores, int32_t& count);

// `rs` always receives a new recordset; closed when the select failed.
void gsConsultaRegistro(std::string campos, std::string tabla, std::string condicion, RecordsetRef& rs);
void gsSelectConexion(std::string campos, std::string tabla, std::string condicion,
                      const ConnectionRef& ignored, RecordsetRef& rs);
// Selects with "Where " + condicion; true when rows came back. A failed select raises here, when
// the closed recordset is counted.
bool gfCuentaRegistros(const std::string& campos, const std::string& tabla, const std::string& condicion,
                       const ConnectionRef& ignored, RecordsetRef& rs);

}  // namespace valtrone
