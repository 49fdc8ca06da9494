// Workbooks: the active sheet, the block around A1, the sheet's fixed columns.

#include "import/carga_archivo.hpp"
#include "import/sheet_loaders.hpp"
#include "platform/errors/error.hpp"
#include "platform/workbook/failure.hpp"
#include "platform/workbook/workbook.hpp"

namespace ambrix {

bool cargaLibro(const std::string& ruta, int indice, const vt::workbook::TextFormats& formatos,
                vt::automation::StringMatrix& hoja, std::string& sError) {
  using vt::workbook::CellKind;
  try {
    vt::workbook::Worksheet libro = vt::workbook::readActiveSheet(ruta);
    const long filas = static_cast<long>(libro.currentRegionRows()) - 1;
    const long ultima = ultimaColumnaLibro(indice);
    if (static_cast<long long>(filas + 1) * (ultima + 1) > kCeldasMaximas) {
      vt::workbook::fail(vt::workbook::Failure::TooLarge);
    }
    // The array fills row by row while the rows read are given back: the typed cells and the
    // texts are never both whole in memory.
    bool ok = true;
    hoja = vt::automation::StringMatrix::byRows(0, filas, 0, ultima, [&](long r, auto& celdas) {
      if (r == 0) return true;  // the header row stays empty
      const auto fila = static_cast<std::uint32_t>(r);
      for (long c = 0; c <= ultima; ++c) {
        const auto columna = static_cast<std::uint32_t>(c);
        const vt::workbook::Cell celda = libro.cell(fila, columna);
        if (celda.kind == CellKind::Error) {
          sError = encabezadoError(ruta) + "La celda " + vt::workbook::cellReference(fila, columna) +
                   " contiene el error " + std::string(celda.text);
          return ok = false;
        }
        if (celda.kind == CellKind::FormulaWithoutValue) {
          sError = encabezadoError(ruta) + "La celda " + vt::workbook::cellReference(fila, columna) +
                   " tiene una fórmula sin valor calculado; abra y guarde el libro con la hoja de cálculo";
          return ok = false;
        }
        if (celda.kind != CellKind::Empty)
          celdas.set(c, vt::workbook::cellText(celda, libro.date1904(), formatos));
      }
      libro.releaseRowsBefore(fila + 1);
      return true;
    });
    return ok;
  } catch (const vt::Error& e) {
    sError = encabezadoError(ruta) + e.description();
    return false;
  } catch (const std::bad_alloc&) {
    sError = encabezadoError(ruta) + "No hay memoria suficiente para leer el libro";
    return false;
  }
}

}  // namespace ambrix
