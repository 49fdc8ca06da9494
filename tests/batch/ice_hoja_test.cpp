// Faulty ICE sheets: their whole error logs and their whole rewritten sheets are pinned.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ice_fixture.hpp"
#include "tests/support/files.hpp"

namespace ice_test {
namespace {

const std::filesystem::path kDir = std::filesystem::path(VT_BATCH_DIR);

TEST_F(Ice, AFaultyImportsSheetGivesItsLogAndItsNormalForm) {
  const Outcome run = validate(Hoja::Importa, sheetFromFile("ice-importa-faltas.csv"));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 7);
  EXPECT_EQ(run.log, vt::testing::readFile(kDir / "ice-importa-faltas.log.golden"));
  EXPECT_EQ(normalised(*run.sheet), vt::testing::readFile(kDir / "ice-importa-faltas.normal.golden"));
}

TEST_F(Ice, AFaultySalesSheetGivesItsLogAndItsNormalForm) {
  const Outcome run = validate(Hoja::Ventas, sheetFromFile("ice-ventas-faltas.csv"));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 6);
  EXPECT_EQ(run.log, vt::testing::readFile(kDir / "ice-ventas-faltas.log.golden"));
  EXPECT_EQ(normalised(*run.sheet), vt::testing::readFile(kDir / "ice-ventas-faltas.normal.golden"));
}

}  // namespace
}  // namespace ice_test
