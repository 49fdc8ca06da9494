#pragma once
// The insert of one row of the cancelled-documents sheet into tbAT_CmptsAnu, apart from its
// routine so that the texts of each engine can be checked without one.

#include "import/almacen_periodo.hpp"
#include "platform/automation/string_matrix.hpp"

namespace ambrix {

// Columns 0..8 of the row (as the validator rewrote them) and the audit values of the store.
ListaInsercion filaAnulado(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja, long fila);

}  // namespace ambrix
