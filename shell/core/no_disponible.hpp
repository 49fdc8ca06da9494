#pragma once
// What both programs run in place of the import driver until it is part of the program: it says
// plainly that it is not available yet.

#include <string>

#include "shell/core/ventana_ats.hpp"

namespace ambrix {

inline constexpr const char* kImportacionNoDisponible =
    "La importación de archivos aún no está disponible en esta versión.";

// Each pass shows that the import is not available and returns a status that ends the run.
class ImportadorNoDisponible : public IImportadorATS {
 public:
  std::string gfProcesaArchivoATS(ParamProcesoATS& param) override;
  bool gfCargaHojas(ParamProcesoATS& param, std::string& sError) override;
};

}  // namespace ambrix
