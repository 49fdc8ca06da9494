// The sheet array: its bounds and errors, texts written and rewritten, and the array filled a row
// at a time.

#include "platform/automation/string_matrix.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/automation/errors.hpp"

namespace vt::automation {
namespace {

long errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const vt::Error& e) {
    return e.number();
  }
  return 0;
}

TEST(StringMatrixTest, BoundsAndOutOfRangeSubscripts) {
  struct Case {
    long rowLower, rowUpper, colLower, colUpper;
    bool empty;
    const char* why;
  };
  const Case cases[] = {
      {0, 3, 0, 2, false, "the sheet's own shape: header row 0, data rows 1.."},
      {1, 1, 5, 7, false, "bounds that start above 0 keep their numbering"},
      {0, -1, 0, 67, true, "no rows: upper bound one below the lower"},
      {0, 4, 0, -1, true, "no columns"},
      {-2, 0, -1, 0, false, "negative lower bounds"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    StringMatrix m(c.rowLower, c.rowUpper, c.colLower, c.colUpper);
    EXPECT_EQ(m.empty(), c.empty);
    EXPECT_EQ(m.lbound(1), c.rowLower);
    EXPECT_EQ(m.ubound(1), c.rowUpper);
    EXPECT_EQ(m.lbound(2), c.colLower);
    EXPECT_EQ(m.ubound(2), c.colUpper);
    if (!c.empty) {
      EXPECT_EQ(m.get(c.rowUpper, c.colUpper), "");
      m.set(c.rowLower, c.colLower, "esquina");
      EXPECT_EQ(m.get(c.rowLower, c.colLower), "esquina");
    }
    // One step outside each edge, for reading and for writing alike.
    const std::pair<long, long> outside[] = {{c.rowLower - 1, c.colLower},
                                             {c.rowUpper + 1, c.colLower},
                                             {c.rowLower, c.colLower - 1},
                                             {c.rowLower, c.colUpper + 1}};
    for (const auto& [row, col] : outside) {
      EXPECT_EQ(errorOf([&] { (void)m.get(row, col); }), kErrSubscript) << row << "," << col;
      EXPECT_EQ(errorOf([&] { m.set(row, col, "x"); }), kErrSubscript) << row << "," << col;
    }
  }
  EXPECT_TRUE(StringMatrix().empty());
  EXPECT_EQ(errorOf([] { StringMatrix(0, -2, 0, 1); }), kErrSubscript);
  EXPECT_EQ(errorOf([] { StringMatrix(0, 1, 3, 1); }), kErrSubscript);
}

TEST(StringMatrixTest, RewritesReplaceOneCellAndLeaveTheOthers) {
  StringMatrix m(0, 2, 0, 3);
  const std::string largo(100000, 'x');    // far longer than any cell the workbooks hold
  const std::string enorme(3 << 20, 'y');  // and one longer still, written in between
  m.set(1, 0, "5");
  m.set(1, 1, "31/05/2013");
  m.set(1, 2, largo);
  m.set(2, 3, std::string("con\0nulo", 8));
  // A text read stays whole whatever is written afterwards, its own cell included: the
  // validators read a cell, then write its new form, then compare the two.
  const std::string_view fecha = m.get(1, 1);
  const std::string_view primero = m.get(1, 0);
  for (int i = 0; i < 2000; ++i) {
    m.set(1, 0, std::to_string(i) + std::string(static_cast<std::size_t>(i), '.'));
    if (i == 1000) m.set(2, 1, enorme);
  }
  m.set(1, 1, "2013-05-31");
  EXPECT_EQ(fecha, "31/05/2013");
  EXPECT_EQ(primero, "5");
  m.set(1, 2, "");
  m.set(2, 0, m.get(2, 3));  // a cell copied from another of the same array
  m.set(2, 3, m.get(2, 3));  // and onto itself

  EXPECT_EQ(m.get(1, 0), "1999" + std::string(1999, '.'));
  EXPECT_EQ(m.get(1, 1), "2013-05-31");
  EXPECT_EQ(m.get(1, 2), "");
  EXPECT_EQ(m.get(2, 0), std::string("con\0nulo", 8));
  EXPECT_EQ(m.get(2, 1), enorme);
  EXPECT_EQ(m.get(2, 3), std::string("con\0nulo", 8));
  EXPECT_EQ(m.get(0, 0), "") << "the header row is never written by the rows below";
}

TEST(StringMatrixTest, ByRowsFillsInOrderAndStopsWhereTheFillerSays) {
  struct Case {
    long stopAt;  // the row whose filler returns false; past the last row when none does
    const char* why;
  };
  const Case cases[] = {
      {99, "every row filled"},
      {3, "a failed row keeps what it wrote; the rows after it stay empty"},
      {1, "the first row already stops"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::vector<long> visitados;
    const StringMatrix m = StringMatrix::byRows(1, 5, 2, 4, [&](long row, StringMatrix::RowCells& cells) {
      visitados.push_back(row);
      cells.set(2, "f" + std::to_string(row));
      if (row % 2 == 0) cells.set(4, std::string(40, static_cast<char>('a' + row)));
      return row != c.stopAt;
    });
    EXPECT_EQ(m.lbound(1), 1);
    EXPECT_EQ(m.ubound(1), 5) << "the bounds stay the ones asked for";
    EXPECT_EQ(m.lbound(2), 2);
    EXPECT_EQ(m.ubound(2), 4);
    const long last = std::min(c.stopAt, 5L);
    EXPECT_EQ(visitados.size(), static_cast<std::size_t>(last));
    for (long row = 1; row <= 5; ++row) {
      const bool filled = row <= last;
      EXPECT_EQ(m.get(row, 2), filled ? "f" + std::to_string(row) : "") << row;
      EXPECT_EQ(m.get(row, 3), "") << row;
      EXPECT_EQ(m.get(row, 4), filled && row % 2 == 0 ? std::string(40, static_cast<char>('a' + row)) : "")
          << row;
    }
    EXPECT_EQ(errorOf([&] { (void)m.get(6, 2); }), kErrSubscript);
  }
  const StringMatrix vacia = StringMatrix::byRows(0, -1, 0, 3, [](long, StringMatrix::RowCells&) {
    ADD_FAILURE() << "no row to fill";
    return true;
  });
  EXPECT_TRUE(vacia.empty());
  EXPECT_EQ(vacia.ubound(1), -1);
  EXPECT_EQ(
      errorOf([] { StringMatrix::byRows(0, -2, 0, 3, [](long, StringMatrix::RowCells&) { return true; }); }),
      kErrSubscript);
}

}  // namespace
}  // namespace vt::automation
