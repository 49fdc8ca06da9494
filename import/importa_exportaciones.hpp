#pragma once
// The insert of one row of the exports sheet into tbAT_Exporta, apart from its routine so that the
// texts of each engine can be checked without one.

#include "import/almacen_periodo.hpp"
#include "platform/automation/string_matrix.hpp"

namespace ambrix {

// Column 4, the export type, becomes the stored code in the sheet: "B" (any case) "1", "S" "2",
// anything else, an empty cell included, "X".
void convierteTipoExportacion(vt::automation::StringMatrix& hoja, long fila);

// Columns 0..19 of the row (as the validator rewrote them, column 4 already converted) and the
// audit values of the store.
ListaInsercion filaExportacion(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja, long fila);

}  // namespace ambrix
