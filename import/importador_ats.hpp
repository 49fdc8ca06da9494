#pragma once
// The workbook import as the main action calls it: one pass of the driver gfProcesaArchivoATS
// over the four sheets, and the plain load of a store-only run.

#include <functional>
#include <memory>
#include <string>

#include "platform/automation/object.hpp"
#include "shell/core/ventana_ats.hpp"

namespace ambrix {

inline constexpr const char* kProgIdValidador = "Valtrone.CLSValidarInformacion";

// A program run from its build tree finds the library the build registered, unless
// VALTRONE_REGISTRY or a registry of the user's or the system's already says where it is; a copy
// run from anywhere else has no such fallback.
void registroPorOmision();

class ImportadorATS : public IImportadorATS {
 public:
  using Fabrica = std::function<std::shared_ptr<vt::automation::Object>()>;
  // By default the validator is created by its programmatic identifier; tests hand in their own.
  ImportadorATS();
  explicit ImportadorATS(Fabrica fabricaValidador) : fabrica_(std::move(fabricaValidador)) {}

  std::string gfProcesaArchivoATS(ParamProcesoATS& param) override;
  // The sheets named in param.asArchivos, by the kind of cmbTipo_file, without validation.
  bool gfCargaHojas(ParamProcesoATS& param, std::string& sError) override;

 private:
  Fabrica fabrica_;
};

}  // namespace ambrix
