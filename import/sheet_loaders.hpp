#pragma once
// The two ways of loading one sheet file into its array; each returns false with sError set.

#include <cstdint>
#include <string>

#include "platform/automation/string_matrix.hpp"
#include "platform/workbook/cell_text.hpp"

namespace ambrix {

// Cells one sheet array may hold (about 1 GiB of texts): bigger files fail to load.
inline constexpr long long kCeldasMaximas = 32LL << 20;
// Bytes of a delimited text file, read whole (as a workbook .xls is).
inline constexpr std::uint64_t kBytesMaximosTexto = 512ull << 20;

// "Error al cargar archivo " + path + CR LF: the start of every load failure message.
std::string encabezadoError(const std::string& ruta);

// The sheet `indice` (0 purchases .. 3 exports) must have at least its required columns.
bool cargaTextoDelimitado(const std::string& ruta, const std::string& sSeparador, int indice,
                          vt::automation::StringMatrix& hoja, std::string& sError);
// The same for a file of any sheet, with at least `columnasMinimas` columns in its header line.
bool cargaTextoDelimitado(const std::string& ruta, const std::string& sSeparador, long columnasMinimas,
                          vt::automation::StringMatrix& hoja, std::string& sError);
bool cargaLibro(const std::string& ruta, int indice, const vt::workbook::TextFormats& formatos,
                vt::automation::StringMatrix& hoja, std::string& sError);

}  // namespace ambrix
