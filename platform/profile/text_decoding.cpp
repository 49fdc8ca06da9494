#include "platform/profile/text_decoding.hpp"

#include <cstdint>

#include "platform/workbook/utf8.hpp"

namespace vt {
namespace {

// Windows-1252 0x80..0x9F; 0 where the code page leaves the byte undefined (kept as U+0080..).
constexpr std::uint16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    std::size_t extra;
    std::uint32_t cp;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + extra >= bytes.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = cp << 6 | (c & 0x3F);
    }
    if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))) {
      return false;
    }
    i += extra + 1;
  }
  return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    std::uint32_t cp = b;
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) cp = kHigh[b - 0x80];
    vt::workbook::appendUtf8(out, cp);
  }
  return out;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  auto unitAt = [&](std::size_t i) -> std::uint32_t {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  constexpr std::uint32_t kReplacement = 0xFFFD;
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const std::uint32_t unit = unitAt(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
      const std::uint32_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        vt::workbook::appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    vt::workbook::appendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
  }
  if (i < bytes.size()) vt::workbook::appendUtf8(out, kReplacement);  // half a unit at the end
  return out;
}

std::string decodeTextFile(std::string_view bytes) {
  // Only with its byte-order mark: a text saved as "Unicode" is UTF-16, little-endian mostly.
  if (bytes.substr(0, 2) == "\xFF\xFE") return utf16ToUtf8(bytes.substr(2), false);
  if (bytes.substr(0, 2) == "\xFE\xFF") return utf16ToUtf8(bytes.substr(2), true);
  if (isValidUtf8(bytes)) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return std::string(bytes);
  }
  return windows1252ToUtf8(bytes);
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  if (text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos) {
    // A file written with CR alone at the line ends: its lines, never one header without rows.
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t cr = text.find('\r', start);
      if (cr == std::string_view::npos) {
        lines.push_back(text.substr(start));
        break;
      }
      lines.push_back(text.substr(start, cr - start));
      start = cr + 1;
    }
    return lines;
  }
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lf = text.find('\n', start);
    if (lf == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    const std::size_t end = lf > start && text[lf - 1] == '\r' ? lf - 1 : lf;
    lines.push_back(text.substr(start, end - start));
    start = lf + 1;
  }
  return lines;
}

std::vector<std::string_view> splitFields(std::string_view line, std::string_view separator) {
  std::vector<std::string_view> fields;
  if (separator.empty()) {
    fields.push_back(line);
    return fields;
  }
  std::size_t start = 0;
  for (std::size_t at; (at = line.find(separator, start)) != std::string_view::npos;
       start = at + separator.size()) {
    fields.push_back(line.substr(start, at - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace vt
