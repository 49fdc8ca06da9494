// Text helpers with the legacy semantics on UTF-8 texts: character counts are code points; a byte
// that does not start a valid sequence counts as one character of its own.

#include "platform/conversions/conversions.hpp"

namespace vt::conv {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte length of the character at pos (1 for a byte that is not valid UTF-8).
size_t CharLength(std::string_view s, size_t pos) {
  const auto c = static_cast<unsigned char>(s[pos]);
  const size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF8 ? 4 : 1;
  for (size_t k = 1; k < n; ++k)
    if (pos + k >= s.size() || !IsContinuation(s[pos + k])) return 1;
  return n;
}

// Byte offset after skipping count characters from pos.
size_t Advance(std::string_view s, size_t pos, long count) {
  while (count > 0 && pos < s.size()) {
    pos += CharLength(s, pos);
    --count;
  }
  return pos;
}

// Case mapping of the Latin-1 and Latin Extended-A letters (the two-byte range).
char32_t UpperLatin(char32_t cp) {
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 0x20;
  if (cp == 0xFF) return 0x178;
  const bool odd = cp & 1;
  if (cp >= 0x100 && cp <= 0x137 && odd && cp != 0x131) return cp - 1;
  if (cp >= 0x139 && cp <= 0x148 && !odd) return cp - 1;
  if (cp >= 0x14A && cp <= 0x177 && odd) return cp - 1;
  if (cp >= 0x179 && cp <= 0x17E && !odd) return cp - 1;
  return cp;
}

char32_t LowerLatin(char32_t cp) {
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
  if (cp == 0x178) return 0xFF;
  const bool odd = cp & 1;
  if (cp >= 0x100 && cp <= 0x137 && !odd && cp != 0x130) return cp + 1;
  if (cp >= 0x139 && cp <= 0x148 && odd) return cp + 1;
  if (cp >= 0x14A && cp <= 0x177 && !odd) return cp + 1;
  if (cp >= 0x179 && cp <= 0x17E && odd) return cp + 1;
  return cp;
}

template <char32_t (*Map)(char32_t), char kFrom, char kTo>
std::string MapCase(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size();) {
    const char c = out[i];
    if (c >= kFrom && c <= kTo) {
      out[i] = static_cast<char>(c ^ 0x20);
      ++i;
      continue;
    }
    const size_t n = CharLength(out, i);
    if (n == 2) {
      const char32_t cp = (static_cast<char32_t>(out[i] & 0x1F) << 6) | (out[i + 1] & 0x3F);
      const char32_t mapped = Map(cp);
      if (mapped != cp) {
        out[i] = static_cast<char>(0xC0 | (mapped >> 6));
        out[i + 1] = static_cast<char>(0x80 | (mapped & 0x3F));
      }
    }
    i += n;
  }
  return out;
}

}  // namespace

std::string LTrim(std::string_view text) {
  const size_t begin = text.find_first_not_of(' ');
  return begin == std::string_view::npos ? std::string() : std::string(text.substr(begin));
}

std::string RTrim(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) {
  const size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::string();
  return std::string(text.substr(begin, text.find_last_not_of(' ') + 1 - begin));
}

std::string Upper(std::string_view text) { return MapCase<UpperLatin, 'a', 'z'>(text); }
std::string Lower(std::string_view text) { return MapCase<LowerLatin, 'A', 'Z'>(text); }

bool SameText(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if ((static_cast<unsigned char>(a[i]) | static_cast<unsigned char>(b[i])) >= 0x80) return Upper(a) == Upper(b);
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return a.size() == b.size();
}

long Len(std::string_view text) {
  long count = 0;
  for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) ++count;
  return count;
}

std::string Left(std::string_view text, long count) {
  return std::string(text.substr(0, Advance(text, 0, count)));
}

std::string Right(std::string_view text, long count) {
  const long skip = Len(text) - count;
  return std::string(text.substr(skip > 0 ? Advance(text, 0, skip) : 0));
}

std::string Mid(std::string_view text, long start, long count) {
  const size_t begin = Advance(text, 0, start > 1 ? start - 1 : 0);
  if (count < 0) return std::string(text.substr(begin));
  return std::string(text.substr(begin, Advance(text, begin, count) - begin));
}

std::string FirstChar(std::string_view text) { return Left(text, 1); }

}  // namespace vt::conv
