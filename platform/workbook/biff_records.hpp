#pragma once
// BIFF record walking: a record joined with its CONTINUE records, and the string forms that may
// be split across them.

#include <cstdint>
#include <string>
#include <vector>

namespace vt::workbook {

class BiffRecords {
 public:
  BiffRecords(const std::vector<std::uint8_t>& stream, std::size_t offset);

  bool next();  // false at the end of the stream; Damaged when a record runs past it
  std::uint16_t type() const { return type_; }
  std::size_t size() const { return size_; }
  const std::uint8_t* data() const { return data_; }
  const std::vector<std::size_t>& breaks() const { return breaks_; }  // offsets where CONTINUEs start

 private:
  const std::vector<std::uint8_t>& stream_;
  std::size_t pos_;
  std::uint16_t type_ = 0;
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::vector<std::uint8_t> joined_;
  std::vector<std::size_t> breaks_;
};

// A read position in one record's data; Damaged when reading past its end.
class BiffCursor {
 public:
  explicit BiffCursor(const BiffRecords& record, std::size_t at = 0)
      : data_(record.data()), size_(record.size()), breaks_(&record.breaks()), pos_(at) {}

  std::uint8_t u8();
  std::uint16_t u16();
  std::uint32_t u32();
  double f64();
  void skip(std::size_t count);
  std::size_t position() const { return pos_; }
  // Unicode strings: character count, flags, [runs], [extension], characters, [runs], [extension].
  std::string unicodeString(bool shortCount = false);

 private:
  std::string characters(std::uint32_t count, bool wide);
  const std::uint8_t* data_;
  std::size_t size_;
  const std::vector<std::size_t>* breaks_;
  std::size_t pos_;
};

}  // namespace vt::workbook
