#include "frame_test_support.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace frame_test {

fs::path freshFolder(const std::string& name) {
  static std::atomic<int> counter{0};
  const fs::path folder = fs::path(::testing::TempDir()) / ("frame-" + std::to_string(::getpid()) + "-" +
                                                            std::to_string(counter++) + "-" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

void writeFile(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
}

void copyFixture(const fs::path& file) {
  fs::copy_file(VT_FIXTURE_DB, file, fs::copy_options::overwrite_existing);
}

void pinEnvironment() {
  static const fs::path folder = [] {
    const fs::path f = freshFolder("env");
    writeFile(f / "win.ini",
              "[Intl]\r\niDigits=2\r\nsShortDate=dd/MM/yyyy\r\nsTimeFormat=HH:mm:ss\r\n"
              "sDecimal=.\r\nsDate=/\r\nsThousand=,\r\nsList=;\r\n");
    return f;
  }();
  ::setenv("VALTRONE_REGISTRY", VT_BINARY_DIR "/automation.reg", 1);
  ::setenv("AMBRIX_WIN_INI", (folder / "win.ini").c_str(), 1);
}

void configureAccess(valtrone::ThreadContext& c, const fs::path& folder) {
  vt::ConfiguracionSistema& s = c.config.sistema;
  s = {};
  s.gsPathApp = folder.string();
  s.gsPathDB = folder.string();
  s.gsNombreBD = "GLOBAL.MDB";
  s.gsMotorBD = "ACCESS";
  s.gsTipoConexion = "ACCESS";
  s.gsUsuarioBD = "admin";
  s.gsProveedorBD = "Microsoft.Jet.OLEDB.4.0";
  s.giTimeoutBD = 30;
  s.gsFechaCorta = "dd/mm/yyyy";
  s.gsHora = "hh:mm:ss";
}

LibraryFixture::LibraryFixture() : folder(freshFolder("db")) {
  pinEnvironment();
  copyFixture(folder / "global.mdb");
  context().started = true;
  configureAccess(context(), folder);
}

}  // namespace frame_test
