// db/create-database: a whole file or none, never over an existing one unless asked.
#include <gtest/gtest.h>

#include <fstream>

#include "schema_db.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_folder.hpp"

namespace schema_test {
namespace {

namespace fs = std::filesystem;

int run(const std::string& command) { return vt::testing::runCommand(command).status; }

std::string script() { return (sourceDir() / "db" / "create-database").string(); }

std::vector<std::string> entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  return names;
}

TEST(CreateDatabase, BuildsAFileWithSchemaAndSeed) {
  vt::testing::TempFolder dir{"schema-test"};
  const auto file = dir.path() / "sub" / "GLOBAL.MDB";
  ASSERT_EQ(run(script() + " '" + file.string() + "'"), 0);
  Database db(file);
  EXPECT_EQ(db.scalar("SELECT count(*) FROM tbEmpresas WHERE st_regis = 'A'"), "2");
  EXPECT_EQ(db.scalar("SELECT count(*) FROM sys_stored_query WHERE name = 'sp_FechasysActu'"), "1");
  EXPECT_EQ(entries(file.parent_path()), std::vector<std::string>{"GLOBAL.MDB"});
}

TEST(CreateDatabase, LeavesAnExistingFileAloneUnlessForced) {
  vt::testing::TempFolder dir{"schema-test"};
  const auto file = dir.path() / "GLOBAL.MDB";
  std::ofstream(file) << "kept";
  EXPECT_NE(run(script() + " '" + file.string() + "'"), 0);
  EXPECT_EQ(vt::testing::readFile(file), "kept");
  EXPECT_EQ(entries(dir.path()).size(), 1u);

  ASSERT_EQ(run(script() + " --force '" + file.string() + "'"), 0);
  Database db(file);
  EXPECT_EQ(db.scalar("SELECT count(*) FROM tbfechasys WHERE id = 1"), "1");
}

TEST(CreateDatabase, RefusesBadArguments) {
  for (const char* args : {"", "--bogus x.db", "a.db b.db"}) EXPECT_EQ(run(script() + " " + args), 2) << args;
}

// A seed file that fails leaves neither the target nor a half-built temporary file.
TEST(CreateDatabase, AFailedSeedLeavesNothingBehind) {
  vt::testing::TempFolder dir{"schema-test"};
  const auto copy = dir.path() / "db";
  fs::create_directories(copy / "seed");
  fs::copy_file(sourceDir() / "db" / "create-database", copy / "create-database");
  fs::copy_file(sourceDir() / "db" / "schema.sql", copy / "schema.sql");
  for (const auto& seed : seedFiles()) fs::copy_file(seed, copy / "seed" / seed.filename());
  std::ofstream(copy / "seed" / "99-broken.sql") << "INSERT INTO tbEmpresas (nu_ruc) VALUES ('1');\n";

  const auto out = dir.path() / "out";
  fs::create_directories(out);
  EXPECT_NE(run((copy / "create-database").string() + " '" + (out / "GLOBAL.MDB").string() + "'"), 0);
  EXPECT_TRUE(entries(out).empty()) << ::testing::PrintToString(entries(out));
}

}  // namespace
}  // namespace schema_test
