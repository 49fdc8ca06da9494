#include "apps/ambrix-batch/stand_ins.hpp"

#include "import/carga_archivo.hpp"
#include "platform/conversions/conversions.hpp"
#include "shell/core/globals.hpp"

namespace ambrix::batch {

bool loadNamedSheets(ParamProcesoATS& param, std::string& sError) {
  std::string sTipo = param.frm->cmbTipo_file_ListIndex() == 0 ? "xls" : "csv";
  std::vector<std::string> asArchivos(param.asArchivos.begin(), param.asArchivos.end());
  return gfCargaArchivoExcel(sTipo, asArchivos, param.sSeparador, sError);
}

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
  return loadNamedSheets(param, sError);
}

}  // namespace ambrix::batch
