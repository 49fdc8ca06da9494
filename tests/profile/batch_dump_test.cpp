// ambrix-batch --dump-config run as a user runs it.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

using vt::testing::ProgramRun;
using vt::testing::runBatch;

// The output without the two lines that depend on the machine (station and user).
std::string withoutMachineLines(const std::string& output) {
  std::string kept;
  size_t start = 0;
  while (start < output.size()) {
    size_t end = output.find('\n', start);
    end = end == std::string::npos ? output.size() : end + 1;
    const std::string line = output.substr(start, end - start);
    if (!line.starts_with("gsEstacion=") && !line.starts_with("gsUsuario=")) kept += line;
    start = end;
  }
  return kept;
}

class BatchDump : public ::testing::Test {
 protected:
  vt::testing::TempFolder tmp;
  std::string winIni() const { return tmp.file("win.ini"); }
};

TEST_F(BatchDump, MissingConfigurationPrintsTheBoxAndFails) {
  tmp.write("vacia/.keep", "");
  const ProgramRun run = runBatch(tmp.path(), winIni(), "--config-dir vacia --dump-config");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "MSGBOX EXCLAMACION Ambrix: No existe archivo de configuracion del sistema "
            "TAXCONFIG.INI(Ambrix)\n");
}

TEST_F(BatchDump, PrintsEverySettingByName) {
  tmp.write("win.ini", "[Intl]\r\nsDecimal=,\r\nsThousand=.\r\n");
  tmp.write(
      "conf/TAXCONFIG.INI",
      "; prueba\r\n[PATH]\r\nPath_App=/opt/ambrix\r\nPath_db=/srv/db\r\n[DATABASE]\r\ndbTypeServer=sql\r\n"
      "dbNameServer=srv01\r\ndbNameDB=ats\r\n");
  const ProgramRun run = runBatch(tmp.path(), winIni(), "--dump-config --config-dir=conf/");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(withoutMachineLines(run.out),
            "gbDigitos=2\n"
            "gsFormatoFecha=dd/MM/yyyy\n"
            "gsFormatoHora=HH:mm:ss\n"
            "gsSepDecimal=,\n"
            "gsSepFecha=/\n"
            "gsSepMiles=.\n"
            "gsSepLista=;\n"
            "gsFormatoNumero=###.###.##0,00\n"
            "gsPathApp=/opt/ambrix/\n"
            "gsPathReportAccess=0\n"
            "gsPathReportSQL=0\n"
            "gsPathReportOracle=0\n"
            "gsPathDB=/srv/db/\n"
            "gsPathLog=/opt/ambrix\n"
            "gsPathBrelvica=0\n"
            "gsFechaCorta=dd/MM/yyyy\n"
            "gsHora=HH:mm:ss\n"
            "gsFechaHora=dd/MM/yyyy HH:mm:ss\n"
            "gsDsCompras=\n"
            "gsDsVentas=\n"
            "giRegsMaxConsulta=100\n"
            "gsQuessaNet=0\n"
            "gsCxP=N\n"
            "gsTipoConexion=ACCESS\n"
            "gsMotorBD=SQL\n"
            "gsServidorBD=SRV01\n"
            "gsNombreBD=ATS\n"
            "gsUsuarioBD=admin\n"
            "gsClaveBD=\n"
            "gsProveedorBD=Microsoft.Jet.OLEDB.4.0\n"
            "giTimeoutBD=90\n"
            "gsDSN=TolvexAccess\n");
  EXPECT_NE(run.out.find("\ngsEstacion="), std::string::npos);
  EXPECT_NE(run.out.find("\ngsUsuario="), std::string::npos);
}

TEST_F(BatchDump, EnvironmentNamesTheFolderWhenTheCommandLineDoesNot) {
  tmp.write("conf/TAXCONFIG.INI", "[DATABASE]\ndbTypeServer=oracle\n");
  const ProgramRun run =
      runBatch(tmp.path(), winIni(), "--dump-config", {{"AMBRIX_CONFIG_DIR", tmp.file("conf")}});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\ngsMotorBD=ORACLE\n"), std::string::npos) << run.out;
}

TEST_F(BatchDump, DemoConfigurationFromTheRepositoryRoot) {
  const ProgramRun run =
      runBatch(VT_SOURCE_DIR, "examples/demo/win.ini", "--config-dir examples/demo --dump-config");
  EXPECT_EQ(run.status, 0) << run.out;
  for (const char* line : {"gsMotorBD=ACCESS", "gsNombreBD=GLOBAL.MDB", "gsPathDB=examples/demo/db/",
                           "gsSepDecimal=,", "gsSepMiles=.", "gsFormatoNumero=###.###.##0,00"}) {
    EXPECT_NE(run.out.find(std::string("\n") + line + "\n"), std::string::npos) << line;
  }
}

TEST_F(BatchDump, WrongCommandLinesShowTheUsage) {
  for (const char* args : {"", "--bogus", "--config-dir", "--dump-config --help"}) {
    const ProgramRun run = runBatch(tmp.path(), winIni(), args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.out.find("Uso: ambrix-batch"), std::string::npos) << args;
  }
}

// Every mode of the program is in its help, the receipt's options among them, and every exit status.
TEST_F(BatchDump, HelpListsEveryMode) {
  const ProgramRun run = runBatch(tmp.path(), winIni(), "--help");
  EXPECT_EQ(run.status, 0);
  for (const char* option : {"--config-dir", "--dump-config", "--list", "--dump-sheet", "--state",
                             "--answers", "--cancel-after-yields", "--print-receipt", "--pdf ARCHIVO",
                             "Estado de salida:", "\n  0  ", "\n  1  ", "\n  2  ", "\n  3  ", "\n  4  "})
    EXPECT_NE(run.out.find(option), std::string::npos) << option;
}

}  // namespace
