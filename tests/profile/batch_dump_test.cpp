// ambrix-batch --dump-config run as a user runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/profile/temp_folder.hpp"

namespace {

struct BatchRun {
  int status = -1;
  std::string output;
};

// Runs the program in `folder` with the environment assignments given, stdout and stderr together.
BatchRun runBatch(const std::string& folder, const std::string& environment, const std::string& args) {
  const std::string command = "cd '" + folder + "' && env -u AMBRIX_CONFIG_DIR LC_ALL=C " + environment +
                              " '" VT_BINARY_DIR "/bin/ambrix-batch' " + args + " 2>&1";
  BatchRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

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
  std::string winIni() const { return "AMBRIX_WIN_INI='" + tmp.file("win.ini") + "'"; }
};

TEST_F(BatchDump, MissingConfigurationPrintsTheBoxAndFails) {
  tmp.write("vacia/.keep", "");
  const BatchRun run = runBatch(tmp.path(), winIni(), "--config-dir vacia --dump-config");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output,
            "MSGBOX EXCLAMACION Ambrix: No existe archivo de configuracion del sistema "
            "TAXCONFIG.INI(Ambrix)\n");
}

TEST_F(BatchDump, PrintsEverySettingByName) {
  tmp.write("win.ini", "[Intl]\r\nsDecimal=,\r\nsThousand=.\r\n");
  tmp.write(
      "conf/TAXCONFIG.INI",
      "; prueba\r\n[PATH]\r\nPath_App=/opt/ambrix\r\nPath_db=/srv/db\r\n[DATABASE]\r\ndbTypeServer=sql\r\n"
      "dbNameServer=srv01\r\ndbNameDB=ats\r\n");
  const BatchRun run = runBatch(tmp.path(), winIni(), "--dump-config --config-dir=conf/");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(withoutMachineLines(run.output),
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
  EXPECT_NE(run.output.find("\ngsEstacion="), std::string::npos);
  EXPECT_NE(run.output.find("\ngsUsuario="), std::string::npos);
}

TEST_F(BatchDump, EnvironmentNamesTheFolderWhenTheCommandLineDoesNot) {
  tmp.write("conf/TAXCONFIG.INI", "[DATABASE]\ndbTypeServer=oracle\n");
  const BatchRun run =
      runBatch(tmp.path(), winIni() + " AMBRIX_CONFIG_DIR='" + tmp.file("conf") + "'", "--dump-config");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("\ngsMotorBD=ORACLE\n"), std::string::npos) << run.output;
}

TEST_F(BatchDump, DemoConfigurationFromTheRepositoryRoot) {
  const BatchRun run = runBatch(VT_SOURCE_DIR, "AMBRIX_WIN_INI=examples/demo/win.ini",
                                "--config-dir examples/demo --dump-config");
  EXPECT_EQ(run.status, 0) << run.output;
  for (const char* line : {"gsMotorBD=ACCESS", "gsNombreBD=GLOBAL.MDB", "gsPathDB=examples/demo/db/",
                           "gsSepDecimal=,", "gsSepMiles=.", "gsFormatoNumero=###.###.##0,00"}) {
    EXPECT_NE(run.output.find(std::string("\n") + line + "\n"), std::string::npos) << line;
  }
}

TEST_F(BatchDump, WrongCommandLinesShowTheUsage) {
  for (const char* args : {"", "--bogus", "--config-dir", "--dump-config --help"}) {
    const BatchRun run = runBatch(tmp.path(), "", args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.output.find("Uso: ambrix-batch"), std::string::npos) << args;
  }
}

}  // namespace
