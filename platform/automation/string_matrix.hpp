#pragma once
// A two-dimensional array of texts with explicit bounds (rows x columns), shared by handle:
// passing a sheet by reference hands over the handle, never a copy of its cells, so a validator
// that rewrites a cell is seen by the caller that stores it afterwards.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vt::automation {

class StringMatrix {
 public:
  StringMatrix() = default;
  StringMatrix(long rowLower, long rowUpper, long colLower, long colUpper);

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

  bool contains(long row, long col) const;
  // Out-of-range subscripts raise vt::Error 9, as the legacy arrays did. A text read stays
  // valid until the same cell is written again.
  std::string_view get(long row, long col) const;
  void set(long row, long col, std::string_view text);
  // What the cells take in memory, texts included.
  std::size_t heldBytes() const;

 private:
  std::size_t index(long row, long col) const;

  long rowLower_ = 0, rowUpper_ = -1, colLower_ = 0, colUpper_ = -1;
  std::vector<std::string> cells_;
};

using StringMatrixRef = std::shared_ptr<StringMatrix>;

}  // namespace vt::automation
