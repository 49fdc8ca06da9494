// The sheet array: its bounds and errors, texts written and rewritten, and the array filled a row
// at a time.

#include "platform/automation/string_matrix.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
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

// The array's own size limits: a text above kOwn takes a block of its own, shorter ones share
// blocks of kBlock bytes.
constexpr std::size_t kOwn = std::size_t{1} << 18;
constexpr std::size_t kBlock = std::size_t{1} << 20;

// Each text tells where it was written and when, so that one read back over another's bytes shows.
std::string textOf(std::size_t size, long row, long col, int round) {
  std::string text = std::to_string(row) + ":" + std::to_string(col) + ":" + std::to_string(round) + "|";
  while (text.size() < size) text += static_cast<char>('a' + (text.size() * 7 + static_cast<std::size_t>(row)) % 26);
  text.resize(size);
  return text;
}

TEST(StringMatrixTest, LongTextsNeverShareTheirBlockWithShortOnes) {
  struct Write {
    long row, col;
    std::size_t size;
  };
  struct Case {
    std::vector<Write> writes;  // in order; a later write to the same cell rewrites it
    const char* why;
  };
  std::vector<Write> manyShort;  // more than a block of short texts, after a first long one
  for (long row = 1; row <= 2200; ++row) manyShort.push_back({row, 1, 500});
  std::vector<Write> firstLong = {{0, 0, 300000}};
  firstLong.insert(firstLong.end(), manyShort.begin(), manyShort.end());
  std::vector<Write> firstAtLimit = {{0, 0, kOwn}, {0, 1, kOwn + 1}};
  firstAtLimit.insert(firstAtLimit.end(), manyShort.begin(), manyShort.end());
  std::vector<Write> longInTheMiddle = manyShort;
  longInTheMiddle.insert(longInTheMiddle.begin() + 1000, {0, 2, kBlock + 1});
  longInTheMiddle.insert(longInTheMiddle.begin() + 1500, {0, 3, kOwn + 1});
  longInTheMiddle.push_back({2200, 2, 3 * kBlock});
  std::vector<Write> growing = {{0, 0, kOwn + 10}};
  // One cell rewritten ever longer, so that its new texts cross from one shared block into the next.
  for (std::size_t size = 1000; size <= kOwn; size += 9000) growing.push_back({5, 1, size});
  growing.push_back({6, 1, kOwn});
  growing.push_back({5, 1, kOwn + 1});
  growing.push_back({7, 1, 3});
  const Case cases[] = {
      {firstLong, "the first text longer than the own-block size, then more than a block of short ones"},
      {firstAtLimit, "a first text exactly at the own-block size shares; one byte past it does not"},
      {longInTheMiddle, "long texts in the middle and last, between and after short ones"},
      {growing, "rewrites that grow a cell across a block boundary, after a long first text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    StringMatrix m(0, 2200, 0, 3);
    std::vector<std::string> expected(static_cast<std::size_t>(m.rows() * m.cols()));
    int round = 0;
    for (const Write& w : c.writes) {
      std::string text = textOf(w.size, w.row, w.col, ++round);
      m.set(w.row, w.col, text);
      expected[static_cast<std::size_t>(w.row * m.cols() + w.col)] = std::move(text);
    }
    for (long row = 0; row <= 2200; ++row) {
      for (long col = 0; col <= 3; ++col) {
        const std::string& want = expected[static_cast<std::size_t>(row * m.cols() + col)];
        ASSERT_EQ(m.get(row, col), want) << row << "," << col << " (" << want.size() << " bytes)";
      }
    }
  }
}

TEST(StringMatrixTest, RandomWritesReadBackAsAPlainVectorOfStrings) {
  // Sizes at and past each limit, and short ones in between; the seed is fixed so that a fault
  // repeats.
  const std::size_t sizes[] = {0, 1, 2, 17, 300, kOwn - 1, kOwn, kOwn + 1, kBlock - 1, kBlock, kBlock + 1};
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const long rows = 40, cols = 5;
    StringMatrix m(1, rows, 0, cols - 1);
    std::vector<std::string> plain(static_cast<std::size_t>(rows * cols));
    std::vector<std::pair<std::string, std::string_view>> reads;  // texts read earlier stay whole
    for (int round = 1; round <= 400; ++round) {
      const long row = 1 + static_cast<long>(random() % rows);
      const long col = static_cast<long>(random() % cols);
      const std::size_t cell = static_cast<std::size_t>((row - 1) * cols + col);
      // Mostly short texts, as a sheet has; a long one now and then, the first write included.
      const std::size_t size = round == 1 || random() % 8 == 0 ? sizes[random() % std::size(sizes)]
                                                               : random() % 600;
      if (random() % 10 == 0) {
        m.set(row, col, m.get(row, 1 + col % (cols - 1)));  // a text copied from a cell of the array
        plain[cell] = plain[static_cast<std::size_t>((row - 1) * cols + 1 + col % (cols - 1))];
      } else {
        std::string text = textOf(size, row, col, round);
        m.set(row, col, text);
        plain[cell] = std::move(text);
      }
      if (random() % 4 == 0) reads.emplace_back(plain[cell], m.get(row, col));
    }
    for (long row = 1; row <= rows; ++row) {
      for (long col = 0; col < cols; ++col) {
        ASSERT_EQ(m.get(row, col), plain[static_cast<std::size_t>((row - 1) * cols + col)]) << row << "," << col;
      }
    }
    for (const auto& [then, view] : reads) ASSERT_EQ(view, then);
  }
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
