#pragma once
// The batch program's test hook (--fake-import): an import that returns scripted results.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "shell/core/ventana_ats.hpp"

namespace ambrix::batch {

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
