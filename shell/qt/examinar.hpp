#pragma once
// The browse buttons of the main window's path boxes: "Buscar..." of each sheet's file box and
// "Seleccionar..." of the XML folder. Each opens the picker modally and puts its choice in the box.

namespace ambrix::qt {

class frm_ATS_SubirExcel;

inline constexpr const char* kSeleccioneTipoArchivo = "Seleccione tipo de archivo a validar..";

// "Buscar..." of txtfile(Index): the files of the chosen type ("*.xls*" or "*.csv", the end of
// the type's list item); with no type chosen, a warning and the focus on the type list.
void txtfile_ButtonClick(frm_ATS_SubirExcel& frm, int Index);
// "Seleccionar..." of txtPath: a folder.
void txtPath_ButtonClick(frm_ATS_SubirExcel& frm);

}  // namespace ambrix::qt
