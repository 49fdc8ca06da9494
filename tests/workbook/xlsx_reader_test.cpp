#include <gtest/gtest.h>

#include "platform/errors/error.hpp"
#include "platform/workbook/failure.hpp"
#include "platform/workbook/workbook.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/workbook/support/sheet_probe.hpp"
#include "tests/workbook/support/xlsx_builder.hpp"

namespace vt::workbook {
namespace {

using vt::testing::cellAt;
using vt::testing::inlineCell;
using vt::testing::numberCell;
using vt::testing::textAt;
using vt::testing::XlsxSheet;
using vt::testing::XlsxSpec;

class XlsxReader : public ::testing::Test {
 protected:
  Worksheet read(const XlsxSpec& spec) {
    vt::testing::writeXlsx(path_, spec);
    return readActiveSheet(path_);
  }
  std::optional<Failure> failureOf(const XlsxSpec& spec) {
    vt::testing::writeXlsx(path_, spec);
    return vt::testing::readFailure(path_);
  }
  vt::testing::TempFolder dir_;
  std::string path_ = dir_.file("libro.xlsx");
};

XlsxSheet sheet(const std::string& name, const std::string& a1, const std::string& state = "",
                const std::string& kind = "worksheet") {
  return XlsxSheet{name, "<row r=\"1\">" + inlineCell("A1", a1) + "</row>", state, kind};
}

TEST_F(XlsxReader, ReadsTheActiveSheet) {
  const struct {
    const char* what;
    std::vector<XlsxSheet> sheets;
    int activeTab;
    const char* a1;
  } cases[] = {
      {"second tab active", {sheet("A", "primera"), sheet("B", "segunda")}, 1, "segunda"},
      {"no activeTab: the first", {sheet("A", "primera"), sheet("B", "segunda")}, -1, "primera"},
      {"hidden active tab: first visible",
       {sheet("A", "oculta", "hidden"), sheet("B", "visible"), sheet("C", "otra")},
       0,
       "visible"},
      {"activeTab out of range: the first", {sheet("A", "primera"), sheet("B", "segunda")}, 7, "primera"},
  };
  for (const auto& c : cases) {
    XlsxSpec spec;
    spec.sheets = c.sheets;
    spec.activeTab = c.activeTab;
    EXPECT_EQ(textAt(read(spec), "A1"), c.a1) << c.what;
  }
}

TEST_F(XlsxReader, ActiveChartSheetIsRefused) {
  XlsxSpec spec;
  spec.sheets = {sheet("Datos", "x"), sheet("Grafico", "", "", "chartsheet")};
  spec.activeTab = 1;
  EXPECT_EQ(failureOf(spec), Failure::NotAWorksheet);
}

TEST_F(XlsxReader, CellValuesAsTheirTexts) {
  XlsxSpec spec;
  spec.sharedItems = {
      "<t xml:space=\"preserve\"> </t>",
      "<r><t>PE</t></r><r><rPr><b/></rPr><t>ÑA</t></r><rPh sb=\"0\" eb=\"1\"><t>pena</t></rPh>",
      "<t>línea_x000D_\nsegunda</t>",
      "<t>a_x005F_x000D_b</t>",
      "<t>  Juan   Pérez </t>",
  };
  spec.numFmtsXml =
      "<numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy;@\"/>"
      "<numFmt numFmtId=\"165\" formatCode=\"dd/mm/yyyy\\ hh:mm:ss\"/>"
      "<numFmt numFmtId=\"166\" formatCode=\"#,##0.00\"/>";
  spec.cellXfFormats = {0, 14, 164, 165, 166, 49};
  spec.sheets[0].rowsXml =
      "<row r=\"1\">" + numberCell("A1", "100.5") + numberCell("B1", "1790012345001") +
      numberCell("C1", "0.30000000000000004") + numberCell("D1", "41425", 1) + numberCell("E1", "41425", 2) +
      numberCell("F1", "41425.604166666664", 3) + numberCell("G1", "1234.5", 4) + numberCell("H1", "1E-5") +
      numberCell("I1", "7", 5) +
      "</row><row r=\"2\">"
      "<c r=\"A2\" t=\"s\"><v>0</v></c><c r=\"B2\" t=\"s\"><v>1</v></c><c r=\"C2\" t=\"s\"><v>2</v></c>"
      "<c r=\"D2\" t=\"s\"><v>3</v></c><c r=\"E2\" t=\"s\"><v>4</v></c>" +
      inlineCell("F2", "en línea") +
      "<c r=\"G2\" t=\"b\"><v>1</v></c><c r=\"H2\" t=\"b\"><v>0</v></c>"
      "<c r=\"I2\" t=\"d\"><v>2013-05-31T14:30:00</v></c>"
      "</row><row r=\"3\">"
      "<c r=\"A3\" t=\"str\"><f>CONCATENATE(\"x\",\"y\")</f><v>xy</v></c>"
      "<c r=\"B3\"><f>1+2</f><v>3</v></c>"
      "<c r=\"C3\" t=\"str\"><f>\"\"</f><v></v></c>"
      "<c r=\"D3\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c>"
      "<c r=\"E3\"><f>SUM(A1:B1)</f></c>"
      "<c r=\"F3\" s=\"2\"/>"
      "<c r=\"G3\" t=\"e\"><v>#N/A</v></c>"
      "</row>";
  const Worksheet ws = read(spec);
  const struct {
    const char* ref;
    const char* text;
  } cases[] = {
      {"A1", "100.5"},      {"B1", "1790012345001"},
      {"C1", "0.3"},        {"D1", "31/05/2013"},
      {"E1", "31/05/2013"}, {"F1", "31/05/2013 14:30:00"},
      {"G1", "1234.5"},     {"H1", "1E-05"},
      {"I1", "7"},          {"A2", " "},
      {"B2", "PEÑA"},       {"C2", "línea\r\nsegunda"},
      {"D2", "a_x000D_b"},  {"E2", "  Juan   Pérez "},
      {"F2", "en línea"},   {"G2", "True"},
      {"H2", "False"},      {"I2", "31/05/2013 14:30:00"},
      {"A3", "xy"},         {"B3", "3"},
      {"C3", ""},           {"F3", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(textAt(ws, c.ref), c.text) << c.ref;
  EXPECT_EQ(cellAt(ws, "C3").kind, CellKind::Text);  // a formula giving "" still fills its cell
  EXPECT_EQ(cellAt(ws, "D3").kind, CellKind::Error);
  EXPECT_EQ(cellAt(ws, "D3").text, "#DIV/0!");
  EXPECT_EQ(cellAt(ws, "E3").kind, CellKind::FormulaWithoutValue);
  EXPECT_EQ(cellAt(ws, "F3").kind, CellKind::Empty);  // formatting alone is no value
  EXPECT_EQ(cellAt(ws, "G3").text, "#N/A");
}

TEST_F(XlsxReader, Dates1904) {
  XlsxSpec spec;
  spec.date1904 = true;
  spec.cellXfFormats = {0, 14};
  spec.sheets[0].rowsXml = "<row r=\"1\">" + numberCell("A1", "39963", 1) + "</row>";
  EXPECT_EQ(textAt(read(spec), "A1"), "31/05/2013");
}

TEST_F(XlsxReader, PositionsWithoutReferencesFollowThePreviousOne) {
  XlsxSpec spec;
  spec.sheets[0].rowsXml =
      "<row><c><v>1</v></c><c><v>2</v></c></row>"
      "<row><c r=\"C2\"><v>3</v></c><c><v>4</v></c></row>"
      "<row r=\"5\"><c><v>5</v></c></row>";
  const Worksheet ws = read(spec);
  EXPECT_EQ(textAt(ws, "A1"), "1");
  EXPECT_EQ(textAt(ws, "B1"), "2");
  EXPECT_EQ(textAt(ws, "C2"), "3");
  EXPECT_EQ(textAt(ws, "D2"), "4");
  EXPECT_EQ(textAt(ws, "A5"), "5");
}

TEST_F(XlsxReader, PrefixedElementsAndAbsoluteTargets) {
  const std::string ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  vt::testing::Parts parts;
  parts["_rels/.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"r1\" Type=\"" +
      rel + "/officeDocument\" Target=\"/book/main.xml\"/></Relationships>";
  parts["book/main.xml"] =
      "<x:workbook xmlns:x=\"" + ns + "\" xmlns:r=\"" + rel +
      "\"><x:sheets><x:sheet name=\"S\" sheetId=\"1\" r:id=\"a\"/></x:sheets></x:workbook>";
  parts["book/_rels/main.xml.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"a\" Type=\"" +
      rel + "/worksheet\" Target=\"../data/s.xml\"/></Relationships>";
  parts["data/s.xml"] =
      "<x:worksheet xmlns:x=\"" + ns +
      "\"><x:sheetData><x:row r=\"1\"><x:c r=\"A1\" t=\"inlineStr\"><x:is><x:t>ok</x:t></x:is>"
      "</x:c><x:c r=\"B1\"><x:v><![CDATA[4.5]]></x:v></x:c></x:row></x:sheetData></x:worksheet>";
  vt::testing::writeZip(path_, parts);
  const Worksheet ws = readActiveSheet(path_);
  EXPECT_EQ(textAt(ws, "A1"), "ok");
  EXPECT_EQ(textAt(ws, "B1"), "4.5");
}

TEST_F(XlsxReader, PartsStartingWithAByteOrderMark) {
  XlsxSpec spec;
  spec.sharedItems = {"<t>PEÑA</t>"};
  spec.sheets[0].rowsXml =
      "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>" + numberCell("B1", "2.5") + "</row>";
  vt::testing::Parts parts = vt::testing::xlsxParts(spec);
  for (auto& [name, content] : parts) content.insert(0, "\xEF\xBB\xBF");
  vt::testing::writeZip(path_, parts);
  const Worksheet ws = readActiveSheet(path_);
  EXPECT_EQ(textAt(ws, "A1"), "PEÑA");
  EXPECT_EQ(textAt(ws, "B1"), "2.5");
}

TEST_F(XlsxReader, FilesThatAreNotWorkbooks) {
  vt::testing::writeZip(path_, {{"word/document.xml", "<document/>"}});
  EXPECT_EQ(vt::testing::readFailure(path_), Failure::NotAWorkbook);
  // A binary workbook (.xlsb): a package like ours whose workbook part is binary, not damaged.
  vt::testing::writeZip(
      path_, {{"_rels/.rels",
               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
               "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
               "relationships/officeDocument\" Target=\"xl/workbook.bin\"/></Relationships>"},
              {"xl/workbook.bin", std::string("\x83\x01\x00\x80", 4)}});
  EXPECT_EQ(vt::testing::readFailure(path_), Failure::NotAWorkbook);
  EXPECT_EQ(vt::testing::readFailure(dir_.file("no-existe.xlsx")), Failure::CannotOpen);
  EXPECT_EQ(vt::testing::readFailure(dir_.file("")), Failure::CannotOpen);
}

}  // namespace
}  // namespace vt::workbook
