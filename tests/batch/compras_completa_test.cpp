// A purchases sheet that touches every column, with reimbursement groups and rows of many faults:
// its whole error log and its whole rewritten sheet (68 cells a row, ";"-joined) are pinned, in
// process and through valtrone-call.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compras_fixture.hpp"
#include "hoja_test_support.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"

namespace compras_test {
namespace {

namespace fs = std::filesystem;

const fs::path kSheet = fs::path(VT_BATCH_DIR) / "compras-completa.csv";

TEST_F(Compras, AWholeSheetGivesItsLogAndItsNormalForm) {
  const Outcome run = validate(sheetOf(hoja_test::readRows(kSheet, 68)));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 26);
  EXPECT_EQ(run.log, vt::testing::readFile(fs::path(VT_BATCH_DIR) / "compras-completa.log.golden"));
  EXPECT_EQ(hoja_test::normalised(*run.sheet, 67),
            vt::testing::readFile(fs::path(VT_BATCH_DIR) / "compras-completa.normal.golden"));
}

TEST_F(Compras, TheWholeSheetThroughValtroneCallGivesTheSameLog) {
  const vt::testing::ProgramRun r = hoja_test::callValtrone(
      folder / "call", "ATS2013_Compras i:1 s:1792045185001 s:5 s:2013 d:0.01 " +
                           vt::testing::quoted("sheet:" + kSheet.string()) + " " +
                           vt::testing::quoted("s:" + logPath()) + " l:0");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("result=ERROR\n", 0), 0u) << r.out;
  EXPECT_EQ(vt::testing::readOptionalFile(logPath()),
            vt::testing::readFile(fs::path(VT_BATCH_DIR) / "compras-completa.log.golden"));
  std::filesystem::remove(logPath());
}

}  // namespace
}  // namespace compras_test
