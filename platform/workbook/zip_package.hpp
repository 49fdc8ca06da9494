#pragma once
// A read-only zip package (libzip): parts by exact name, read whole under a cap or streamed.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/workbook/xml_pull.hpp"

struct zip;
struct zip_file;

namespace vt::workbook {

class ReadAhead;

class ZipPackage {
 public:
  explicit ZipPackage(const std::string& path);  // CannotOpen / Damaged
  ~ZipPackage();
  ZipPackage(const ZipPackage&) = delete;
  ZipPackage& operator=(const ZipPackage&) = delete;

  bool has(const std::string& part) const;
  // The whole part; TooLarge beyond maxBytes.
  std::string read(const std::string& part, std::uint64_t maxBytes) const;

  // Streams one part; TooLarge once more than maxBytes came out of it.
  class Stream {
   public:
    Stream(zip_file* file, std::uint64_t maxBytes, bool readAhead);
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    std::size_t read(char* buffer, std::size_t capacity);

   private:
    std::size_t readHere(char* buffer, std::size_t capacity);

    zip_file* file_;
    std::uint64_t left_;
    std::unique_ptr<ReadAhead> ahead_;
  };
  // `readAhead`: a large part is unpacked on a second thread while the caller parses it; until
  // that stream is destroyed, nothing else may use this package (libzip is not safe to use from
  // two threads at once).
  std::unique_ptr<Stream> open(const std::string& part, std::uint64_t maxBytes, bool readAhead = false) const;

 private:
  zip* archive_ = nullptr;
};

}  // namespace vt::workbook
