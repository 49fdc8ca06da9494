#include "shell/core/ventana_ats.hpp"

#include <algorithm>

#include "platform/conversions/conversions.hpp"
#include "platform/profile/system_info.hpp"

namespace ambrix {

bool muestraProgreso(long fila, long total) {
  const long paso = std::max(1L, std::min(total / 100, 500L));
  return fila >= total || fila % paso == 0;
}

std::string xmlFilePath(const IVentanaATS& frm) {
  return vt::joinPath(vt::conv::Trim(frm.txtPath()), vt::conv::Trim(frm.txtFileATS_XML()));
}

}  // namespace ambrix
