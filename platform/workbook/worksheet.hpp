#pragma once
// The cells of one worksheet that hold a value, kept compactly (16 bytes a cell, 4 plus its bytes a text),
// with lookup by position and the block of contiguous cells around A1.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/workbook/cell.hpp"
#include "platform/workbook/limits.hpp"

namespace vt::workbook {

class Worksheet {
 public:
  explicit Worksheet(const ReadLimits& limits = {});

  // Rows and columns are 0-based (A1 is 0, 0). Positions without a value read as Empty.
  Cell cell(std::uint32_t row, std::uint32_t col) const;
  bool occupied(std::uint32_t row, std::uint32_t col) const;
  std::size_t cellCount() const { return cellCount_; }
  // Serial numbers of date cells count from 1904-01-01 instead of 1900-01-00.
  bool date1904() const { return date1904_; }
  void setDate1904(bool value) { date1904_ = value; }

  // Number of rows of the current region around A1: the block grown from A1 down and right while
  // an occupied cell touches it, diagonals included. 1 when A1 stands alone or is empty.
  std::uint32_t currentRegionRows() const;

  // Building, used by the readers. Texts go to a pool; a cell refers to one by index.
  std::uint32_t addText(std::string_view text);
  void addNumber(std::uint32_t row, std::uint32_t col, double value, bool isDate);
  void addBoolean(std::uint32_t row, std::uint32_t col, bool value);
  void addText(std::uint32_t row, std::uint32_t col, std::uint32_t textIndex);
  void addError(std::uint32_t row, std::uint32_t col, std::string_view errorText);
  void addFormulaWithoutValue(std::uint32_t row, std::uint32_t col);
  std::size_t textCount() const { return textCount_; }
  // Sorts the cells; of two cells at one position the one added last stays.
  void finish();
  // Gives back the memory of the cells of rows before `row` (read in order, they are no longer
  // needed); those rows read as empty afterwards. Texts stay.
  void releaseRowsBefore(std::uint32_t row);

 private:
  struct Stored {
    std::uint32_t row;
    std::uint16_t col;
    CellKind kind;
    bool isDate;
    union {
      double number;
      std::uint32_t text;
    };
  };
  static_assert(sizeof(Stored) == 16);

  void add(const Stored& cell);
  const Stored* find(std::uint32_t row, std::uint32_t col) const;
  const Stored& at(std::size_t index) const { return chunks_[index >> kChunkBits][index & (kChunk - 1)]; }

  // Cells in blocks of a fixed size: no copy as they grow, and a block read past can be freed.
  static constexpr unsigned kChunkBits = 16;
  static constexpr std::size_t kChunk = std::size_t{1} << kChunkBits;

  ReadLimits limits_;
  std::vector<std::vector<Stored>> chunks_;
  std::size_t cellCount_ = 0;
  std::size_t releasedChunks_ = 0;
  std::string_view text(std::uint32_t index) const;

  std::uint32_t textEnd(std::size_t index) const { return textEnds_[index >> kChunkBits][index & (kChunk - 1)]; }

  // All texts in one buffer, each ending where textEnd says: an empty text costs 4 bytes.
  std::string textPool_;
  std::vector<std::vector<std::uint32_t>> textEnds_;
  std::size_t textCount_ = 0;
  bool sorted_ = true;
  bool date1904_ = false;
  std::vector<std::uint32_t> rowStart_;  // index of the first cell of each row; one extra at the end
};

}  // namespace vt::workbook
