// A faulty exports sheet: its whole error log and its whole rewritten sheet are pinned, in process
// and through valtrone-call as scripts call the library.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "exportaciones_fixture.hpp"
#include "hoja_test_support.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"

namespace exportaciones_test {
namespace {

namespace fs = std::filesystem;

const fs::path kDir = fs::path(VT_BATCH_DIR);

TEST_F(Exportaciones, AFaultySheetGivesItsLogAndItsNormalForm) {
  const Outcome run = validate(sheetFromFile("exportaciones-faltas.csv"));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 9);
  EXPECT_EQ(run.log, vt::testing::readFile(kDir / "exportaciones-faltas.log.golden"));
  EXPECT_EQ(normalised(*run.sheet), vt::testing::readFile(kDir / "exportaciones-faltas.normal.golden"));
}

TEST_F(Exportaciones, TheFaultySheetThroughValtroneCallGivesTheSameLog) {
  const vt::testing::ProgramRun r = hoja_test::callValtrone(
      folder / "call", "ATS2013_Exportaciones i:1 s:1792045185001 s:5 s:2013 d:0.01 " +
                           vt::testing::quoted("sheet:" + (kDir / "exportaciones-faltas.csv").string()) +
                           " " + vt::testing::quoted("s:" + logPath()) + " l:0");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("result=ERROR\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\narg8=9\n"), std::string::npos) << r.out;
  EXPECT_EQ(vt::testing::readOptionalFile(logPath()),
            vt::testing::readFile(kDir / "exportaciones-faltas.log.golden"));
  std::filesystem::remove(logPath());
}

}  // namespace
}  // namespace exportaciones_test
