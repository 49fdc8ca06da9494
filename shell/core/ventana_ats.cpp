#include "shell/core/ventana_ats.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/profile/system_info.hpp"

namespace ambrix {

std::string xmlFilePath(const IVentanaATS& frm) {
  return vt::joinPath(vt::conv::Trim(frm.txtPath()), vt::conv::Trim(frm.txtFileATS_XML()));
}

}  // namespace ambrix
