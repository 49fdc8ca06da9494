// Test helpers: a database file in its own temporary folder, built from the files of db/.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace schema_test {

std::filesystem::path sourceDir();
std::string readFile(const std::filesystem::path& path);
// db/seed/*.sql in the order the database is built with.
std::vector<std::filesystem::path> seedFiles();

// A fresh temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// One SQLite connection on a file of a TempDir.
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
