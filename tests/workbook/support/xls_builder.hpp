#pragma once
// Writes BIFF8 workbooks in a compound file for tests and benchmarks, record by record, so that
// records other writers leave out (cached formula results, errors, 1904 dates) can be made.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vt::testing {

using Bytes = std::vector<std::uint8_t>;

// One sheet's cell records, in the order added.
class XlsCells {
 public:
  void number(int row, int col, double value, int xf = 15);
  void rk(int row, int col, std::int32_t integer, int xf = 15);
  void mulrk(int row, int firstCol, const std::vector<std::int32_t>& integers, int xf = 15);
  void label(int row, int col, const std::string& utf8, int xf = 15);
  void labelSst(int row, int col, std::uint32_t index, int xf = 15);
  void boolean(int row, int col, bool value);
  void error(int row, int col, std::uint8_t code);
  void blank(int row, int col, int xf = 15);
  void formulaNumber(int row, int col, double value, int xf = 15);
  // A string result: FORMULA then STRING; the STRING may be split by a CONTINUE after `splitAt`
  // chars (0: right after the string's header).
  void formulaString(int row, int col, const std::string& utf8, std::optional<std::size_t> splitAt = {});
  void formulaBoolean(int row, int col, bool value);
  void formulaError(int row, int col, std::uint8_t code);
  void formulaEmpty(int row, int col);
  void raw(std::uint16_t type, const Bytes& data);
  const Bytes& bytes() const { return bytes_; }

 private:
  void formula(int row, int col, int xf, const Bytes& result);
  Bytes bytes_;
};

struct XlsSheet {
  std::string name = "Hoja1";
  XlsCells cells;
  std::uint8_t type = 0;   // BOUNDSHEET dt: 0 worksheet, 2 chart
  std::uint8_t state = 0;  // 0 visible, 1 hidden
};

struct XlsSpec {
  std::vector<XlsSheet> sheets = {XlsSheet{}};
  int activeTab = 0;
  bool writeWindow1 = true;
  bool date1904 = false;
  bool filePass = false;
  std::vector<std::pair<int, std::string>> formats;  // FORMAT records: id, code
  std::vector<int> cellXfFormats;                    // XF 15, 16, ... get these format ids
  std::vector<std::string> sharedStrings;
};

Bytes xlsWorkbookStream(const XlsSpec& spec);
// A compound file (4096-byte sectors) holding one stream.
Bytes compoundFile(const Bytes& stream, const std::string& streamName = "Workbook");
void writeXls(const std::string& path, const XlsSpec& spec);

// BIFF8 unicode string bytes: count (u16 or u8), flags, characters (compressed when possible).
Bytes biffString(const std::string& utf8, bool shortCount = false);

}  // namespace vt::testing
