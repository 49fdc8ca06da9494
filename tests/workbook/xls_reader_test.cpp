#include <gtest/gtest.h>

#include "platform/workbook/failure.hpp"
#include "platform/workbook/workbook.hpp"
#include "tests/support/files.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/workbook/support/sheet_probe.hpp"
#include "tests/workbook/support/xls_builder.hpp"

namespace vt::workbook {
namespace {

using vt::testing::cellAt;
using vt::testing::readFailure;
using vt::testing::textAt;
using vt::testing::XlsSheet;
using vt::testing::XlsSpec;

const std::string kFixtures = std::string(VT_SOURCE_DIR) + "/tests/workbook/fixtures/";

class XlsReader : public ::testing::Test {
 protected:
  Worksheet read(const XlsSpec& spec) {
    vt::testing::writeXls(path_, spec);
    return readActiveSheet(path_);
  }
  std::optional<Failure> failureOf(const XlsSpec& spec) {
    vt::testing::writeXls(path_, spec);
    return readFailure(path_);
  }
  vt::testing::TempFolder dir_;
  std::string path_ = dir_.file("libro.xls");
};

TEST_F(XlsReader, FileWrittenByAnotherProgram) {
  const Worksheet ws = readActiveSheet(kFixtures + "xlwt_datos.xls");
  const struct {
    const char* ref;
    const char* text;
  } cases[] = {
      {"A1", "Texto"},
      {"A2", "  PEÑA  "},
      {"B2", "100.5"},
      {"C2", "31/05/2013"},
      {"D2", "True"},
      {"F2", "7"},
      {"A3", "Juan Pérez"},
      {"B3", "1790012345001"},
      {"C3", "31/05/2013 14:30:00"},
      {"D3", "False"},
      {"F3", "-3"},
      {"A4", " "},
      {"B4", "0.3"},
      {"A5", "ÁÉÍÓÚ ñ"},
      {"B5", "1E-05"},
      {"C5", "29/02/2012"},
      {"F5", "123456789"},
      {"K2", "columna K"},
      // This writer stores an empty text as every formula's result.
      {"E2", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(textAt(ws, c.ref), c.text) << c.ref;
  EXPECT_EQ(cellAt(ws, "E2").kind, CellKind::Text);
  EXPECT_EQ(ws.currentRegionRows(), 5u);
}

TEST_F(XlsReader, CachedFormulaResultsBooleansAndErrors) {
  XlsSpec spec;
  spec.cellXfFormats = {14};  // XF 16: a date
  auto& cells = spec.sheets[0].cells;
  cells.formulaNumber(0, 0, 1234.5);
  cells.formulaString(0, 1, "resultado");
  cells.formulaString(0, 2, "partido en dos registros", 8);
  cells.formulaString(0, 7, "todo en la continuación", 0);
  cells.formulaBoolean(0, 3, true);
  cells.formulaEmpty(0, 4);
  cells.formulaNumber(0, 5, 41425, 16);
  cells.formulaError(0, 6, 0x07);
  cells.boolean(1, 0, true);
  cells.boolean(1, 1, false);
  cells.error(1, 2, 0x2A);
  cells.rk(1, 3, -42);
  cells.mulrk(1, 4, {1, 2, 3});
  cells.number(1, 7, 41425.604166666664, 16);
  cells.blank(1, 8);
  cells.label(1, 9, "ünïcödé €");
  const Worksheet ws = read(spec);
  const struct {
    const char* ref;
    const char* text;
  } cases[] = {
      {"A1", "1234.5"},
      {"B1", "resultado"},
      {"C1", "partido en dos registros"},
      {"D1", "True"},
      {"E1", ""},
      {"F1", "31/05/2013"},
      {"H1", "todo en la continuación"},
      {"A2", "True"},
      {"B2", "False"},
      {"D2", "-42"},
      {"E2", "1"},
      {"G2", "3"},
      {"H2", "31/05/2013 14:30:00"},
      {"J2", "ünïcödé €"},
  };
  for (const auto& c : cases) EXPECT_EQ(textAt(ws, c.ref), c.text) << c.ref;
  EXPECT_EQ(cellAt(ws, "G1").kind, CellKind::Error);
  EXPECT_EQ(cellAt(ws, "G1").text, "#DIV/0!");
  EXPECT_EQ(cellAt(ws, "C2").kind, CellKind::Error);
  EXPECT_EQ(cellAt(ws, "C2").text, "#N/A");
  EXPECT_EQ(cellAt(ws, "I2").kind, CellKind::Empty);
}

TEST_F(XlsReader, SharedStringsSplitAcrossRecords) {
  XlsSpec spec;
  for (int i = 0; i < 600; ++i)
    spec.sharedStrings.push_back("cadena número " + std::to_string(i) + std::string(20, 'x'));
  spec.sharedStrings.push_back(std::string(9000, 'a') + "ñ");  // longer than one record
  spec.sharedStrings.push_back("Ω omega");                     // 16-bit characters
  for (int i = 0; i < static_cast<int>(spec.sharedStrings.size()); ++i)
    spec.sheets[0].cells.labelSst(i, 0, static_cast<std::uint32_t>(i));
  const Worksheet ws = read(spec);
  for (int i = 0; i < static_cast<int>(spec.sharedStrings.size()); ++i) {
    ASSERT_EQ(textAt(ws, "A" + std::to_string(i + 1)), spec.sharedStrings[static_cast<std::size_t>(i)]) << i;
  }
}

TEST_F(XlsReader, ActiveSheetDateSystemAndCustomFormats) {
  XlsSpec spec;
  spec.sheets.resize(3);
  spec.sheets[0].cells.label(0, 0, "primera");
  spec.sheets[1].cells.label(0, 0, "segunda");
  spec.sheets[2].cells.label(0, 0, "tercera");
  spec.activeTab = 2;
  spec.date1904 = true;
  spec.formats = {{164, "dd/mm/yyyy;@"}, {165, "#,##0.00"}};
  spec.cellXfFormats = {164, 165};
  spec.sheets[2].cells.number(1, 0, 39963, 16);
  spec.sheets[2].cells.number(1, 1, 39963, 17);
  const Worksheet ws = read(spec);
  EXPECT_EQ(textAt(ws, "A1"), "tercera");
  EXPECT_EQ(textAt(ws, "A2"), "31/05/2013");
  EXPECT_EQ(textAt(ws, "B2"), "39963");

  spec.writeWindow1 = false;
  EXPECT_EQ(textAt(read(spec), "A1"), "primera");
  spec.writeWindow1 = true;
  spec.activeTab = 0;
  spec.sheets[0].state = 1;
  EXPECT_EQ(textAt(read(spec), "A1"), "segunda");
}

TEST_F(XlsReader, Refusals) {
  XlsSpec chart;
  chart.sheets.resize(2);
  chart.sheets[1].type = 2;
  chart.activeTab = 1;
  EXPECT_EQ(failureOf(chart), Failure::NotAWorksheet);

  XlsSpec locked;
  locked.filePass = true;
  EXPECT_EQ(failureOf(locked), Failure::PasswordProtected);

  const auto stream = vt::testing::xlsWorkbookStream(XlsSpec{});
  vt::testing::writeFile(path_, vt::testing::compoundFile(stream, "Book"));
  EXPECT_EQ(readFailure(path_), Failure::OldFormat);
  vt::testing::writeFile(path_, vt::testing::compoundFile(stream, "EncryptedPackage"));
  EXPECT_EQ(readFailure(path_), Failure::PasswordProtected);
  vt::testing::writeFile(path_, vt::testing::compoundFile(stream, "WordDocument"));
  EXPECT_EQ(readFailure(path_), Failure::NotAWorkbook);
}

}  // namespace
}  // namespace vt::workbook
