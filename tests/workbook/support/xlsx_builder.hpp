#pragma once
// Writes .xlsx packages for tests and benchmarks from literal XML parts, so that the active tab,
// styles, shared strings and formulas are under the caller's control.

#include <map>
#include <string>
#include <vector>

namespace vt::testing {

using Parts = std::map<std::string, std::string>;  // part name -> content

struct XlsxSheet {
  std::string name = "Hoja1";
  std::string rowsXml;             // the content of sheetData
  std::string state;               // "", "hidden" or "veryHidden"
  std::string kind = "worksheet";  // or "chartsheet"
};

struct XlsxSpec {
  std::vector<XlsxSheet> sheets = {XlsxSheet{}};
  int activeTab = -1;  // -1: no activeTab attribute
  bool date1904 = false;
  std::vector<std::string> sharedItems;  // each the content of one <si>
  std::string numFmtsXml;                // <numFmt .../> elements
  std::vector<int> cellXfFormats = {0};  // numFmtId of each cell style
};

Parts xlsxParts(const XlsxSpec& spec);
void writeZip(const std::string& path, const Parts& parts);  // throws std::runtime_error
void writeXlsx(const std::string& path, const XlsxSpec& spec);
// The same package with the first sheet's part read from `sheetFile` (a whole <worksheet>
// document), for sheets too large to hold as a string.
void writeXlsxWithSheetFile(const std::string& path, const XlsxSpec& spec, const std::string& sheetFile);

// Shorthands for rowsXml. columnLetters(0) is "A", columnLetters(26) "AA".
std::string columnLetters(int col);
std::string xmlEscape(const std::string& text);
std::string inlineCell(const std::string& ref, const std::string& text);
std::string numberCell(const std::string& ref, const std::string& value, int style = 0);

}  // namespace vt::testing
