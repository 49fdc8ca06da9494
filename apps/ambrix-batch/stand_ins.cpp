#include "apps/ambrix-batch/stand_ins.hpp"

#include "import/importador_ats.hpp"
#include "platform/conversions/conversions.hpp"
#include "shell/core/globals.hpp"

namespace ambrix::batch {

std::string ImportadorSimulado::gfProcesaArchivoATS(ParamProcesoATS& param) {
  std::string sEstado = siguiente_ < estados_.size() ? estados_[siguiente_] : "OK";
  ++siguiente_;
  IBarraProgreso& prg = *param.prgprogreso;
  prg.Visible(true);
  prg.Min(0);
  prg.Max(100);
  for (const std::string& sArchivo : param.asArchivos) {
    if (vt::conv::Trim(sArchivo).empty()) continue;
    gbContinuarProceso = true;
    param.frm->cmdCancel_Enabled(true);
    param.frm->DoEvents();
    if (!gbContinuarProceso) sEstado = "CANCEL";
  }
  prg.Value(100);
  return sEstado;
}

bool ImportadorSimulado::gfCargaHojas(ParamProcesoATS& param, std::string& sError) {
  return ImportadorATS().gfCargaHojas(param, sError);
}

}  // namespace ambrix::batch
