#pragma once
// Running ambrix-batch as a separate process in a temporary folder of its own.

#include <filesystem>
#include <string>

namespace ambrix::testing {

// A fresh temporary folder, removed with the object.
class RunFolder {
 public:
  RunFolder();
  ~RunFolder();
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct BatchRun {
  std::string out;  // standard output and standard error
  int status = -1;
};

// Runs ambrix-batch with the arguments from inside the folder, in the C locale and with the
// regional file `winIni` (relative to the folder); AMBRIX_CONFIG_DIR is unset.
BatchRun runBatch(const std::filesystem::path& folder, const std::string& winIni,
                  const std::string& arguments);

// The file's bytes; "" when it cannot be read.
std::string fileText(const std::filesystem::path& path);

}  // namespace ambrix::testing
