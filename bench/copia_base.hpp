#pragma once
// A copy of the fixture database in a fresh temporary folder, with the calling thread's settings
// pointing at it (file engine), removed at the end. Benchmarks that need it define VT_FIXTURE_DB.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/profile/configuracion.hpp"

namespace bench {

class CopiaBase {
 public:
  explicit CopiaBase(const std::string& prefijo) {
    std::string patron = (std::filesystem::temp_directory_path() / (prefijo + "-XXXXXX")).string();
    if (!mkdtemp(patron.data())) std::abort();
    carpeta_ = patron;
    std::filesystem::copy_file(VT_FIXTURE_DB, carpeta_ / "GLOBAL.MDB");
    auto& s = ctx_.sistema;
    s.gsMotorBD = "ACCESS";
    s.gsPathDB = carpeta_.string() + "/";
    s.gsNombreBD = "GLOBAL.MDB";
    s.gsFechaCorta = "dd/MM/yyyy";
    s.giTimeoutBD = 90;
    anterior_ = vt::setThreadConfiguration(&ctx_);
  }
  ~CopiaBase() {
    vt::setThreadConfiguration(anterior_);
    std::filesystem::remove_all(carpeta_);
  }
  CopiaBase(const CopiaBase&) = delete;
  CopiaBase& operator=(const CopiaBase&) = delete;

  vt::ContextoConfiguracion& contexto() { return ctx_; }
  const std::filesystem::path& carpeta() const { return carpeta_; }

 private:
  std::filesystem::path carpeta_;
  vt::ContextoConfiguracion ctx_;
  vt::ContextoConfiguracion* anterior_ = nullptr;
};

}  // namespace bench
