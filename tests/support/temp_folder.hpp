#pragma once
// A fresh folder under the temporary directory for one test, removed with everything in it at the end.

#include <filesystem>
#include <string>

namespace vt::testing {

class TempFolder {
 public:
  // The folder's name starts with `prefix`, so that a leftover shows whose it was.
  explicit TempFolder(const std::string& prefix = "vt-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` inside the folder (`name` may hold subfolders; "" gives the folder and a slash).
  std::string file(const std::string& name) const;
  // Writes `content` to `name` byte for byte, making its subfolders; returns its path.
  std::string write(const std::string& name, const std::string& content) const;
  // The bytes of `name`; "" when it cannot be read.
  std::string read(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace vt::testing
