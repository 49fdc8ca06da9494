#include "platform/automation/string_matrix.hpp"

#include <cstring>
#include <new>

#include "platform/automation/errors.hpp"

namespace vt::automation {

namespace {

constexpr std::size_t kMaxBlocks = std::size_t{1} << 12;  // what `place` leaves above the offset
// A text above this takes a block of its own, rather than leaving most of a shared one unused.
constexpr std::size_t kOwnBlock = std::size_t{1} << 18;

}  // namespace

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
    m.cells_.resize(m.cells_.size() + width);
    RowCells cells(m, row);
    if (more) more = fillRow(row, cells);
  }
  return m;
}

long StringMatrix::lbound(int dimension) const { return dimension == 1 ? rowLower_ : colLower_; }
long StringMatrix::ubound(int dimension) const { return dimension == 1 ? rowUpper_ : colUpper_; }

void StringMatrix::outOfRange() { raise(kErrSubscript, kConversionSource); }

void StringMatrix::set(long row, long col, std::string_view text) {
  // Many rewrites give a cell back the text it has (a code already in its form): nothing to keep.
  if (text == get(row, col)) return;
  cells_[index(row, col)] = keep(text);
}

StringMatrix::Cell StringMatrix::keep(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > UINT32_MAX) throw std::bad_alloc();
  const bool own = text.size() > kOwnBlock;
  if (own || blocks_.empty() || kBlockSize - taken_ < text.size()) {
    if (blocks_.size() == kMaxBlocks) throw std::bad_alloc();
    const std::size_t size = own ? text.size() : kBlockSize;
    blocks_.push_back({std::make_unique_for_overwrite<char[]>(size), size});
    if (own) {
      // The block that shared texts fill stays the one it was (or none): this block is full.
      std::memcpy(blocks_.back().bytes.get(), text.data(), text.size());
      return {static_cast<std::uint32_t>((blocks_.size() - 1) << kOffsetBits),
              static_cast<std::uint32_t>(text.size())};
    }
    filling_ = blocks_.size() - 1;
    taken_ = 0;
  }
  std::memcpy(blocks_[filling_].bytes.get() + taken_, text.data(), text.size());
  const Cell cell{static_cast<std::uint32_t>((filling_ << kOffsetBits) | taken_),
                  static_cast<std::uint32_t>(text.size())};
  taken_ += text.size();
  return cell;
}

std::size_t StringMatrix::heldBytes() const {
  std::size_t bytes = cells_.capacity() * sizeof(Cell) + blocks_.capacity() * sizeof(Block);
  for (const Block& block : blocks_) bytes += block.size;
  return bytes;
}

}  // namespace vt::automation
