#pragma once
// The browse buttons of the main window's path boxes: "Buscar..." of each sheet's file box and
// "Seleccionar..." of the XML folder. They open the folder and file picker; until the picker is
// part of the program, each says so plainly and the paths can still be typed.

namespace ambrix::qt {

class frm_ATS_SubirExcel;

inline constexpr const char* kSelectorNoDisponible =
    "La selección de carpetas y archivos aún no está disponible en esta versión.";

// "Buscar..." of txtfile(Index).
void txtfile_ButtonClick(frm_ATS_SubirExcel& frm, int Index);
// "Seleccionar..." of txtPath.
void txtPath_ButtonClick(frm_ATS_SubirExcel& frm);

}  // namespace ambrix::qt
