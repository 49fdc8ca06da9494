#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/workbook/worksheet.hpp"

namespace vt::workbook {
namespace {

// Cells are given as A1-style (row, column) pairs, 0-based.
std::uint32_t regionRows(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& cells) {
  Worksheet sheet;
  for (const auto& [r, c] : cells) sheet.addNumber(r, c, 1, false);
  sheet.finish();
  return sheet.currentRegionRows();
}

TEST(CurrentRegion, GrowsFromA1DownAndRight) {
  const struct {
    const char* what;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> cells;
    std::uint32_t rows;
  } cases[] = {
      {"empty sheet", {}, 1},
      {"A1 alone", {{0, 0}}, 1},
      {"five rows in A", {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, 5},
      {"an empty row ends the block", {{0, 0}, {1, 0}, {2, 0}, {4, 0}, {5, 0}}, 3},
      {"B2 alone touches A1 diagonally", {{1, 1}}, 2},
      {"A1..B2 empty, data from A3", {{2, 0}, {3, 0}}, 1},
      {"a column reached through the header row", {{0, 0}, {0, 1}, {1, 1}, {2, 1}}, 3},
      {"a far column touching the block widens it and its rows",
       {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 3}, {3, 3}},
       4},
      {"a far value not touching stays out", {{0, 0}, {1, 0}, {1, 5}, {2, 5}}, 2},
      {"row gap bridged by a wider column", {{0, 0}, {0, 1}, {1, 0}, {2, 1}, {3, 1}}, 4},
  };
  for (const auto& c : cases) EXPECT_EQ(regionRows(c.cells), c.rows) << c.what;
}

TEST(Worksheet, LastOfTwoCellsAtOnePositionStays) {
  Worksheet sheet;
  sheet.addNumber(3, 2, 1, false);
  sheet.addNumber(0, 0, 2, false);
  sheet.addNumber(3, 2, 5, false);
  sheet.finish();
  EXPECT_EQ(sheet.cell(3, 2).number, 5);
  EXPECT_EQ(sheet.cell(0, 0).number, 2);
  EXPECT_EQ(sheet.cell(7, 7).kind, CellKind::Empty);
  EXPECT_EQ(sheet.cellCount(), 2u);
}

// Cells are kept in blocks: many of them, out of order and across block boundaries, are found
// where they were put, and the blocks of rows read past can be given back.
TEST(Worksheet, ManyCellsInBlocksAndRowsGivenBack) {
  Worksheet sheet;
  constexpr std::uint32_t kRows = 50'000;
  for (std::uint32_t r = kRows; r-- > 0;) {
    for (std::uint32_t c = 0; c < 3; ++c) sheet.addNumber(r, c, r * 10.0 + c, false);
  }
  sheet.finish();
  ASSERT_EQ(sheet.cellCount(), 3u * kRows);
  EXPECT_EQ(sheet.currentRegionRows(), kRows);
  for (std::uint32_t r : {0u, 21'845u, 21'846u, kRows - 1}) {
    EXPECT_EQ(sheet.cell(r, 2).number, r * 10.0 + 2) << r;
  }
  sheet.releaseRowsBefore(30'000);
  EXPECT_EQ(sheet.cell(0, 0).kind, CellKind::Empty) << "the first block is given back";
  for (std::uint32_t r : {21'846u, 29'999u, 30'000u, kRows - 1}) {
    EXPECT_EQ(sheet.cell(r, 1).number, r * 10.0 + 1) << r << ": its block also holds rows still to read";
  }
}

}  // namespace
}  // namespace vt::workbook
