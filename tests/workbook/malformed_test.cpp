// Untrusted files: every damaged, truncated or oversized file ends in a clean failure.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/workbook/failure.hpp"
#include "tests/support/files.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/workbook/support/sheet_probe.hpp"
#include "tests/workbook/support/xls_builder.hpp"
#include "tests/workbook/support/xlsx_builder.hpp"

namespace vt::workbook {
namespace {

using vt::testing::Bytes;
using vt::testing::readFailure;

Bytes readBytes(const std::string& path) {
  const std::string bytes = vt::testing::readOptionalFile(path);
  return Bytes(bytes.begin(), bytes.end());
}

class Malformed : public ::testing::Test {
 protected:
  // A small but complete file of each kind.
  Bytes xlsx() {
    vt::testing::XlsxSpec spec;
    spec.sharedItems = {"<t>uno</t>", "<t>dos</t>"};
    spec.sheets[0].rowsXml =
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>"
        "<row r=\"2\"><c r=\"A2\"><v>12.5</v></c><c r=\"B2\" t=\"inlineStr\"><is><t>tres</t></is></c></row>";
    vt::testing::writeXlsx(path_, spec);
    return readBytes(path_);
  }
  Bytes xls() {
    vt::testing::XlsSpec spec;
    spec.sharedStrings = {"uno", "dos"};
    spec.sheets[0].cells.labelSst(0, 0, 0);
    spec.sheets[0].cells.labelSst(0, 1, 1);
    spec.sheets[0].cells.formulaString(1, 0, "texto");
    spec.sheets[0].cells.number(1, 1, 2.5);
    return vt::testing::compoundFile(vt::testing::xlsWorkbookStream(spec));
  }
  std::optional<Failure> failureOf(const Bytes& bytes, const ReadLimits& limits = {}) {
    vt::testing::writeFile(path_, bytes);
    return readFailure(path_, limits);
  }
  // Every cell of the file's first rows and columns as text with its kind; nullopt when reading
  // failed cleanly.
  std::optional<std::string> dumpOf(const Bytes& bytes) {
    vt::testing::writeFile(path_, bytes);
    if (readFailure(path_).has_value()) return std::nullopt;
    const Worksheet sheet = readActiveSheet(path_);
    std::string dump = std::to_string(sheet.cellCount()) + (sheet.date1904() ? " 1904\n" : "\n");
    for (std::uint32_t row = 0; row < 4; ++row) {
      for (std::uint32_t col = 0; col < 4; ++col) {
        const Cell cell = sheet.cell(row, col);
        char number[32];
        std::snprintf(number, sizeof number, "%.17g", cell.number);
        dump += std::to_string(static_cast<int>(cell.kind)) + (cell.isDate ? "d " : " ") + number + "=" +
                cellText(cell, sheet.date1904()) + "\t";
      }
      dump += '\n';
    }
    return dump;
  }
  vt::testing::TempFolder dir_;
  std::string path_ = dir_.file("libro");
};

TEST_F(Malformed, TruncatedFilesFail) {
  for (const Bytes& whole : {xlsx(), xls()}) {
    ASSERT_FALSE(failureOf(whole).has_value());
    for (std::size_t keep :
         {std::size_t{0}, std::size_t{3}, std::size_t{8}, std::size_t{100}, std::size_t{511},
          whole.size() / 3, whole.size() / 2, whole.size() - 1000, whole.size() - 22}) {
      const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
      EXPECT_TRUE(failureOf(cut).has_value()) << "kept " << keep << " of " << whole.size();
    }
  }
}

// A flipped bit either fails cleanly or leaves a file that reads exactly as the whole one. Every
// part of an .xlsx is guarded by its checksum, so nothing in between may come out. An .xls has no
// checksum: a bit flipped in a cell's value or position reads as another valid cell, so it is held
// only to a clean end. The run under the sanitizers shows that nothing reads out of bounds.
TEST_F(Malformed, FlippedBitsFailCleanlyOrChangeNothing) {
  const struct {
    const char* kind;
    Bytes whole;
    bool checksummed;
  } files[] = {{"xlsx", xlsx(), true}, {"xls", xls(), false}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.kind);
    const std::optional<std::string> original = dumpOf(f.whole);
    ASSERT_TRUE(original.has_value());
    std::uint32_t seed = 12345;
    int failures = 0;
    for (int round = 0; round < 400; ++round) {
      Bytes damaged = f.whole;
      std::string flipped;
      for (int flips = 0; flips < 1 + round % 4; ++flips) {
        seed = seed * 1103515245 + 12345;
        const std::size_t at = (seed >> 8) % damaged.size();
        const unsigned bit = (seed >> 4) % 8;
        damaged[at] ^= static_cast<std::uint8_t>(1u << bit);
        flipped += " " + std::to_string(at) + ":" + std::to_string(bit);
      }
      const std::optional<std::string> read = dumpOf(damaged);
      if (!read) {
        ++failures;
      } else if (f.checksummed) {
        EXPECT_EQ(*read, *original) << "round " << round << ", bits" << flipped;
      }
    }
    EXPECT_GT(failures, 0);
  }
}

TEST_F(Malformed, FlippedBitsInTheSheetDataFail) {
  const Bytes whole = xlsx();
  // The sheet part's local entry: 30 bytes of header, its name, an extra field, then the data.
  const std::string name = "xl/worksheets/sheet1.xml";
  const auto found = std::search(whole.begin(), whole.end(), name.begin(), name.end());
  ASSERT_NE(found, whole.end());
  const std::size_t header = static_cast<std::size_t>(found - whole.begin()) - 30;
  const std::size_t data = header + 30 + name.size() + (whole[header + 28] | whole[header + 29] << 8);
  for (std::size_t at : {data, data + 7, data + 40}) {
    Bytes damaged = whole;
    damaged[at] ^= 0x10;
    EXPECT_TRUE(failureOf(damaged).has_value()) << at;
  }
}

TEST_F(Malformed, OversizedInputFails) {
  ReadLimits tight;
  tight.maxStreamBytes = 1 << 20;
  tight.maxTextBytes = 1000;
  tight.maxCells = 100;

  // A sheet part that unpacks to far more than it occupies (zip bomb).
  vt::testing::XlsxSpec bomb;
  bomb.sheets[0].rowsXml = "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" + std::string(4u << 20, ' ');
  vt::testing::writeXlsx(path_, bomb);
  EXPECT_EQ(readFailure(path_, tight), Failure::TooLarge);

  const struct {
    const char* what;
    std::string rows;
    Failure failure;
  } sheets[] = {
      {"huge cell",
       "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" + std::string(5000, 'x') + "</t></is></c></row>",
       Failure::TooLarge},
      {"too many cells",
       [] {
         std::string rows;
         for (int r = 1; r <= 200; ++r) rows += "<row r=\"" + std::to_string(r) + "\"><c><v>1</v></c></row>";
         return rows;
       }(),
       Failure::TooLarge},
      {"column past XFD", "<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>", Failure::Damaged},
      {"row past the last", "<row r=\"1048577\"><c><v>1</v></c></row>", Failure::Damaged},
      {"row zero", "<row r=\"0\"><c><v>1</v></c></row>", Failure::Damaged},
      {"shared string out of range", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>7</v></c></row>", Failure::Damaged},
      {"number that is not one", "<row r=\"1\"><c r=\"A1\"><v>1,5</v></c></row>", Failure::Damaged},
      {"unclosed element", "<row r=\"1\"><c r=\"A1\"><v>1</v></row>", Failure::Damaged},
      {"entity of a document type", "<row r=\"1\"><c r=\"A1\" t=\"str\"><v>&bomb;</v></c></row>",
       Failure::Damaged},
  };
  for (const auto& s : sheets) {
    vt::testing::XlsxSpec spec;
    spec.sheets[0].rowsXml = s.rows;
    vt::testing::writeXlsx(path_, spec);
    EXPECT_EQ(readFailure(path_, tight), s.failure) << s.what;
  }

  // A compound file whose stream claims more bytes than the file holds, and a file over the cap.
  Bytes claim = xls();
  const std::size_t entry = claim.size() - 4096 + 128;  // second directory entry
  claim[entry + 0x7B] = 0x7F;
  EXPECT_EQ(failureOf(claim), Failure::Damaged);
  ReadLimits smallFile;
  smallFile.maxFileBytes = 1000;
  EXPECT_EQ(failureOf(xls(), smallFile), Failure::TooLarge);

  // A sheet with more cells than allowed.
  vt::testing::XlsSpec many;
  for (int r = 0; r < 200; ++r) many.sheets[0].cells.rk(r, 0, r);
  EXPECT_EQ(failureOf(vt::testing::compoundFile(vt::testing::xlsWorkbookStream(many)), tight),
            Failure::TooLarge);
}

TEST_F(Malformed, OtherContentIsNotAWorkbook) {
  for (const std::string& content :
       {std::string("Texto;separado;por;comas\r\n"), std::string("PK"), std::string()}) {
    EXPECT_EQ(failureOf(Bytes(content.begin(), content.end())), Failure::NotAWorkbook) << content;
  }
}

}  // namespace
}  // namespace vt::workbook
