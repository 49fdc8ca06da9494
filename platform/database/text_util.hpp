#pragma once
// Small ASCII text helpers for names and keywords of SQL and connection texts.

#include <array>
#include <string>
#include <string_view>

#include "platform/conversions/conversions.hpp"

namespace vt::db {

inline std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = conv::AsciiLower(c);
  return out;
}

// A character SQLite lets a name hold (a "$" only after the first).
inline constexpr std::array<bool, 256> kSqlNameChars = [] {
  std::array<bool, 256> t{};
  for (int i = 0; i < 256; ++i)
    t[static_cast<std::size_t>(i)] = (i >= 'a' && i <= 'z') || (i >= 'A' && i <= 'Z') || (i >= '0' && i <= '9') ||
                                     i == '_' || i == '$' || i >= 0x80;
  return t;
}();
constexpr bool isSqlNameChar(char c) { return kSqlNameChars[static_cast<unsigned char>(c)]; }

// Length of the quoted piece of SQL that opens rest ('text', "name", `name` or [name]), closing
// quote included; a doubled quote (not "]]") stays inside. npos when the quote is never closed.
inline std::size_t sqlQuotedLength(std::string_view rest) {
  const char close = rest[0] == '[' ? ']' : rest[0];
  std::size_t i = 1;
  for (;;) {
    i = rest.find(close, i);
    if (i == std::string_view::npos) return i;
    if (close != ']' && i + 1 < rest.size() && rest[i + 1] == close) {
      i += 2;
      continue;
    }
    return i + 1;
  }
}

// Whether text holds nothing but blanks, tabs and line ends.
inline bool isBlankText(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

// Drops blanks, tabs and line ends at both ends.
inline std::string trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace vt::db
