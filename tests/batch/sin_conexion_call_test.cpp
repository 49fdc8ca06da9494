// Every sheet validator called by name on a database file that cannot be opened: the connection's
// message, then "ERROR" (RDEP, which never trapped errors, raises), with no row judged and no log.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hoja_test_support.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;
using vt::testing::quoted;

TEST(SinConexion, EverySheetValidatorStopsAtAFailedConnection) {
  const fs::path kDir = VT_BATCH_DIR;
  const fs::path kDemo = fs::path(VT_SOURCE_DIR) / "examples/demo";
  const std::string kPeriodo = "i:1 s:1792045185001 s:5 s:2013 ";
  struct Case {
    std::string before;  // the words up to the sheet
    fs::path sheet;
    std::string after;  // the words after the log
    std::string properties;
    std::string result;  // the first line of the output
    std::string progress;
  };
  const Case cases[] = {
      {"ATS2013_Compras " + kPeriodo + "d:0.01", kDir / "compras-faltas.csv", "l:0", "", "result=ERROR", "arg8=0"},
      {"ATS2013_Ventas " + kPeriodo + "d:0.01", kDir / "ventas-faltas.csv", "l:0 " + quoted("ai:0|0|0"), "", "result=ERROR",
       "arg8=0"},
      {"ATS2013_Anulados " + kPeriodo, kDemo / "anulados-mayo-2013.csv", "l:0", "", "result=ERROR", "arg7=0"},
      {"ATS2013_Exportaciones " + kPeriodo + "d:0.01", kDir / "exportaciones-faltas.csv", "l:0", "",
       "result=ERROR", "arg8=0"},
      {"ICE2014_Importa " + kPeriodo + "d:0.01", kDir / "ice-importa-faltas.csv", "l:0", "", "result=ERROR",
       "arg8=0"},
      {"ICE2014_Ventas " + kPeriodo + "d:0.01", kDir / "ice-ventas-faltas.csv", "l:0", "", "result=ERROR",
       "arg8=0"},
      // The employee-income validator never trapped errors: the connection's error reaches the caller.
      {"RDEP2013 i:1 s:1792045185001 s:12 s:2013 i:1 d:0.01", kDir / "rdep-faltas.csv", "l:0",
       "--set lFraccionBasica=d:10180 ", "error=", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    vt::testing::TempFolder temp("batch-sin-conexion");
    const fs::path log = temp.path() / "tolvexError_2013-05.txt";
    const vt::testing::ProgramRun r = hoja_test::callValtrone(
        temp.path(),
        c.before + " " + quoted("sheet:" + c.sheet.string()) + " " + quoted("s:" + log.string()) + " " + c.after,
        c.properties, "");
    EXPECT_EQ(r.out.rfind(c.result, 0), 0u) << r.out;
    if (!c.progress.empty()) {
      EXPECT_NE(r.out.find("\n" + c.progress + "\n"), std::string::npos) << r.out;
    }
    EXPECT_EQ(r.status, c.progress.empty() ? 2 : 0) << r.err;
    EXPECT_NE((r.out + r.err).find("Ha ocurrido el error conexion a la Base de Datos"), std::string::npos)
        << r.out << r.err;
    EXPECT_FALSE(fs::exists(log)) << vt::testing::readOptionalFile(log);
  }
}

}  // namespace
