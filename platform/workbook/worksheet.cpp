#include "platform/workbook/worksheet.hpp"

#include <algorithm>
#include <limits>

#include "platform/workbook/failure.hpp"

namespace vt::workbook {

Worksheet::Worksheet(const ReadLimits& limits) : limits_(limits) {}

std::uint32_t Worksheet::addText(std::string_view text) {
  static_assert(ReadLimits{}.maxStringBytes < (1ull << 32), "offsets of the text pool are 32 bits");
  if (text.size() > limits_.maxTextBytes) fail(Failure::TooLarge);
  if (textPool_.size() + text.size() > std::min<std::uint64_t>(limits_.maxStringBytes, UINT32_MAX) ||
      textEnd_.size() >= limits_.maxCells) {
    fail(Failure::TooLarge);
  }
  textPool_ += text;
  textEnd_.push_back(static_cast<std::uint32_t>(textPool_.size()));
  return static_cast<std::uint32_t>(textEnd_.size() - 1);
}

std::string_view Worksheet::text(std::uint32_t index) const {
  const std::uint32_t start = index == 0 ? 0 : textEnd_[index - 1];
  return std::string_view(textPool_).substr(start, textEnd_[index] - start);
}

void Worksheet::add(const Stored& cell) {
  if (cell.row >= kMaxRows || cell.col >= kMaxColumns) fail(Failure::Damaged);
  if (cells_.size() >= limits_.maxCells) fail(Failure::TooLarge);
  if (!cells_.empty()) {
    const Stored& last = cells_.back();
    if (cell.row < last.row || (cell.row == last.row && cell.col <= last.col)) sorted_ = false;
  }
  cells_.push_back(cell);
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
  if (textIndex >= textEnd_.size()) fail(Failure::Damaged);
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
    std::stable_sort(cells_.begin(), cells_.end(), before);
    // Keep the last of equal positions.
    std::vector<Stored> unique;
    unique.reserve(cells_.size());
    for (const Stored& c : cells_) {
      if (!unique.empty() && unique.back().row == c.row && unique.back().col == c.col) {
        unique.back() = c;
      } else {
        unique.push_back(c);
      }
    }
    cells_.swap(unique);
    sorted_ = true;
  }
  const std::uint32_t rowCount = cells_.empty() ? 0 : cells_.back().row + 1;
  rowStart_.assign(static_cast<std::size_t>(rowCount) + 1, 0);
  std::size_t i = 0;
  for (std::uint32_t r = 0; r <= rowCount; ++r) {
    while (i < cells_.size() && cells_[i].row < r) ++i;
    rowStart_[r] = static_cast<std::uint32_t>(i);
  }
}

const Worksheet::Stored* Worksheet::find(std::uint32_t row, std::uint32_t col) const {
  if (row + 1 >= rowStart_.size()) return nullptr;
  auto first = cells_.begin() + rowStart_[row];
  auto last = cells_.begin() + rowStart_[row + 1];
  auto it = std::lower_bound(first, last, col, [](const Stored& s, std::uint32_t c) { return s.col < c; });
  if (it == last || it->col != col) return nullptr;
  return &*it;
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
    return cells_[rowStart_[r]].col;
  };
  std::vector<std::uint32_t> colMinRow(kMaxColumns, kNone);
  for (const Stored& s : cells_) colMinRow[s.col] = std::min(colMinRow[s.col], s.row);

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
