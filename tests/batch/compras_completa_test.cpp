// A purchases sheet that touches every column, with reimbursement groups and rows of many faults:
// its whole error log and its whole rewritten sheet (68 cells a row, ";"-joined) are pinned, in
// process and through valtrone-call.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "compras_fixture.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"

namespace compras_test {
namespace {

namespace fs = std::filesystem;

const fs::path kSheet = fs::path(VT_BATCH_DIR) / "compras-completa.csv";

std::vector<Row> readRows(const fs::path& csv) {
  std::istringstream in(vt::testing::readFile(csv));
  std::vector<Row> rows;
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Row r;
    std::string cell;
    std::istringstream fields(line);
    while (std::getline(fields, cell, ';')) r.push_back(cell);
    if (!line.empty() && line.back() == ';') r.push_back("");
    r.resize(68);
    rows.push_back(r);
  }
  return rows;
}

std::string normalised(const vt::automation::StringMatrix& sheet) {
  std::string text;
  for (long r = 1; r <= sheet.ubound(1); ++r) {
    for (long c = 0; c <= 67; ++c) text += (c ? ";" : "") + sheet.at(r, c);
    text += "\r\n";
  }
  return text;
}

TEST_F(Compras, AWholeSheetGivesItsLogAndItsNormalForm) {
  const Outcome run = validate(sheetOf(readRows(kSheet)));
  EXPECT_EQ(run.result, "ERROR");
  EXPECT_EQ(run.progress, 26);
  EXPECT_EQ(run.log, vt::testing::readFile(fs::path(VT_BATCH_DIR) / "compras-completa.log.golden"));
  EXPECT_EQ(normalised(*run.sheet),
            vt::testing::readFile(fs::path(VT_BATCH_DIR) / "compras-completa.normal.golden"));
}

TEST_F(Compras, TheWholeSheetThroughValtroneCallGivesTheSameLog) {
  frame_test::pinEnvironment();
  const fs::path db = folder / "call" / "db";
  vt::testing::copyFixtureDatabase(db / "GLOBAL.MDB");
  vt::testing::writeFile(folder / "call" / "TAXCONFIG.INI",
                         "[PATH]\r\nPath_db=" + db.string() +
                             "/\r\n[CONFIGURACION]\r\nFechaCorta=dd/MM/yyyy\r\nHora=HH:mm:ss\r\n"
                             "[DATABASE]\r\ndbTypeConexion=Access\r\ndbTypeServer=Access\r\n"
                             "dbNameDB=GLOBAL.MDB\r\ndbUser=admin\r\n");
  const vt::testing::ProgramRun r = vt::testing::runCommand(
      vt::testing::quoted(VT_VALTRONE_CALL) +
          " --set iPocIVA=i:12 Valtrone.CLSValidarInformacion ATS2013_Compras i:1 s:1792045185001 s:5 s:2013 "
          "d:0.01 " +
          vt::testing::quoted("sheet:" + kSheet.string()) + " " + vt::testing::quoted("s:" + logPath()) + " l:0",
      {.environment = {{"VALTRONE_CONFIG_DIR", (folder / "call").string()}}});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("result=ERROR\n", 0), 0u) << r.out;
  EXPECT_EQ(vt::testing::readOptionalFile(logPath()),
            vt::testing::readFile(fs::path(VT_BATCH_DIR) / "compras-completa.log.golden"));
  std::filesystem::remove(logPath());
}

}  // namespace
}  // namespace compras_test
