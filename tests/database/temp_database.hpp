#pragma once
// A throw-away SQLite database file, with a small schema or copied from a given file, in its own
// temporary folder.

#include <filesystem>
#include <string>

#include "tests/support/temp_folder.hpp"

namespace vt::db::test {

class TempDatabase {
 public:
  // Creates folder/fileName with the test schema and a few rows.
  explicit TempDatabase(const std::string& fileName = "prueba.db");
  // Copies the database file `source` to folder/fileName instead.
  TempDatabase(const std::filesystem::path& source, const std::string& fileName);
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  const std::filesystem::path& folder() const { return folder_.path(); }
  const std::filesystem::path& file() const { return file_; }
  // Runs SQL directly on the file, outside the layer.
  void exec(const std::string& sql) const;
  // The first column of the first row as text ("" for none or Null), read outside the layer.
  std::string scalar(const std::string& sql) const;

 private:
  vt::testing::TempFolder folder_{"vt_db"};
  std::filesystem::path file_;
};

}  // namespace vt::db::test
