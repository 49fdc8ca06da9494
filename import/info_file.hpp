#pragma once
// The sheet arrays of an import pass. An InfoFile is a handle on a 2-D text array (rows and
// columns from 0, row 0 never filled), shared with the validation library so that cells it
// rewrites are what the stores read. The handles live as long as the program and are never null.

#include "platform/automation/string_matrix.hpp"

namespace ambrix {

using InfoFile = vt::automation::StringMatrixRef;

extern InfoFile gaInfoCompras;        // purchases
extern InfoFile gaInfoVentas;         // sales
extern InfoFile gaInfoAnulados;       // cancelled documents
extern InfoFile gaInfoExportaciones;  // exports

inline constexpr int kHojaCompras = 0;
inline constexpr int kHojaVentas = 1;
inline constexpr int kHojaAnulados = 2;
inline constexpr int kHojaExportaciones = 3;

// The array of a sheet by its index in asArchivos (0..3).
InfoFile& gaInfoHoja(int indice);

// Empties the four arrays, their cells' memory given back; the handles stay. The store pass is
// their last reader: nothing reloads them but the next validation pass or store-only load.
void liberaHojas();

}  // namespace ambrix
