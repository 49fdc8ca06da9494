#include "platform/workbook/zip_package.hpp"

#include <zip.h>

#include "platform/workbook/failure.hpp"

namespace vt::workbook {

ZipPackage::ZipPackage(const std::string& path) {
  int error = 0;
  archive_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (!archive_) {
    // A read or seek that fails once the file is open means offsets pointing past its end.
    if (error == ZIP_ER_OPEN || error == ZIP_ER_NOENT) fail(Failure::CannotOpen);
    fail(Failure::Damaged);
  }
}

ZipPackage::~ZipPackage() {
  if (archive_) zip_discard(archive_);
}

bool ZipPackage::has(const std::string& part) const {
  return zip_name_locate(archive_, part.c_str(), 0) >= 0;
}

std::unique_ptr<ZipPackage::Stream> ZipPackage::open(const std::string& part, std::uint64_t maxBytes) const {
  zip_file* file = zip_fopen(archive_, part.c_str(), 0);
  if (!file) {
    zip_error_t* error = zip_get_error(archive_);
    if (zip_error_code_zip(error) == ZIP_ER_ENCRNOTSUPP || zip_error_code_zip(error) == ZIP_ER_NOPASSWD) {
      fail(Failure::PasswordProtected);
    }
    fail(Failure::Damaged);
  }
  return std::make_unique<Stream>(file, maxBytes);
}

std::string ZipPackage::read(const std::string& part, std::uint64_t maxBytes) const {
  auto stream = open(part, maxBytes);
  std::string data;
  char buffer[1 << 15];
  for (std::size_t n; (n = stream->read(buffer, sizeof buffer)) > 0;) data.append(buffer, n);
  return data;
}

ZipPackage::Stream::Stream(zip_file* file, std::uint64_t maxBytes) : file_(file), left_(maxBytes) {}

ZipPackage::Stream::~Stream() { zip_fclose(file_); }

std::size_t ZipPackage::Stream::read(char* buffer, std::size_t capacity) {
  const zip_int64_t n = zip_fread(file_, buffer, capacity);
  if (n < 0) fail(Failure::Damaged);
  if (static_cast<std::uint64_t>(n) > left_) fail(Failure::TooLarge);
  left_ -= static_cast<std::uint64_t>(n);
  return static_cast<std::size_t>(n);
}

}  // namespace vt::workbook
