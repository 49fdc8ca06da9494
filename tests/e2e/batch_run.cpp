#include "tests/e2e/batch_run.hpp"

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <stdexcept>

#include "platform/profile/text_file.hpp"

namespace ambrix::testing {

namespace fs = std::filesystem;

RunFolder::RunFolder() {
  std::string pattern = (fs::temp_directory_path() / "e2e-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

RunFolder::~RunFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

BatchRun runBatch(const fs::path& folder, const std::string& winIni, const std::string& arguments) {
  const std::string command = "cd '" + folder.string() +
                              "' && env -u AMBRIX_CONFIG_DIR LC_ALL=C AMBRIX_WIN_INI='" + winIni + "' '" +
                              AMBRIX_BATCH + "' " + arguments + " 2>&1";
  BatchRun r;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) r.out.append(buffer, n);
  const int raw = pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

std::string fileText(const fs::path& path) { return vt::readWholeFile(path.string()).value_or(""); }

}  // namespace ambrix::testing
