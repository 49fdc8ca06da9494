#include "platform/workbook/xls_reader.hpp"

#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>

#include "platform/workbook/biff_records.hpp"
#include "platform/workbook/compound_file.hpp"
#include "platform/workbook/failure.hpp"
#include "platform/workbook/number_format.hpp"

namespace vt::workbook {
namespace {

enum Record : std::uint16_t {
  kFormula = 0x0006,
  kEof = 0x000A,
  kDateMode = 0x0022,
  kFilePass = 0x002F,
  kWindow1 = 0x003D,
  kBoundSheet = 0x0085,
  kMulRk = 0x00BD,
  kRString = 0x00D6,
  kXf = 0x00E0,
  kSst = 0x00FC,
  kLabelSst = 0x00FD,
  kNumber = 0x0203,
  kLabel = 0x0204,
  kBoolErr = 0x0205,
  kString = 0x0207,
  kRk = 0x027E,
  kFormat = 0x041E,
  kBof = 0x0809,
};

constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint16_t kGlobalsType = 0x0005;
constexpr std::uint16_t kWorksheetType = 0x0010;

std::vector<std::uint8_t> readFile(const std::string& path, const ReadLimits& limits) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail(Failure::CannotOpen);
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) fail(Failure::CannotOpen);
  if (static_cast<std::uint64_t>(size) > limits.maxFileBytes) fail(Failure::TooLarge);
  in.seekg(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) fail(Failure::CannotOpen);
  return bytes;
}

std::string errorText(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return "#NULL!";
    case 0x07:
      return "#DIV/0!";
    case 0x0F:
      return "#VALUE!";
    case 0x17:
      return "#REF!";
    case 0x1D:
      return "#NAME?";
    case 0x24:
      return "#NUM!";
    case 0x2A:
      return "#N/A";
    default:
      return "#ERR" + std::to_string(code);
  }
}

double rkValue(std::uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFC) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return (rk & 0x01) ? value / 100 : value;
}

struct Globals {
  bool date1904 = false;
  std::uint16_t activeTab = 0;
  bool window1Seen = false;
  std::map<std::uint16_t, bool> customIsDate;
  std::vector<std::uint16_t> xfFormat;
  struct Sheet {
    std::uint32_t offset;
    std::uint8_t state, type;
  };
  std::vector<Sheet> sheets;
};

void checkBof(const BiffRecords& r, std::uint16_t expectedType) {
  if (r.type() != kBof) fail(Failure::Damaged);
  BiffCursor c(r);
  const std::uint16_t version = c.u16();
  const std::uint16_t type = c.u16();
  if (version != kBiff8) fail(Failure::OldFormat);
  if (type != expectedType) fail(expectedType == kWorksheetType ? Failure::NotAWorksheet : Failure::Damaged);
}

Globals readGlobals(const std::vector<std::uint8_t>& stream, Worksheet& sheet) {
  Globals g;
  BiffRecords r(stream, 0);
  if (!r.next()) fail(Failure::Damaged);
  checkBof(r, kGlobalsType);
  while (r.next() && r.type() != kEof) {
    BiffCursor c(r);
    switch (r.type()) {
      case kFilePass:
        fail(Failure::PasswordProtected);
      case kDateMode:
        g.date1904 = c.u16() == 1;
        break;
      case kWindow1:
        if (!g.window1Seen) {
          c.skip(10);
          g.activeTab = c.u16();
          g.window1Seen = true;
        }
        break;
      case kFormat: {
        const std::uint16_t id = c.u16();
        g.customIsDate[id] = isDateFormatCode(c.unicodeString());
        break;
      }
      case kXf:
        c.skip(2);
        g.xfFormat.push_back(c.u16());
        break;
      case kBoundSheet: {
        const std::uint32_t offset = c.u32();
        const std::uint8_t state = c.u8();
        const std::uint8_t type = c.u8();
        g.sheets.push_back({offset, static_cast<std::uint8_t>(state & 0x03), type});
        break;
      }
      case kSst: {
        c.skip(4);
        std::uint32_t unique = c.u32();
        for (; unique > 0 && c.position() < r.size(); --unique) sheet.addText(c.unicodeString());
        break;
      }
      default:
        break;
    }
  }
  if (g.sheets.empty()) fail(Failure::Damaged);
  return g;
}

class SheetReader {
 public:
  SheetReader(const Globals& g, std::uint32_t sharedCount, Worksheet& sheet)
      : sharedCount_(sharedCount), sheet_(sheet) {
    for (std::uint16_t format : g.xfFormat) {
      const auto custom = g.customIsDate.find(format);
      xfIsDate_.push_back(isBuiltInDateFormat(format) || (custom != g.customIsDate.end() && custom->second));
    }
  }

  void read(const std::vector<std::uint8_t>& stream, std::uint32_t offset) {
    BiffRecords r(stream, offset);
    if (!r.next()) fail(Failure::Damaged);
    checkBof(r, kWorksheetType);
    int depth = 1;  // embedded chart substreams nest their own BOF .. EOF
    while (depth > 0) {
      if (!r.next()) fail(Failure::Damaged);
      if (r.type() == kBof) {
        ++depth;
      } else if (r.type() == kEof) {
        --depth;
      } else if (depth == 1) {
        record(r);
      }
    }
    closePendingString();
    sheet_.finish();
  }

