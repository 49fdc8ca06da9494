#include "shell/core/no_disponible.hpp"

#include "shell/core/avisos.hpp"

namespace ambrix {

std::string ImportadorNoDisponible::gfProcesaArchivoATS(ParamProcesoATS&) {
  showBox(kImportacionNoDisponible, vt::Icono::Informacion);
  return "NO DISPONIBLE";
}

bool ImportadorNoDisponible::gfCargaHojas(ParamProcesoATS&, std::string& sError) {
  sError = kImportacionNoDisponible;
  return false;
}

}  // namespace ambrix
