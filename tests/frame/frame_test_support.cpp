#include "frame_test_support.hpp"

#include <cstdlib>

#include "tests/support/files.hpp"

namespace fs = std::filesystem;

namespace frame_test {

void pinEnvironment() {
  static const vt::testing::TempFolder folder("frame-env");
  static const std::string winIni =
      folder.write("win.ini",
                   "[Intl]\r\niDigits=2\r\nsShortDate=dd/MM/yyyy\r\nsTimeFormat=HH:mm:ss\r\n"
                   "sDecimal=.\r\nsDate=/\r\nsThousand=,\r\nsList=;\r\n");
  ::setenv("VALTRONE_REGISTRY", VT_BINARY_DIR "/automation.reg", 1);
  ::setenv("AMBRIX_WIN_INI", winIni.c_str(), 1);
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

LibraryFixture::LibraryFixture() {
  pinEnvironment();
  vt::testing::copyFixtureDatabase(folder / "global.mdb");
  context().started = true;
  configureAccess(context(), folder);
}

}  // namespace frame_test