 private:
  bool isDate(std::uint16_t xf) const { return xf < xfIsDate_.size() && xfIsDate_[xf]; }

  void closePendingString() {
    if (pendingString_) sheet_.addFormulaWithoutValue(pendingString_->first, pendingString_->second);
    pendingString_.reset();
  }

  void record(const BiffRecords& r) {
    BiffCursor c(r);
    const std::uint16_t type = r.type();
    if (type == kString) {
      if (pendingString_)
        sheet_.addText(pendingString_->first, pendingString_->second, sheet_.addText(c.unicodeString()));
      pendingString_.reset();
      return;
    }
    if (type != kFormula && type != kNumber && type != kRk && type != kMulRk && type != kLabelSst &&
        type != kLabel && type != kRString && type != kBoolErr) {
      return;
    }
    closePendingString();
    const std::uint16_t row = c.u16();
    const std::uint16_t col = c.u16();
    if (col >= 256) fail(Failure::Damaged);
    switch (type) {
      case kNumber: {
        const std::uint16_t xf = c.u16();
        sheet_.addNumber(row, col, finite(c.f64()), isDate(xf));
        break;
      }
      case kRk: {
        const std::uint16_t xf = c.u16();
        sheet_.addNumber(row, col, rkValue(c.u32()), isDate(xf));
        break;
      }
      case kMulRk: {
        if (r.size() < 6) fail(Failure::Damaged);
        const std::size_t count = (r.size() - 6) / 6;
        if (col + count > 256) fail(Failure::Damaged);
        for (std::size_t i = 0; i < count; ++i) {
          const std::uint16_t xf = c.u16();
          sheet_.addNumber(row, static_cast<std::uint32_t>(col + i), rkValue(c.u32()), isDate(xf));
        }
        break;
      }
      case kLabelSst: {
        c.skip(2);
        const std::uint32_t index = c.u32();
        if (index >= sharedCount_) fail(Failure::Damaged);
        sheet_.addText(row, col, index);
        break;
      }
      case kLabel:
      case kRString:
        c.skip(2);
        sheet_.addText(row, col, sheet_.addText(c.unicodeString()));
        break;
      case kBoolErr: {
        c.skip(2);
        const std::uint8_t value = c.u8();
        if (c.u8() == 0) {
          sheet_.addBoolean(row, col, value != 0);
        } else {
          sheet_.addError(row, col, errorText(value));
        }
        break;
      }
      case kFormula:
        formula(c, row, col);
        break;
      default:
        break;
    }
  }

  // The result is cached in the record: a double, or a marker 0xFFFF in its last two bytes with
  // the result's kind in the first (string, boolean, error, empty string).
  void formula(BiffCursor& c, std::uint16_t row, std::uint16_t col) {
    const std::uint16_t xf = c.u16();
    BiffCursor asNumber = c;
    const double number = asNumber.f64();
    const std::uint8_t kind = c.u8();
    c.skip(1);
    const std::uint8_t value = c.u8();
    c.skip(3);
    if (c.u16() != 0xFFFF) {
      sheet_.addNumber(row, col, finite(number), isDate(xf));
      return;
    }
    switch (kind) {
      case 0:
        pendingString_ = {row, col};  // the text follows in a STRING record
        break;
      case 1:
        sheet_.addBoolean(row, col, value != 0);
        break;
      case 2:
        sheet_.addError(row, col, errorText(value));
        break;
      case 3:
        sheet_.addText(row, col, sheet_.addText(""));
        break;
      default:
        fail(Failure::Damaged);
    }
  }

  static double finite(double v) {
    if (!std::isfinite(v)) fail(Failure::Damaged);
    return v;
  }

  std::uint32_t sharedCount_;
  Worksheet& sheet_;
  std::vector<bool> xfIsDate_;
  std::optional<std::pair<std::uint16_t, std::uint16_t>> pendingString_;
};

}  // namespace

Worksheet readXlsActiveSheet(const std::string& path, const ReadLimits& limits) {
  const CompoundFile file(readFile(path, limits));
  if (file.hasStream("EncryptedPackage")) fail(Failure::PasswordProtected);
  const auto stream = file.stream("Workbook");
  if (!stream) {
    if (file.hasStream("Book")) fail(Failure::OldFormat);
    fail(Failure::NotAWorkbook);
  }
  Worksheet sheet(limits);
  const Globals globals = readGlobals(*stream, sheet);
  sheet.setDate1904(globals.date1904);

  std::size_t active = globals.activeTab < globals.sheets.size() ? globals.activeTab : 0;
  if (globals.sheets[active].state != 0) {
    for (std::size_t i = 0; i < globals.sheets.size(); ++i) {
      if (globals.sheets[i].state == 0) {
        active = i;
        break;
      }
    }
  }
  if (globals.sheets[active].type != 0) fail(Failure::NotAWorksheet);
  SheetReader(globals, static_cast<std::uint32_t>(sheet.textCount()), sheet)
      .read(*stream, globals.sheets[active].offset);
  return sheet;
}

}  // namespace vt::workbook
