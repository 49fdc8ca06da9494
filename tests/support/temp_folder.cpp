#include "tests/support/temp_folder.hpp"

#include <stdlib.h>

#include <stdexcept>

#include "tests/support/files.hpp"

namespace vt::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder " + pattern);
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::file(const std::string& name) const { return (path_ / name).string(); }

std::string TempFolder::write(const std::string& name, const std::string& content) const {
  const std::string p = file(name);
  writeFile(p, content);
  return p;
}

std::string TempFolder::read(const std::string& name) const { return readOptionalFile(file(name)); }

}  // namespace vt::testing
