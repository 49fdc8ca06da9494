// A faulty sales sheet: its whole error log and its whole rewritten sheet are pinned, in process
// and through valtrone-call as scripts call the library.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hoja_test_support.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "ventas_fixture.hpp"

namespace ventas_test {
namespace {

namespace fs = std::filesystem;

const fs::path kDir = fs::path(VT_BATCH_DIR);

TEST_F(Ventas, AFaultySheetGivesItsLogAndItsNormalForm) {
  const Outcome run = validate(sheetFromFile("ventas-faltas.csv"));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 9);
  EXPECT_EQ(run.log, vt::testing::readFile(kDir / "ventas-faltas.log.golden"));
  EXPECT_EQ(normalised(*run.sheet), vt::testing::readFile(kDir / "ventas-faltas.normal.golden"));
}

TEST_F(Ventas, TheFaultySheetThroughValtroneCallGivesTheSameLog) {
  const vt::testing::ProgramRun r = hoja_test::callValtrone(
      folder / "call", "ATS2013_Ventas i:1 s:1792045185001 s:5 s:2013 d:0.01 " +
                           vt::testing::quoted("sheet:" + (kDir / "ventas-faltas.csv").string()) + " " +
                           vt::testing::quoted("s:" + logPath()) + " l:0 " + vt::testing::quoted("ai:0|0|0"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("result=ERROR\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\narg8=9\n"), std::string::npos) << r.out;
  EXPECT_EQ(vt::testing::readOptionalFile(logPath()), vt::testing::readFile(kDir / "ventas-faltas.log.golden"));
  std::filesystem::remove(logPath());
}

}  // namespace
}  // namespace ventas_test
