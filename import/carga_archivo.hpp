#pragma once
// The sheet loader: reads the chosen sheet files of an import pass into the sheet arrays.

#include <string>
#include <vector>

#include "import/info_file.hpp"
#include "platform/workbook/cell_text.hpp"

namespace ambrix {

// sTipo "xls" (workbooks, .xlsx or .xls by content) or "csv" (delimited text), lower-cased and
// written back; any other kind loads nothing and succeeds. asArchivos holds the paths of the
// sheets 0..3; a path empty after trimming blanks skips its sheet. On failure returns false with
// sError naming the file and the cause; sheets loaded before the failure keep their arrays.
// Date cells are written with the short-date and time patterns of the calling thread's regional
// settings (dd/MM/yyyy and hh:mm:ss where those are empty).
bool gfCargaArchivoExcel(std::string& sTipo, std::vector<std::string>& asArchivos, std::string& sSeparador,
                         std::string& sError);
// The same with the date and time patterns given.
bool gfCargaArchivoExcel(std::string& sTipo, std::vector<std::string>& asArchivos, std::string& sSeparador,
                         std::string& sError, const vt::workbook::TextFormats& formatos);

// The columns the validator and the store of each sheet read: a delimited file narrower than
// this fails to load (a workbook always gives its fixed width).
int columnasRequeridas(int indice);
// The fixed upper column bound of each sheet read from a workbook.
int ultimaColumnaLibro(int indice);

}  // namespace ambrix
