// The README's main job (`make demo`) on a copy of the demo folder and the fixture database, run
// from the copy's root as make runs it from the repository's.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace ambrix {
namespace {

namespace fs = std::filesystem;

// A copy of the demo folder and the fixture database under `root`, as the repository has them.
fs::path copyDemo(const fs::path& root) {
  const fs::path demo = root / "examples" / "demo";
  fs::create_directories(demo / "db");
  fs::create_directories(root / "build" / "demo");
  for (const char* file : {"TAXCONFIG.INI", "win.ini", "mayo-2013.ini", "anulados-mayo-2013.csv"})
    fs::copy_file(fs::path(VT_SOURCE_DIR) / "examples" / "demo" / file, demo / file);
  vt::testing::copyFixtureDatabase(demo / "db" / "GLOBAL.MDB");
  return demo;
}

vt::testing::ProgramRun runDemo(const fs::path& root, const std::string& registry) {
  return vt::testing::runBatch(root, "examples/demo/win.ini",
                               "--config-dir examples/demo --state examples/demo/mayo-2013.ini",
                               {{"VALTRONE_REGISTRY", registry}, {"VALTRONE_CONFIG_DIR", std::nullopt}});
}

TEST(Demo, TheMainJobValidatesAndStoresTheCancelledDocumentsOfMay2013) {
  vt::testing::TempFolder root("e2e");
  copyDemo(root.path());
  const vt::testing::ProgramRun r = runDemo(root.path(), VT_BINARY_DIR "/automation.reg");
  EXPECT_EQ(r.status, 0);
  const std::string pasada =
      "STATUS: Cargando informacion a validar...\n"
      "PROGRESS: 10/100\n"
      "PROGRESS: 30/100\n"
      "PROGRESS: 60/100\n"
      "STATUS: Validando informacion de Comprobantes ANULADOS...\n";
  EXPECT_EQ(r.out, pasada +
                       "PROGRESS: 3/100\n"
                       "PROGRESS: 90/100\n"
                       "PROGRESS: 100/100\n" +
                       pasada +
                       "STATUS: ANULADOS: Reemplazando informacion anterior...\n"
                       "STATUS: ANULADOS: Almacenando registros...\n"
                       "STATUS: ANULADOS: Proceso de almacenamiento terminado...\n"
                       "PROGRESS: 100/100\n"
                       "PROGRESS: 90/100\n"
                       "PROGRESS: 100/100\n"
                       "STATUS: \n"
                       "PROGRESS: 0/100\n"
                       "MSGBOX INFORMACION Tolvex: Proceso de validacion terminado OK.\n"
                       "STATUS: Generando archivo AT52013.xml\n"
                       "STATUS: Procesando información: AGENTE DE RETENCION...\n"
                       "PROGRESS: 1/1\n"
                       "STATUS: \n"
                       "STATUS: Información de COMPRAS no encontrada...\n"
                       "STATUS: Información de VENTAS no encontrada \n"
                       "STATUS: Información de EXPORTACIONES no encontrada \n"
                       "STATUS: Procesando información: COMPROBANTES ANULADOS...\n"
                       "PROGRESS: 0/2\n"
                       "PROGRESS: 1/2\n"
                       "PROGRESS: 2/2\n"
                       "MSGBOX INFORMACION Tolvex: Archivo AT052013.XML generado con éxito.\n"
                       "PROGRESS: 0/2\n"
                       "STATUS: \n"
                       "INI: [PATH_Files] ATS=AT052013.XML\n");
  const fs::path log = root.path() / "build" / "demo" / "tolvexError_2013-05.txt";
  EXPECT_TRUE(fs::exists(log));
  EXPECT_EQ(fs::file_size(log), 0u);
  const vt::testing::ProgramRun filas = vt::testing::runCommand(
      "sqlite3 -batch -list examples/demo/db/GLOBAL.MDB \"SELECT co_empresa, co_mes, co_anio, co_comprob, "
      "nu_serie, nu_secu_ini, nu_secu_fin, nu_autoriza, fe_anula, st_regis FROM tbAT_CmptsAnu ORDER BY "
      "id_reg\"",
      {.folder = root.path()});
  EXPECT_EQ(filas.out,
            "1792045185001|05|2013|01|001001|000000101|000000101|1110123456|2013-05-20|A\n"
            "1792045185001|05|2013|01|001001|000000115|000000118|1110123456|2013-05-27|A\n");
}

TEST(Demo, WithoutARegisteredLibraryThePassEndsAfterAMessage) {
  vt::testing::TempFolder root("e2e");
  copyDemo(root.path());
  const vt::testing::ProgramRun r = runDemo(root.path(), root.write("vacio.reg", ""));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(
      r.out.find(
          "MSGBOX CRITICO Tolvex: No se puede preparar el validador Valtrone.CLSValidarInformacion: 429 "),
      std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("MSGBOX PREGUNTA Tolvex: Existen errores en información"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Almacenando"), std::string::npos) << r.out;
}

// The lists (the current month and year come from the server's date, written and read back in
// the short date) and the main job come out the same under a month-first regional setting.
TEST(Demo, AMonthFirstRegionalSettingListsAndRunsAsTheDayFirstOne) {
  vt::testing::TempFolder root("e2e");
  const fs::path demo = copyDemo(root.path());
  std::string ini = vt::testing::readFile(demo / "win.ini");
  const std::string dayFirst = "sShortDate=dd/MM/yyyy";
  ASSERT_NE(ini.find(dayFirst), std::string::npos);
  ini.replace(ini.find(dayFirst), dayFirst.size(), "sShortDate=MM/dd/yyyy");
  vt::testing::writeFile(demo / "win-mdy.ini", ini);

  for (const char* arguments : {"--config-dir examples/demo --list",
                                "--config-dir examples/demo --state examples/demo/mayo-2013.ini"}) {
    const vt::testing::Environment biblioteca = {{"VALTRONE_REGISTRY", VT_BINARY_DIR "/automation.reg"},
                                                 {"VALTRONE_CONFIG_DIR", std::nullopt}};
    const auto day = vt::testing::runBatch(root.path(), "examples/demo/win.ini", arguments, biblioteca);
    const auto month = vt::testing::runBatch(root.path(), "examples/demo/win-mdy.ini", arguments, biblioteca);
    EXPECT_EQ(day.status, 0) << arguments << "\n" << day.out;
    EXPECT_EQ(month.status, day.status) << arguments;
    EXPECT_EQ(month.out, day.out) << arguments;
  }
}

// The state file is read whole before anything else: a device, a FIFO or a file past the cap is
// refused at once, and never used in part.
TEST(Demo, StateFileThatIsNotARegularFileOrTooLargeIsRefused) {
  vt::testing::TempFolder root("e2e");
  ASSERT_EQ(::mkfifo((root.path() / "estado.fifo").c_str(), 0600), 0);
  vt::testing::writeFile(root.path() / "enorme.ini", std::string("[frm_ATS_SubirExcel]\r\ncmbMes=5\r\n"));
  fs::resize_file(root.path() / "enorme.ini", (1u << 20) + 1);
  const struct {
    const char* what;
    std::string path;
    std::string reason;
  } cases[] = {
      {"an endless device", "/dev/zero", "(no es un archivo regular)"},
      {"a FIFO without a writer", "estado.fifo", "(no es un archivo regular)"},
      {"one byte past the cap", "enorme.ini", "(excede 1 MB)"},
  };
  for (const auto& c : cases) {
    const vt::testing::ProgramRun r =
        vt::testing::runBatch(root.path(), "win.ini", "--config-dir . --state " + c.path);
    EXPECT_EQ(r.status, 2) << c.what;
    EXPECT_EQ(r.out + r.err, "ambrix-batch: no se puede leer el archivo de estado " + c.path + " " + c.reason + "\n")
        << c.what;
  }
}

}  // namespace
}  // namespace ambrix
