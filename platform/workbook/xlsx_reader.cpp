#include "platform/workbook/xlsx_reader.hpp"

#include <charconv>
#include <cmath>
#include <optional>

#include "platform/conversions/number_scan.hpp"
#include "platform/workbook/failure.hpp"
#include "platform/workbook/utf8.hpp"
#include "platform/workbook/xlsx_package.hpp"
#include "platform/workbook/zip_package.hpp"

namespace vt::workbook {
namespace {

using Event = XmlPullParser::Event;

XmlPullParser streamParser(ZipPackage::Stream& stream, const ReadLimits& limits) {
  XmlPullParser xml([&stream](char* buffer, std::size_t capacity) { return stream.read(buffer, capacity); },
                    limits.maxTextBytes);
  xml.limitTokens(limits.freeTokens);
  return xml;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The UTF-16 unit of an escape starting at text[i], if there is one.
std::optional<unsigned> escapeAt(std::string_view text, std::size_t i) {
  if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_') return std::nullopt;
  unsigned unit = 0;
  for (std::size_t k = 2; k < 6; ++k) {
    const int v = hexValue(text[i + k]);
    if (v < 0) return std::nullopt;
    unit = unit * 16 + static_cast<unsigned>(v);
  }
  return unit;
}

// Appends a piece of a cell's text, which may come in many pieces (runs, CDATA, comments).
void appendText(std::string& text, std::string_view piece, const ReadLimits& limits) {
  if (text.size() + piece.size() > limits.maxTextBytes) fail(Failure::TooLarge);
  text += piece;
}

// The markup read must stay in proportion to the values it gave: comments or empty elements
// between two values are counted as they are read.
void checkProportion(XmlPullParser& xml, std::size_t values, const ReadLimits& limits) {
  xml.limitTokens(limits.freeTokens + limits.tokensPerValue * values);
}

// Collects the text of a string item (si or is): its t, or the t of every run; phonetic runs
// (rPh) are left out. Returns at the item's end element. `values`: what the part gave so far.
std::string readStringItem(XmlPullParser& xml, const ReadLimits& limits, std::size_t values) {
  std::string text;
  const std::size_t itemDepth = xml.depth();
  std::size_t phoneticDepth = 0;  // depth of an open rPh, 0 when none
  bool inText = false;
  for (;;) {
    switch (xml.next()) {
      case Event::StartElement:
        checkProportion(xml, values, limits);
        if (xml.name() == "rPh" && phoneticDepth == 0) phoneticDepth = xml.depth();
        inText = xml.name() == "t" && phoneticDepth == 0;
        break;
      case Event::EndElement:
        if (xml.depth() < itemDepth) return decodeEscapes(text);
        if (phoneticDepth != 0 && xml.depth() < phoneticDepth) phoneticDepth = 0;
        inText = false;
        break;
      case Event::Text:
        if (inText) appendText(text, xml.text(), limits);
        break;
      case Event::EndOfDocument:
        fail(Failure::Damaged);
    }
  }
}

void readSharedStrings(const ZipPackage& package, const std::string& part, const ReadLimits& limits,
                       Worksheet& sheet) {
  if (part.empty()) return;
  auto stream = package.open(part, limits.maxStreamBytes, true);
  XmlPullParser xml = streamParser(*stream, limits);
  const std::size_t before = sheet.textCount();
  for (Event e; (e = xml.next()) != Event::EndOfDocument;) {
    if (e != Event::StartElement) continue;
    checkProportion(xml, sheet.textCount() - before, limits);
    if (xml.name() == "si") sheet.addText(readStringItem(xml, limits, sheet.textCount() - before));
  }
}

std::uint32_t parseUnsigned(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) fail(Failure::Damaged);
  return value;
}

double parseNumber(std::string_view text) {
  if (const std::optional<double> shortValue = vt::conv::detail::ShortDecimalText(text)) return *shortValue;
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) fail(Failure::Damaged);
  return value;
}

// "AB12" -> column 27 (0-based), row 11 (0-based).
std::pair<std::uint32_t, std::uint32_t> parseReference(std::string_view ref) {
  std::size_t i = 0;
  std::uint32_t col = 0;
  while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && i < 3)
    col = col * 26 + static_cast<std::uint32_t>(ref[i++] - 'A' + 1);
  if (col == 0 || col > kMaxColumns) fail(Failure::Damaged);
  const std::uint32_t row = parseUnsigned(ref.substr(i));
  if (row == 0 || row > kMaxRows) fail(Failure::Damaged);
  return {row - 1, col - 1};
}

