// A faulty employee-income sheet: its whole error log and its whole rewritten sheet are pinned, in
// process and through valtrone-call as other callers of the library call it by name.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hoja_test_support.hpp"
#include "rdep_fixture.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"

namespace rdep_test {
namespace {

namespace fs = std::filesystem;

const fs::path kDir = fs::path(VT_BATCH_DIR);

TEST_F(Rdep, AFaultySheetGivesItsLogAndItsNormalForm) {
  const Outcome run = validate(sheetFromFile("rdep-faltas.csv"));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 7);
  EXPECT_EQ(run.log, vt::testing::readFile(kDir / "rdep-faltas.log.golden"));
  EXPECT_EQ(normalised(*run.sheet), vt::testing::readFile(kDir / "rdep-faltas.normal.golden"));
}

TEST_F(Rdep, TheFaultySheetThroughValtroneCallGivesTheSameLog) {
  const vt::testing::ProgramRun r =
      hoja_test::callValtrone(folder / "call",
                              "RDEP2013 i:1 s:1792045185001 s:12 s:2013 i:1 d:0.01 " +
                                  vt::testing::quoted("sheet:" + (kDir / "rdep-faltas.csv").string()) + " " +
                                  vt::testing::quoted("s:" + logPath()) + " l:0",
                              "--set lFraccionBasica=d:10180 ");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("result=ERROR\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\narg9=7\n"), std::string::npos) << r.out;
  EXPECT_EQ(vt::testing::readOptionalFile(logPath()), vt::testing::readFile(kDir / "rdep-faltas.log.golden"));
  std::filesystem::remove(logPath());
}

}  // namespace
}  // namespace rdep_test
