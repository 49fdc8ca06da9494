// Test helpers: a database file built from the files of db/.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace schema_test {

std::filesystem::path sourceDir();
// db/seed/*.sql in the order the database is built with.
std::vector<std::filesystem::path> seedFiles();

// One SQLite connection on a database file.
class Database {
 public:
  explicit Database(const std::filesystem::path& file);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Runs SQL text; returns SQLite's error text, or nothing on success.
  std::optional<std::string> exec(const std::string& sql);
  // Rows of a query as texts (NULL as the empty text); throws on an SQL error.
  std::vector<std::vector<std::string>> rows(const std::string& sql,
                                             const std::vector<std::string>& binds = {});
  std::vector<std::string> column(const std::string& sql, const std::vector<std::string>& binds = {});
  std::string scalar(const std::string& sql, const std::vector<std::string>& binds = {});

  void loadSchema();
  void loadSeed();

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace schema_test
