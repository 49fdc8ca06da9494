#include "platform/automation/string_matrix.hpp"

#include "platform/automation/errors.hpp"

namespace vt::automation {

StringMatrix::StringMatrix(long rowLower, long rowUpper, long colLower, long colUpper)
    : rowLower_(rowLower), rowUpper_(rowUpper), colLower_(colLower), colUpper_(colUpper) {
  if (rowUpper_ < rowLower_ - 1 || colUpper_ < colLower_ - 1) {
    raise(kErrSubscript, kConversionSource);
  }
  cells_.resize(static_cast<size_t>(rows()) * static_cast<size_t>(cols()));
}

StringMatrix StringMatrix::byRows(long rowLower, long rowUpper, long colLower, long colUpper,
                                  const std::function<bool(long row, RowCells& cells)>& fillRow) {
  StringMatrix m(rowLower, rowLower - 1, colLower, colUpper);
  if (rowUpper < rowLower - 1) raise(kErrSubscript, kConversionSource);
  m.rowUpper_ = rowUpper;
  const auto width = static_cast<std::size_t>(m.cols());
  // Reserved, not built: pages of the rows ahead are touched only as the rows are reached.
  m.cells_.reserve(static_cast<std::size_t>(m.rows()) * width);
  bool more = true;
  for (long row = rowLower; row <= rowUpper; ++row) {
    const std::size_t start = m.cells_.size();
    m.cells_.resize(start + width);
    RowCells cells(m, row);
    if (more) more = fillRow(row, cells);
  }
  return m;
}

long StringMatrix::lbound(int dimension) const { return dimension == 1 ? rowLower_ : colLower_; }
long StringMatrix::ubound(int dimension) const { return dimension == 1 ? rowUpper_ : colUpper_; }

bool StringMatrix::contains(long row, long col) const {
  return row >= rowLower_ && row <= rowUpper_ && col >= colLower_ && col <= colUpper_;
}

std::size_t StringMatrix::index(long row, long col) const {
  if (!contains(row, col)) raise(kErrSubscript, kConversionSource);
  return static_cast<std::size_t>(row - rowLower_) * static_cast<std::size_t>(cols()) +
         static_cast<std::size_t>(col - colLower_);
}

std::string_view StringMatrix::get(long row, long col) const { return cells_[index(row, col)]; }

void StringMatrix::set(long row, long col, std::string_view text) { cells_[index(row, col)] = text; }

std::size_t StringMatrix::heldBytes() const {
  std::size_t bytes = cells_.capacity() * sizeof(std::string);
  for (const std::string& cell : cells_)
    if (cell.capacity() > std::string().capacity()) bytes += cell.capacity() + 1;
  return bytes;
}

}  // namespace vt::automation
