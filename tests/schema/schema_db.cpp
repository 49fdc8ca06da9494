#include "schema_db.hpp"

#include <algorithm>
#include <stdexcept>

#include "tests/support/files.hpp"

namespace schema_test {

namespace fs = std::filesystem;

fs::path sourceDir() { return fs::path(VT_SOURCE_DIR); }

std::vector<fs::path> seedFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(sourceDir() / "db" / "seed")) {
    if (entry.path().extension() == ".sql") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

Database::Database(const fs::path& file) {
  if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK) {
    const std::string why = sqlite3_errmsg(db_);
    sqlite3_close(db_);
    throw std::runtime_error("cannot open " + file.string() + ": " + why);
  }
}

Database::~Database() { sqlite3_close(db_); }

std::optional<std::string> Database::exec(const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK) return std::nullopt;
  std::string why = error ? error : "unknown error";
  sqlite3_free(error);
  return why;
}

std::vector<std::vector<std::string>> Database::rows(const std::string& sql,
                                                     const std::vector<std::string>& binds) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
    throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
  for (std::size_t i = 0; i < binds.size(); ++i)
    sqlite3_bind_text(stmt, static_cast<int>(i + 1), binds[i].c_str(), -1, SQLITE_TRANSIENT);
  std::vector<std::vector<std::string>> result;
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    std::vector<std::string> row;
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
      row.emplace_back(text ? text : "");
    }
    result.push_back(std::move(row));
  }
  sqlite3_finalize(stmt);
  if (rc != SQLITE_DONE) throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
  return result;
}

std::vector<std::string> Database::column(const std::string& sql, const std::vector<std::string>& binds) {
  std::vector<std::string> values;
  for (auto& row : rows(sql, binds)) values.push_back(row.at(0));
  return values;
}

std::string Database::scalar(const std::string& sql, const std::vector<std::string>& binds) {
  auto values = column(sql, binds);
  if (values.size() != 1) throw std::runtime_error(sql + ": expected one row");
  return values.front();
}

void Database::loadSchema() {
  if (auto error = exec(vt::testing::readFile(sourceDir() / "db" / "schema.sql")))
    throw std::runtime_error("schema.sql: " + *error);
}

void Database::loadSeed() {
  for (const auto& file : seedFiles()) {
    if (auto error = exec(vt::testing::readFile(file)))
      throw std::runtime_error(file.filename().string() + ": " + *error);
  }
}

}  // namespace schema_test
