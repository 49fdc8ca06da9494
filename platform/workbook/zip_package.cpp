#include "platform/workbook/zip_package.hpp"

#include <zip.h>

#include "platform/workbook/failure.hpp"
#include "platform/workbook/read_ahead.hpp"

namespace vt::workbook {
namespace {

// Blocks unpacked ahead of the parser, each of the size it reads (64 KiB): enough to ride out an
// uneven block on either side and to let the unpacking thread sleep through half of them, little
// memory.
constexpr std::size_t kReadAheadBlocks = 8;
// Below about a megabyte the thread costs about what it saves.
constexpr std::uint64_t kReadAheadFromBytes = 1 << 20;

}  // namespace

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

std::unique_ptr<ZipPackage::Stream> ZipPackage::open(const std::string& part, std::uint64_t maxBytes,
                                                     bool readAhead) const {
  zip_file* file = zip_fopen(archive_, part.c_str(), 0);
  if (!file) {
    zip_error_t* error = zip_get_error(archive_);
    if (zip_error_code_zip(error) == ZIP_ER_ENCRNOTSUPP || zip_error_code_zip(error) == ZIP_ER_NOPASSWD) {
      fail(Failure::PasswordProtected);
    }
    fail(Failure::Damaged);
  }
  if (readAhead) {
    // A part that unpacks in a few reads has nothing to overlap worth a thread.
    zip_stat_t stat;
    readAhead = zip_stat(archive_, part.c_str(), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
                stat.size > kReadAheadFromBytes;
  }
  return std::make_unique<Stream>(file, maxBytes, readAhead);
}

std::string ZipPackage::read(const std::string& part, std::uint64_t maxBytes) const {
  auto stream = open(part, maxBytes);
  std::string data;
  char buffer[1 << 15];
  for (std::size_t n; (n = stream->read(buffer, sizeof buffer)) > 0;) data.append(buffer, n);
  return data;
}

ZipPackage::Stream::Stream(zip_file* file, std::uint64_t maxBytes, bool readAhead)
    : file_(file), left_(maxBytes) {
  if (readAhead) {
    ahead_ = std::make_unique<ReadAhead>(
        [this](char* buffer, std::size_t capacity) { return readHere(buffer, capacity); }, kReadAheadBlocks);
  }
}

ZipPackage::Stream::~Stream() {
  ahead_.reset();  // the worker is joined before the file it reads is closed
  zip_fclose(file_);
}

std::size_t ZipPackage::Stream::read(char* buffer, std::size_t capacity) {
  return ahead_ ? ahead_->read(buffer, capacity) : readHere(buffer, capacity);
}

std::size_t ZipPackage::Stream::readHere(char* buffer, std::size_t capacity) {
  const zip_int64_t n = zip_fread(file_, buffer, capacity);
  if (n < 0) fail(Failure::Damaged);
  if (static_cast<std::uint64_t>(n) > left_) fail(Failure::TooLarge);
  left_ -= static_cast<std::uint64_t>(n);
  return static_cast<std::size_t>(n);
}

}  // namespace vt::workbook
