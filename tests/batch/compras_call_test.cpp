// The purchases validator as scripts call it: valtrone-call on the demo sheet and on a faulty
// copy whose whole error log is pinned byte for byte.

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

class ComprasCall : public ::testing::Test {
 protected:
  vt::testing::ProgramRun call(const fs::path& sheet) {
    return hoja_test::callValtrone(folder, "ATS2013_Compras i:1 s:1792045185001 s:5 s:2013 d:0.01 " +
                                               quoted("sheet:" + sheet.string()) + " " +
                                               quoted("s:" + log().string()) + " l:0");
  }
  fs::path log() const { return folder / "tolvexError_2013-05.txt"; }

  vt::testing::TempFolder temp_{"batch-call"};
  const fs::path& folder = temp_.path();
};

TEST_F(ComprasCall, TheDemoSheetPasses) {
  const vt::testing::ProgramRun r = call(fs::path(VT_SOURCE_DIR) / "examples/demo/compras-mayo-2013.csv");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("result=OK\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\narg8=13\n"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(log())) << vt::testing::readOptionalFile(log());
}

TEST_F(ComprasCall, AFaultySheetGivesItsLog) {
  const vt::testing::ProgramRun r = call(fs::path(VT_BATCH_DIR) / "compras-faltas.csv");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("result=ERROR\n", 0), 0u) << r.out;
  EXPECT_EQ(vt::testing::readOptionalFile(log()),
            vt::testing::readFile(fs::path(VT_BATCH_DIR) / "compras-faltas.log.golden"));
}

}  // namespace