// An ISO 8601 date or date-time ("2013-05-31T14:30:00") as a 1900-system serial.
double isoToSerial(std::string_view text) {
  int y = 0, m = 0, d = 0, hh = 0, mm = 0;
  double ss = 0;
  auto field = [&](std::size_t pos, std::size_t len) {
    if (pos + len > text.size()) fail(Failure::Damaged);
    return static_cast<int>(parseUnsigned(text.substr(pos, len)));
  };
  y = field(0, 4);
  m = field(5, 2);
  d = field(8, 2);
  if (text.size() > 10) {
    if (text.size() < 19) fail(Failure::Damaged);
    hh = field(11, 2);
    mm = field(14, 2);
    ss = parseNumber(text.substr(17, text.find_first_of("Z+-", 17) - 17));
  }
  if (m < 1 || m > 12 || d < 1 || d > 31 || hh > 23 || mm > 59 || ss >= 61) fail(Failure::Damaged);
  // Days from 1899-12-30 by the civil-from-days inverse.
  const int yy = y - (m <= 2);
  const int era = (yy >= 0 ? yy : yy - 399) / 400;
  const int yoe = yy - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days = static_cast<long>(era) * 146097 + doe - 719468;  // since 1970-01-01
  return static_cast<double>(days + 25569) + (hh * 3600 + mm * 60 + ss) / 86400.0;
}

struct PendingCell {
  std::uint32_t row = 0, col = 0;
  std::string type;
  std::uint32_t style = 0;
  bool formula = false, hasValue = false, hasInline = false;
  std::string value, inlineText;
};

void storeCell(const PendingCell& c, const XlsxLayout& layout, std::size_t sharedCount, Worksheet& sheet) {
  const std::string& t = c.type;
  if (t == "inlineStr" && c.hasInline) {
    sheet.addText(c.row, c.col, sheet.addText(c.inlineText));
    return;
  }
  if (!c.hasValue || (c.value.empty() && t != "str" && t != "s")) {
    if (c.formula) sheet.addFormulaWithoutValue(c.row, c.col);
    return;
  }
  if (t == "s") {
    const std::uint32_t index = parseUnsigned(c.value);
    if (index >= sharedCount) fail(Failure::Damaged);
    sheet.addText(c.row, c.col, index);
  } else if (t == "str" || t == "inlineStr") {
    sheet.addText(c.row, c.col, sheet.addText(decodeEscapes(c.value)));
  } else if (t == "b") {
    sheet.addBoolean(c.row, c.col, c.value == "1" || c.value == "true");
  } else if (t == "e") {
    sheet.addError(c.row, c.col, c.value);
  } else if (t == "d") {
    sheet.addNumber(c.row, c.col, isoToSerial(c.value) - (layout.date1904 ? 1462 : 0), true);
  } else if (t == "n" || t.empty()) {
    const bool isDate = c.style < layout.styleIsDate.size() && layout.styleIsDate[c.style];
    sheet.addNumber(c.row, c.col, parseNumber(c.value), isDate);
  } else {
    fail(Failure::Damaged);
  }
}

