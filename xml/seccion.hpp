#pragma once
// What the sections of the annex share: the run's document root, the rewritten period, the
// window's status bar and progress bar, and the steps every section takes around its rows.

#include <string>

#include "platform/database/recordset.hpp"
#include "shell/core/ventana_ats.hpp"
#include "xml/documento_ats.hpp"

namespace ambrix::xml {

struct ContextoSeccion {
  EscritorXml& iva;   // the document, inside iva
  std::string sRuc;   // 13 digits (or as given when not a number)
  std::string sMes;   // "05"
  std::string sAnio;  // "2013"
  IVentanaATS& frm;
  IBarraProgreso& prg;
  // The rows written of the open section; the bar shows them as muestraProgreso says.
  mutable long lFilas = 0;
};

// Opens a query on gConexion, static and read-only, its rows read at once; a failure raises.
vt::db::Recordset abreConsulta(const std::string& sSql);

// A section's main query, sCabeza + sDesde + sOrden: its select list, its FROM and WHERE clauses,
// its ORDER BY. Forward-only, its rows read as the section writes them. The bar's end counts the
// same rows without the columns or the order ("SELECT count(*) " + sDesde): the table's rows of
// the period, or its join's, never the whole query run twice.
struct ConsultaSeccion {
  ConsultaSeccion(const std::string& sCabeza, const std::string& sDesde, const std::string& sOrden);
  std::string sSql;
  std::string sCuenta;
  vt::db::Recordset rs;
};

// Nothing found: shows sNoEncontrada and returns false. Rows found: shows sProcesando, sets the
// bar to 0 of the row count, opens the section element in iva, yields once and returns true.
bool abreSeccion(const ContextoSeccion& ctx, const ConsultaSeccion& consulta, const char* sNombre,
                 const char* sProcesando, const char* sNoEncontrada);
// One more row done.
void avanza(const ContextoSeccion& ctx);
// After the last row: closes the section element and the query, and fills the bar.
void cierraSeccion(const ContextoSeccion& ctx, ConsultaSeccion& consulta);

// Whether the section choice (a "0"/"1" text) picks its section: its number is 1. A text that is
// not a number raises 13.
bool seccionElegida(const std::string& sEleccion);

// The section writers, in the order the document holds them.
void seccionCompras(const ContextoSeccion& ctx);
void seccionVentas(const ContextoSeccion& ctx);
void seccionExportaciones(const ContextoSeccion& ctx);
void seccionAnulados(const ContextoSeccion& ctx);

}  // namespace ambrix::xml
