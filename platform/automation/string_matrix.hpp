#pragma once
// A two-dimensional array of texts with explicit bounds (rows x columns), shared by handle:
// passing a sheet by reference hands over the handle, never a copy of its cells, so a validator
// that rewrites a cell is seen by the caller that stores it afterwards.
//
// A month's sheet holds millions of cells, so a cell is no string object of its own: the texts
// lie one after another in a few large blocks and a cell keeps only where its text lies. A
// rewritten cell takes its new text at the end of the blocks (rewrites are a few per row), which
// leaves every text read before it whole.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace vt::automation {

class StringMatrix {
 public:
  StringMatrix() = default;
  StringMatrix(long rowLower, long rowUpper, long colLower, long colUpper);
  StringMatrix(StringMatrix&&) = default;
  StringMatrix& operator=(StringMatrix&&) = default;

  // The cells of the one row that byRows is filling.
  class RowCells {
   public:
    void set(long col, std::string_view text) { sheet_.set(row_, col, text); }

   private:
    friend class StringMatrix;
    RowCells(StringMatrix& sheet, long row) : sheet_(sheet), row_(row) {}
    StringMatrix& sheet_;
    long row_;
  };
  // The same array filled a row at a time: fillRow(row, cells) gets each row (all its cells
  // empty) in row order, and returns false to stop there (later rows stay empty). Rows not yet
  // reached take no memory, so a caller can release its own copy as the array fills.
  static StringMatrix byRows(long rowLower, long rowUpper, long colLower, long colUpper,
                             const std::function<bool(long row, RowCells& cells)>& fillRow);

  bool empty() const { return rows() == 0 || cols() == 0; }
  long lbound(int dimension) const;  // dimension 1 = rows, 2 = columns
  long ubound(int dimension) const;  // lbound - 1 when that dimension is empty
  long rows() const { return rowUpper_ - rowLower_ + 1; }
  long cols() const { return colUpper_ - colLower_ + 1; }

  bool contains(long row, long col) const {
    return row >= rowLower_ && row <= rowUpper_ && col >= colLower_ && col <= colUpper_;
  }
  // Out-of-range subscripts raise vt::Error 9, as the legacy arrays did. A text read stays
  // valid as long as the array, whatever is written afterwards.
  std::string_view get(long row, long col) const {
    const Cell cell = cells_[index(row, col)];
    if (cell.size == 0) return "";
    return {blocks_[cell.place >> kOffsetBits].bytes.get() + (cell.place & (kBlockSize - 1)), cell.size};
  }
  void set(long row, long col, std::string_view text);
  // What the cells take in memory, texts included.
  std::size_t heldBytes() const;

 private:
  // A block holds 1 MiB of texts; a text too long to share one gets a block of its own. A cell
  // keeps its block's number above its offset in `place`, so that it takes 8 bytes; it has no
  // text when `size` is 0.
  static constexpr unsigned kOffsetBits = 20;
  static constexpr std::size_t kBlockSize = std::size_t{1} << kOffsetBits;
  struct Cell {
    std::uint32_t place = 0;
    std::uint32_t size = 0;
  };
  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size;
  };

  std::size_t index(long row, long col) const {
    if (!contains(row, col)) outOfRange();
    return static_cast<std::size_t>(row - rowLower_) * static_cast<std::size_t>(cols()) +
           static_cast<std::size_t>(col - colLower_);
  }
  [[noreturn]] static void outOfRange();
  Cell keep(std::string_view text);

  long rowLower_ = 0, rowUpper_ = -1, colLower_ = 0, colUpper_ = -1;
  std::vector<Cell> cells_;
  std::vector<Block> blocks_;
  // The block short texts go to, and how much of it is taken. Until the first short text there
  // is none, which reads as a full block: a block of its own is never one that others fill.
  std::size_t filling_ = 0;
  std::size_t taken_ = kBlockSize;
};

using StringMatrixRef = std::shared_ptr<StringMatrix>;

}  // namespace vt::automation
