#include "tests/workbook/support/xls_builder.hpp"

#include <cstring>
#include <stdexcept>

#include "tests/support/files.hpp"

namespace vt::testing {
namespace {

void put16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
void putDouble(Bytes& b, double v) {
  std::uint8_t raw[8];
  std::memcpy(raw, &v, 8);
  b.insert(b.end(), raw, raw + 8);
}
void set32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void record(Bytes& out, std::uint16_t type, const Bytes& data) {
  put16(out, type);
  put16(out, static_cast<std::uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
}

std::vector<std::uint16_t> utf16(const std::string& utf8) {
  std::vector<std::uint16_t> units;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    std::uint32_t cp;
    std::size_t n;
    if (b < 0x80) {
      cp = b;
      n = 1;
    } else if (b < 0xE0) {
      cp = b & 0x1F;
      n = 2;
    } else if (b < 0xF0) {
      cp = b & 0x0F;
      n = 3;
    } else {
      cp = b & 0x07;
      n = 4;
    }
    for (std::size_t k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += n;
    if (cp >= 0x10000) {
      units.push_back(static_cast<std::uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      units.push_back(static_cast<std::uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      units.push_back(static_cast<std::uint16_t>(cp));
    }
  }
  return units;
}

void putChars(Bytes& b, const std::vector<std::uint16_t>& units, std::size_t from, std::size_t to,
              bool wide) {
  for (std::size_t i = from; i < to; ++i) {
    if (wide) {
      put16(b, units[i]);
    } else {
      b.push_back(static_cast<std::uint8_t>(units[i]));
    }
  }
}

bool needsWide(const std::vector<std::uint16_t>& units) {
  for (std::uint16_t u : units) {
    if (u > 0xFF) return true;
  }
  return false;
}

Bytes cellHead(int row, int col, int xf) {
  Bytes b;
  put16(b, static_cast<std::uint32_t>(row));
  put16(b, static_cast<std::uint32_t>(col));
  put16(b, static_cast<std::uint32_t>(xf));
  return b;
}

}  // namespace

Bytes biffString(const std::string& utf8, bool shortCount) {
  const auto units = utf16(utf8);
  const bool wide = needsWide(units);
  Bytes b;
  if (shortCount) {
    b.push_back(static_cast<std::uint8_t>(units.size()));
  } else {
    put16(b, static_cast<std::uint32_t>(units.size()));
  }
  b.push_back(wide ? 1 : 0);
  putChars(b, units, 0, units.size(), wide);
  return b;
}

void XlsCells::raw(std::uint16_t type, const Bytes& data) { record(bytes_, type, data); }

void XlsCells::number(int row, int col, double value, int xf) {
  Bytes b = cellHead(row, col, xf);
  putDouble(b, value);
  raw(0x0203, b);
}

void XlsCells::rk(int row, int col, std::int32_t integer, int xf) {
  Bytes b = cellHead(row, col, xf);
  put32(b, static_cast<std::uint32_t>(integer) << 2 | 0x02);
  raw(0x027E, b);
}

void XlsCells::mulrk(int row, int firstCol, const std::vector<std::int32_t>& integers, int xf) {
  Bytes b;
  put16(b, static_cast<std::uint32_t>(row));
  put16(b, static_cast<std::uint32_t>(firstCol));
  for (std::int32_t v : integers) {
    put16(b, static_cast<std::uint32_t>(xf));
    put32(b, static_cast<std::uint32_t>(v) << 2 | 0x02);
  }
  put16(b, static_cast<std::uint32_t>(firstCol + static_cast<int>(integers.size()) - 1));
  raw(0x00BD, b);
}

void XlsCells::label(int row, int col, const std::string& utf8, int xf) {
  Bytes b = cellHead(row, col, xf);
  const Bytes s = biffString(utf8);
  b.insert(b.end(), s.begin(), s.end());
  raw(0x0204, b);
}

void XlsCells::labelSst(int row, int col, std::uint32_t index, int xf) {
  Bytes b = cellHead(row, col, xf);
  put32(b, index);
  raw(0x00FD, b);
}

void XlsCells::boolean(int row, int col, bool value) {
  Bytes b = cellHead(row, col, 15);
  b.push_back(value ? 1 : 0);
  b.push_back(0);
  raw(0x0205, b);
}

void XlsCells::error(int row, int col, std::uint8_t code) {
  Bytes b = cellHead(row, col, 15);
  b.push_back(code);
  b.push_back(1);
  raw(0x0205, b);
}

void XlsCells::blank(int row, int col, int xf) { raw(0x0201, cellHead(row, col, xf)); }

void XlsCells::formula(int row, int col, int xf, const Bytes& result) {
  Bytes b = cellHead(row, col, xf);
  b.insert(b.end(), result.begin(), result.end());
  put16(b, 0x0002);  // calculate on open
  put32(b, 0);
  put16(b, 3);  // a tiny expression: the number 1 (tInt)
  b.push_back(0x1E);
  put16(b, 1);
  raw(0x0006, b);
}

void XlsCells::formulaNumber(int row, int col, double value, int xf) {
  Bytes r;
  putDouble(r, value);
  formula(row, col, xf, r);
}

static Bytes special(std::uint8_t kind, std::uint8_t value) { return {kind, 0, value, 0, 0, 0, 0xFF, 0xFF}; }

void XlsCells::formulaString(int row, int col, const std::string& utf8, std::optional<std::size_t> splitAt) {
  formula(row, col, 15, special(0, 0));
  const auto units = utf16(utf8);
  const bool wide = needsWide(units);
  Bytes first;
  put16(first, static_cast<std::uint32_t>(units.size()));
  first.push_back(wide ? 1 : 0);
  if (!splitAt || *splitAt >= units.size()) {
    putChars(first, units, 0, units.size(), wide);
    raw(0x0207, first);
    return;
  }
  putChars(first, units, 0, *splitAt, wide);
  raw(0x0207, first);
  Bytes rest;
  rest.push_back(1);  // the continuation restarts with its own flags: here 16-bit characters
  putChars(rest, units, *splitAt, units.size(), true);
  raw(0x003C, rest);
}

void XlsCells::formulaBoolean(int row, int col, bool value) {
  formula(row, col, 15, special(1, value ? 1 : 0));
}
void XlsCells::formulaError(int row, int col, std::uint8_t code) { formula(row, col, 15, special(2, code)); }
void XlsCells::formulaEmpty(int row, int col) { formula(row, col, 15, special(3, 0)); }

Bytes xlsWorkbookStream(const XlsSpec& spec) {
  Bytes out;
  auto bof = [](std::uint16_t type) {
    Bytes b;
    put16(b, 0x0600);
    put16(b, type);
    put16(b, 0x0DBB);
    put16(b, 0x07CC);
    put32(b, 0);
    put32(b, 0x06);
    return b;
  };
  record(out, 0x0809, bof(0x0005));
  if (spec.filePass) record(out, 0x002F, Bytes(54, 0x11));
  if (spec.writeWindow1) {
    Bytes w(18, 0);
    w[10] = static_cast<std::uint8_t>(spec.activeTab);
    w[11] = static_cast<std::uint8_t>(spec.activeTab >> 8);
    record(out, 0x003D, w);
  }
  if (spec.date1904) record(out, 0x0022, Bytes{1, 0});
  for (const auto& [id, code] : spec.formats) {
    Bytes b;
    put16(b, static_cast<std::uint32_t>(id));
    const Bytes s = biffString(code);
    b.insert(b.end(), s.begin(), s.end());
    record(out, 0x041E, b);
  }
  for (int i = 0; i < 16; ++i) record(out, 0x00E0, Bytes(20, 0));  // style records and the default
  for (int id : spec.cellXfFormats) {
    Bytes x(20, 0);
    x[2] = static_cast<std::uint8_t>(id);
    x[3] = static_cast<std::uint8_t>(id >> 8);
    record(out, 0x00E0, x);
  }
  std::vector<std::size_t> offsetAt;
  for (const XlsSheet& s : spec.sheets) {
    Bytes b;
    put32(b, 0);
    b.push_back(s.state);
    b.push_back(s.type);
    const Bytes name = biffString(s.name, true);
    b.insert(b.end(), name.begin(), name.end());
    offsetAt.push_back(out.size() + 4);
    record(out, 0x0085, b);
  }
  if (!spec.sharedStrings.empty()) {
    // Records hold at most 8224 bytes; the table goes on in CONTINUE records, and characters
    // split between two records restart with a flags byte.
    constexpr std::size_t kMax = 8224;
    std::vector<Bytes> parts(1);
    put32(parts[0], static_cast<std::uint32_t>(spec.sharedStrings.size()));
    put32(parts[0], static_cast<std::uint32_t>(spec.sharedStrings.size()));
    for (const std::string& text : spec.sharedStrings) {
      const auto units = utf16(text);
      const bool wide = needsWide(units);
      const std::size_t width = wide ? 2 : 1;
      if (parts.back().size() + 3 + width > kMax) parts.emplace_back();
      put16(parts.back(), static_cast<std::uint32_t>(units.size()));
      parts.back().push_back(wide ? 1 : 0);
      for (std::size_t done = 0; done < units.size();) {
        std::size_t room = (kMax - parts.back().size()) / width;
        if (room == 0) {
          parts.emplace_back();
          parts.back().push_back(wide ? 1 : 0);
          room = (kMax - 1) / width;
        }
        const std::size_t take = std::min(room, units.size() - done);
        putChars(parts.back(), units, done, done + take, wide);
        done += take;
      }
    }
    record(out, 0x00FC, parts[0]);
    for (std::size_t i = 1; i < parts.size(); ++i) record(out, 0x003C, parts[i]);
  }
  record(out, 0x000A, {});
  for (std::size_t i = 0; i < spec.sheets.size(); ++i) {
    set32(out, offsetAt[i], static_cast<std::uint32_t>(out.size()));
    record(out, 0x0809, bof(spec.sheets[i].type == 2 ? 0x0020 : 0x0010));
    const Bytes& cells = spec.sheets[i].cells.bytes();
    out.insert(out.end(), cells.begin(), cells.end());
    record(out, 0x000A, {});
  }
  return out;
}

Bytes compoundFile(const Bytes& stream, const std::string& streamName) {
  constexpr std::uint32_t kSector = 4096, kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF, kFatSect = 0xFFFFFFFD;
  Bytes data = stream;
  if (data.size() < 4096) data.resize(4096, 0);  // below the cutoff a stream would live in the mini stream
  const std::uint32_t streamSectors = static_cast<std::uint32_t>((data.size() + kSector - 1) / kSector);
  std::uint32_t fatSectors = 1;
  while (fatSectors * (kSector / 4) < streamSectors + fatSectors + 1) ++fatSectors;
  if (fatSectors > 109) throw std::runtime_error("stream too large for the test writer");
  const std::uint32_t dirSector = streamSectors + fatSectors;

  Bytes out(kSector, 0);
  const std::uint8_t signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::memcpy(out.data(), signature, 8);
  auto at16 = [&](std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  at16(0x18, 0x003E);
  at16(0x1A, 4);
  at16(0x1C, 0xFFFE);
  at16(0x1E, 12);
  at16(0x20, 6);
  set32(out, 0x28, 1);
  set32(out, 0x2C, fatSectors);
  set32(out, 0x30, dirSector);
  set32(out, 0x38, 4096);
  set32(out, 0x3C, kEnd);
  set32(out, 0x44, kEnd);
  for (std::uint32_t i = 0; i < 109; ++i)
    set32(out, 0x4C + 4 * i, i < fatSectors ? streamSectors + i : kFree);

  data.resize(static_cast<std::size_t>(streamSectors) * kSector, 0);
  out.insert(out.end(), data.begin(), data.end());
  Bytes fat(static_cast<std::size_t>(fatSectors) * kSector, 0xFF);
  for (std::uint32_t i = 0; i < streamSectors; ++i) set32(fat, 4 * i, i + 1 < streamSectors ? i + 1 : kEnd);
  for (std::uint32_t i = 0; i < fatSectors; ++i) set32(fat, 4 * (streamSectors + i), kFatSect);
  set32(fat, 4 * dirSector, kEnd);
  out.insert(out.end(), fat.begin(), fat.end());

  Bytes dir(kSector, 0);
  auto entry = [&](std::size_t index, const std::string& name, std::uint8_t type, std::uint32_t child,
                   std::uint32_t start, std::uint64_t size) {
    const std::size_t base = index * 128;
    for (std::size_t i = 0; i < name.size(); ++i) dir[base + 2 * i] = static_cast<std::uint8_t>(name[i]);
    const auto nameBytes = static_cast<std::uint16_t>((name.size() + 1) * 2);
    dir[base + 0x40] = static_cast<std::uint8_t>(nameBytes);
    dir[base + 0x42] = type;
    dir[base + 0x43] = 1;
    set32(dir, base + 0x44, kFree);
    set32(dir, base + 0x48, kFree);
    set32(dir, base + 0x4C, child);
    set32(dir, base + 0x74, start);
    set32(dir, base + 0x78, static_cast<std::uint32_t>(size));
    set32(dir, base + 0x7C, static_cast<std::uint32_t>(size >> 32));
  };
  entry(0, "Root Entry", 5, 1, kEnd, 0);
  entry(1, streamName, 2, kFree, 0, std::max<std::size_t>(stream.size(), 4096));
  for (std::size_t i = 2; i < 32; ++i) {
    set32(dir, i * 128 + 0x44, kFree);
    set32(dir, i * 128 + 0x48, kFree);
    set32(dir, i * 128 + 0x4C, kFree);
  }
  out.insert(out.end(), dir.begin(), dir.end());
  return out;
}

void writeXls(const std::string& path, const XlsSpec& spec) {
  writeFile(path, compoundFile(xlsWorkbookStream(spec)));
}

}  // namespace vt::testing
