#pragma once
// What the batch program runs in place of the import driver: until it is part of the program, a
// stand-in that says so; and, as a test hook (--fake-import), a fake that returns scripted results.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "shell/core/ventana_ats.hpp"

namespace ambrix::batch {

inline constexpr const char* kImportacionNoDisponible =
    "La importación de archivos aún no está disponible en esta versión.";

// Each pass shows that the import is not available and returns a status that ends the run.
class ImportadorNoDisponible : public IImportadorATS {
 public:
  std::string gfProcesaArchivoATS(ParamProcesoATS& param) override;
  bool gfCargaHojas(ParamProcesoATS& param, std::string& sError) override;
};

// Loads the named sheets with the program's loader, the kind from cmbTipo_file.
bool loadNamedSheets(ParamProcesoATS& param, std::string& sError);

// The passes return the given statuses in order ("OK" once they run out). Per named sheet a pass
// sets the cancel flag, yields and reports "CANCEL" when the flag was cleared meanwhile; the bar
// ends at 100. The store-only load is the real one.
class ImportadorSimulado : public IImportadorATS {
 public:
  explicit ImportadorSimulado(std::vector<std::string> estados) : estados_(std::move(estados)) {}
  std::string gfProcesaArchivoATS(ParamProcesoATS& param) override;
  bool gfCargaHojas(ParamProcesoATS& param, std::string& sError) override;

 private:
  std::vector<std::string> estados_;
  std::size_t siguiente_ = 0;
};

}  // namespace ambrix::batch
