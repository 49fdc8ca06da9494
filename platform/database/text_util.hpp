#pragma once
// Small ASCII text helpers for names and keywords of SQL and connection texts.

#include <string>
#include <string_view>

namespace vt::db {

inline char lowerAsciiChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = lowerAsciiChar(c);
  return out;
}

inline bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lowerAsciiChar(a[i]) != lowerAsciiChar(b[i])) return false;
  return true;
}

// Drops blanks, tabs and line ends at both ends.
inline std::string trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace vt::db
