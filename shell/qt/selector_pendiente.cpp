#include "shell/qt/selector_pendiente.hpp"

#include "shell/core/avisos.hpp"

namespace ambrix::qt {

void txtfile_ButtonClick(frm_ATS_SubirExcel&, int) { showBox(kSelectorNoDisponible, vt::Icono::Informacion); }

void txtPath_ButtonClick(frm_ATS_SubirExcel&) { showBox(kSelectorNoDisponible, vt::Icono::Informacion); }

}  // namespace ambrix::qt
