#include "platform/workbook/worksheet.hpp"

#include <malloc.h>

#include <algorithm>
#include <limits>

#include "platform/workbook/failure.hpp"

namespace vt::workbook {

Worksheet::Worksheet(const ReadLimits& limits) : limits_(limits) {}

std::uint32_t Worksheet::addText(std::string_view text) {
  static_assert(ReadLimits{}.maxStringBytes < (1ull << 32), "offsets of the text pool are 32 bits");
  if (text.size() > limits_.maxTextBytes) fail(Failure::TooLarge);
  if (textPool_.size() + text.size() > std::min<std::uint64_t>(limits_.maxStringBytes, UINT32_MAX) ||
      textCount_ >= limits_.maxCells) {
    fail(Failure::TooLarge);
  }
  textPool_ += text;
  if (textEnds_.empty() || textEnds_.back().size() == kChunk) {
    textEnds_.emplace_back();
    textEnds_.back().reserve(kChunk);
  }
  textEnds_.back().push_back(static_cast<std::uint32_t>(textPool_.size()));
  return static_cast<std::uint32_t>(textCount_++);
}

std::string_view Worksheet::text(std::uint32_t index) const {
  const std::uint32_t start = index == 0 ? 0 : textEnd(index - 1);
  return std::string_view(textPool_).substr(start, textEnd(index) - start);
}

void Worksheet::add(const Stored& cell) {
  if (cell.row >= kMaxRows || cell.col >= kMaxColumns) fail(Failure::Damaged);
  if (cellCount_ >= limits_.maxCells) fail(Failure::TooLarge);
  if (cellCount_ != 0) {
    const Stored& last = chunks_.back().back();
    if (cell.row < last.row || (cell.row == last.row && cell.col <= last.col)) sorted_ = false;
  }
  if (chunks_.empty() || chunks_.back().size() == kChunk) {
    chunks_.emplace_back();
    chunks_.back().reserve(kChunk);
  }
  chunks_.back().push_back(cell);
  ++cellCount_;
}

void Worksheet::addNumber(std::uint32_t row, std::uint32_t col, double value, bool isDate) {
  Stored s{row, static_cast<std::uint16_t>(col), CellKind::Number, isDate, {}};
  s.number = value;
  add(s);
}

void Worksheet::addBoolean(std::uint32_t row, std::uint32_t col, bool value) {
  Stored s{row, static_cast<std::uint16_t>(col), CellKind::Boolean, false, {}};
  s.number = value ? 1 : 0;
  add(s);
}

void Worksheet::addText(std::uint32_t row, std::uint32_t col, std::uint32_t textIndex) {
  if (textIndex >= textCount_) fail(Failure::Damaged);
  Stored s{row, static_cast<std::uint16_t>(col), CellKind::Text, false, {}};
  s.text = textIndex;
  add(s);
}

void Worksheet::addError(std::uint32_t row, std::uint32_t col, std::string_view errorText) {
  Stored s{row, static_cast<std::uint16_t>(col), CellKind::Error, false, {}};
  s.text = addText(errorText);
  add(s);
}

void Worksheet::addFormulaWithoutValue(std::uint32_t row, std::uint32_t col) {
  Stored s{row, static_cast<std::uint16_t>(col), CellKind::FormulaWithoutValue, false, {}};
  s.number = 0;
  add(s);
}

void Worksheet::finish() {
  auto before = [](const Stored& a, const Stored& b) {
    return a.row != b.row ? a.row < b.row : a.col < b.col;
  };
  if (!sorted_) {
    std::vector<Stored> all;
    all.reserve(cellCount_);
    for (auto& chunk : chunks_) {
      all.insert(all.end(), chunk.begin(), chunk.end());
      std::vector<Stored>().swap(chunk);
    }
    std::stable_sort(all.begin(), all.end(), before);
    // Keep the last of equal positions.
    chunks_.clear();
    cellCount_ = 0;
    const Stored* previous = nullptr;
    for (const Stored& c : all) {
      if (previous && previous->row == c.row && previous->col == c.col) {
        chunks_.back().back() = c;
        continue;
      }
      if (chunks_.empty() || chunks_.back().size() == kChunk) {
        chunks_.emplace_back();
        chunks_.back().reserve(kChunk);
      }
      chunks_.back().push_back(c);
      ++cellCount_;
      previous = &c;
    }
    sorted_ = true;
  }
  const std::uint32_t rowCount = cellCount_ == 0 ? 0 : chunks_.back().back().row + 1;
  rowStart_.assign(static_cast<std::size_t>(rowCount) + 1, 0);
  std::size_t i = 0;
  for (std::uint32_t r = 0; r <= rowCount; ++r) {
    while (i < cellCount_ && at(i).row < r) ++i;
    rowStart_[r] = static_cast<std::uint32_t>(i);
  }
}

void Worksheet::releaseRowsBefore(std::uint32_t row) {
  if (rowStart_.empty()) return;
  const std::size_t firstKept = rowStart_[std::min<std::size_t>(row, rowStart_.size() - 1)];
  const std::size_t before = releasedChunks_;
  for (; releasedChunks_ < chunks_.size() && (releasedChunks_ + 1) * kChunk <= firstKept; ++releasedChunks_) {
    std::vector<Stored>().swap(chunks_[releasedChunks_]);
  }
#ifdef __GLIBC__
  // Blocks of this size may come from the heap rather than their own mapping; freed in the middle
  // of it they would stay resident without this.
  if (releasedChunks_ / 16 != before / 16) ::malloc_trim(0);
#endif
}

const Worksheet::Stored* Worksheet::find(std::uint32_t row, std::uint32_t col) const {
  if (row + 1 >= rowStart_.size()) return nullptr;
  std::size_t first = rowStart_[row];
  std::size_t count = rowStart_[row + 1] - first;
  if (count == 0 || (first >> kChunkBits) < releasedChunks_) return nullptr;
  while (count > 0) {  // the first cell of the row at or after col
    const std::size_t half = count / 2;
    if (at(first + half).col < col) {
      first += half + 1;
      count -= half + 1;
    } else {
      count = half;
    }
  }
  if (first == rowStart_[row + 1] || at(first).col != col) return nullptr;
  return &at(first);
}

bool Worksheet::occupied(std::uint32_t row, std::uint32_t col) const { return find(row, col) != nullptr; }

Cell Worksheet::cell(std::uint32_t row, std::uint32_t col) const {
  const Stored* s = find(row, col);
  Cell c;
  if (!s) return c;
  c.kind = s->kind;
  c.isDate = s->isDate;
  switch (s->kind) {
    case CellKind::Text:
    case CellKind::Error:
      c.text = text(s->text);
      break;
    case CellKind::Number:
    case CellKind::Boolean:
      c.number = s->number;
      break;
    default:
      break;
  }
  return c;
}

std::uint32_t Worksheet::currentRegionRows() const {
  const std::uint32_t rowCount = rowStart_.empty() ? 0 : static_cast<std::uint32_t>(rowStart_.size() - 1);
  constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
  // The first occupied column of each row and the first occupied row of each column decide
  // whether a row or column next to the block touches it.
  auto rowMinCol = [&](std::uint32_t r) -> std::uint32_t {
    if (r >= rowCount || rowStart_[r] == rowStart_[r + 1]) return kNone;
    return at(rowStart_[r]).col;
  };
  std::vector<std::uint32_t> colMinRow(kMaxColumns, kNone);
  for (const auto& chunk : chunks_) {
    for (const Stored& s : chunk) colMinRow[s.col] = std::min(colMinRow[s.col], s.row);
  }

  std::uint32_t rows = 1, cols = 1;
  for (bool grew = true; grew;) {
    grew = false;
    if (rows < kMaxRows && rowMinCol(rows) <= cols) {
      ++rows;
      grew = true;
    }
    if (cols < kMaxColumns && colMinRow[cols] <= rows) {
      ++cols;
      grew = true;
    }
  }
  return rows;
}

}  // namespace vt::workbook