void readCells(const ZipPackage& package, const XlsxLayout& layout, const ReadLimits& limits,
               Worksheet& sheet) {
  const std::size_t sharedCount = sheet.textCount();
  // Read ahead: the package is not used for anything else until this stream is gone.
  auto stream = package.open(layout.sheetPart, limits.maxStreamBytes, true);
  XmlPullParser xml = streamParser(*stream, limits);
  std::size_t dataDepth = 0;  // depth of sheetData while inside it
  std::int64_t row = -1, col = -1;
  PendingCell cell;
  std::size_t cellDepth = 0;
  enum class Capture { None, Value, Inline } capture = Capture::None;
  for (Event e; (e = xml.next()) != Event::EndOfDocument;) {
    if (e == Event::StartElement) {
      checkProportion(xml, sheet.cellCount(), limits);
      const std::string_view name = xml.name();
      if (dataDepth == 0) {
        if (name == "sheetData") dataDepth = xml.depth();
      } else if (cellDepth != 0) {
        if (name == "v") {
          cell.hasValue = true;
          cell.value.clear();
          capture = Capture::Value;
        } else if (name == "f") {
          cell.formula = true;
        } else if (name == "is") {
          cell.hasInline = true;
          cell.inlineText = readStringItem(xml, limits, sheet.cellCount());
        }
      } else if (name == "row") {
        const auto r = xml.attribute("r");
        row = r ? static_cast<std::int64_t>(parseUnsigned(*r)) - 1 : row + 1;
        if (row < 0 || row >= kMaxRows) fail(Failure::Damaged);
        col = -1;
      } else if (name == "c") {
        if (row < 0) fail(Failure::Damaged);
        cell.formula = cell.hasValue = cell.hasInline = false;
        cell.value.clear();
        if (const auto r = xml.attribute("r")) {
          const auto [rr, cc] = parseReference(*r);
          cell.row = rr;
          cell.col = cc;
        } else {
          if (col + 1 >= kMaxColumns) fail(Failure::Damaged);
          cell.row = static_cast<std::uint32_t>(row);
          cell.col = static_cast<std::uint32_t>(col + 1);
        }
        col = cell.col;
        const auto t = xml.attribute("t");
        cell.type = t ? std::string(*t) : std::string();
        const auto s = xml.attribute("s");
        cell.style = s ? parseUnsigned(*s) : 0;
        cellDepth = xml.depth();
      }
    } else if (e == Event::Text) {
      if (capture == Capture::Value) appendText(cell.value, xml.text(), limits);
    } else if (e == Event::EndElement) {
      capture = Capture::None;
      if (cellDepth != 0 && xml.depth() < cellDepth) {
        storeCell(cell, layout, sharedCount, sheet);
        cellDepth = 0;
      } else if (dataDepth != 0 && xml.depth() < dataDepth) {
        dataDepth = 0;
      }
    }
  }
}

}  // namespace

std::string decodeEscapes(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto unit = escapeAt(text, i);
    if (!unit || *unit == 0 || (*unit >= 0xDC00 && *unit <= 0xDFFF)) {
      out += text[i++];
      continue;
    }
    if (*unit >= 0xD800 && *unit <= 0xDBFF) {
      const auto low = escapeAt(text, i + 7);
      if (!low || *low < 0xDC00 || *low > 0xDFFF) {
        out += text[i++];
        continue;
      }
      appendUtf8(out, 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00));
      i += 14;
      continue;
    }
    appendUtf8(out, *unit);
    i += 7;
  }
  return out;
}

Worksheet readXlsxActiveSheet(const std::string& path, const ReadLimits& limits) {
  ZipPackage package(path);
  const XlsxLayout layout = readXlsxLayout(package, limits);
  Worksheet sheet(limits);
  sheet.setDate1904(layout.date1904);
  readSharedStrings(package, layout.sharedStringsPart, limits, sheet);
  readCells(package, layout, limits, sheet);
  sheet.finish();
  return sheet;
}

}  // namespace vt::workbook
