// ambrix-batch --list on a copy of the demo configuration, run as a separate process.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "shell/core/fecha_actual.hpp"
#include "shell/core/globals.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace ambrix {
namespace {

namespace fs = std::filesystem;

class BatchList : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path demo = temp_.path() / "examples" / "demo";
    fs::create_directories(demo / "db");
    for (const char* file : {"TAXCONFIG.INI", "win.ini"})
      fs::copy_file(fs::path(VT_SOURCE_DIR) / "examples" / "demo" / file, demo / file);
    database_ = demo / "db" / "GLOBAL.MDB";
    vt::testing::copyFixtureDatabase(database_);
  }

  // Runs from the copy's root, as `make demo` runs from the repository's.
  vt::testing::ProgramRun runList() {
    return vt::testing::runBatch(temp_.path(), "examples/demo/win.ini", "--config-dir examples/demo --list");
  }

  static std::string expectedLists(const vt::conv::Date& hoy) {
    std::string s =
        "cmbEmpresas:\n"
        "  Comercial Andina Demo SA|1792045185001\n"
        "  Importadora del Pacifico Demo Cia Ltda|0992314702001\n"
        "cmbMeses:\n";
    for (int m = 1; m <= 12; ++m)
      s += (m == hoy.month ? "* " : "  ") + gaMeses[static_cast<size_t>(m - 1)] + "\n";
    s += "cmbanios:\n";
    for (int y = hoy.year; y >= 2002; --y) s += (y == hoy.year ? "* " : "  ") + std::to_string(y) + "\n";
    return s + "gsPorcIVA=12\n";
  }

  vt::testing::TempFolder temp_{"shellcore"};
  fs::path database_;
};

TEST_F(BatchList, PrintsTheActiveCompaniesMonthsYearsAndVat) {
  const vt::conv::Date antes = currentDateTime().date;
  const vt::testing::ProgramRun r = runList();
  const vt::conv::Date despues = currentDateTime().date;
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(r.out == expectedLists(antes) || r.out == expectedLists(despues)) << r.out;
}

TEST_F(BatchList, MissingDatabaseGivesTheTwoMessagesAndCreatesNoFile) {
  fs::remove(database_);
  const vt::testing::ProgramRun r = runList();
  EXPECT_EQ(r.status, 1);
  const std::string ruta = "examples/demo/db/GLOBAL.MDB";
  const std::string primera =
      "MSGBOX CRITICO Tolvex: No se ha encontrado base de datos en la ruta: " + ruta + "\n";
  const std::string segunda = "MSGBOX CRITICO Tolvex: Error al intentar conectarse a la base de datos \\n";
  ASSERT_TRUE(r.out.starts_with(primera + segunda)) << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;
  EXPECT_FALSE(fs::exists(database_));
  EXPECT_EQ(std::distance(fs::directory_iterator(database_.parent_path()), fs::directory_iterator()), 0);
}

}  // namespace
}  // namespace ambrix
