// Format with a date pattern. Tokens are case-insensitive: d dd m mm mmm mmmm yy yyyy h hh n nn s ss
// AM/PM A/P; "mmm"/"mmmm" are the Spanish month name (short, full); "m"/"mm" right after an hour token
// means minutes, anywhere else the month ("mm:ss" is month and seconds; "nn" is the minute token);
// hours are 24-hour unless an AM/PM token is present. Every other character is written as it stands.

#include <vector>

#include "platform/conversions/conversions.hpp"
#include "platform/conversions/date_scan.hpp"

namespace vt::conv {
namespace {

enum class Kind { Literal, Day, Month, MonthShortName, MonthFullName, Year2, Year4, Hour, Minute, Second, AmPm, AP };

struct Token {
  Kind kind = Kind::Literal;
  size_t width = 1;       // 1 or 2 for numeric fields
  std::string_view text;  // literal text, or the AM/PM token as written (its case is kept)
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool StartsWithNoCase(std::string_view s, size_t pos, std::string_view word) {
  if (pos + word.size() > s.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (Lower(s[pos + i]) != word[i]) return false;
  return true;
}

std::vector<Token> Tokenize(std::string_view pattern) {
  std::vector<Token> tokens;
  tokens.reserve(pattern.size());
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = Lower(pattern[i]);
    size_t run = 1;
    while (i + run < pattern.size() && Lower(pattern[i + run]) == c) ++run;
    Kind kind = Kind::Literal;
    switch (c) {
      case 'd':
        kind = Kind::Day;
        break;
      case 'm':
        kind = Kind::Month;
        break;
      case 'h':
        kind = Kind::Hour;
        break;
      case 'n':
        kind = Kind::Minute;
        break;
      case 's':
        kind = Kind::Second;
        break;
      default:
        break;
    }
    if (kind == Kind::Month && run >= 3) {
      const size_t width = run >= 4 ? 4 : 3;
      tokens.push_back({width == 4 ? Kind::MonthFullName : Kind::MonthShortName, width, {}});
      i += width;
    } else if (kind != Kind::Literal) {
      const size_t width = run >= 2 ? 2 : 1;
      tokens.push_back({kind, width, {}});
      i += width;
    } else if (c == 'y' && run >= 2) {
      const size_t width = run >= 4 ? 4 : 2;
      tokens.push_back({width == 4 ? Kind::Year4 : Kind::Year2, 2, {}});
      i += width;
    } else if (c == 'a' && StartsWithNoCase(pattern, i, "am/pm")) {
      tokens.push_back({Kind::AmPm, 1, pattern.substr(i, 5)});
      i += 5;
    } else if (c == 'a' && StartsWithNoCase(pattern, i, "a/p")) {
      tokens.push_back({Kind::AP, 1, pattern.substr(i, 3)});
      i += 3;
    } else {
      tokens.push_back({Kind::Literal, 1, pattern.substr(i, 1)});
      ++i;
    }
  }
  // "m" right after an hour token (literals between them skipped) is minutes.
  Kind previous = Kind::Literal;
  for (Token& t : tokens) {
    if (t.kind == Kind::Literal) continue;
    if (t.kind == Kind::Month && previous == Kind::Hour) t.kind = Kind::Minute;
    previous = t.kind;
  }
  return tokens;
}

void AppendMonthName(std::string& out, int month, bool full) {
  const std::string_view name = detail::MonthName(month);
  out.append(full ? name : name.substr(0, 3));
}

void AppendNumber(std::string& out, int value, size_t width) {
  char buf[12];
  size_t len = 0;
  unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
  do {
    buf[len++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  for (size_t i = len; i < width; ++i) out += '0';
  while (len > 0) out += buf[--len];
}

// The AM/PM marker in the case of the pattern's own letters.
void AppendMarker(std::string& out, const Token& t, bool pm) {
  const char lead = t.text[0];
  const bool upper = lead >= 'A' && lead <= 'Z';
  out += upper ? (pm ? 'P' : 'A') : (pm ? 'p' : 'a');
  if (t.kind == Kind::AmPm) out += upper ? 'M' : 'm';
}

}  // namespace

std::string FormatDateTime(const DateTime& value, std::string_view pattern) {
  const std::vector<Token> tokens = Tokenize(pattern);
  bool twelveHour = false;
  for (const Token& t : tokens) twelveHour = twelveHour || t.kind == Kind::AmPm || t.kind == Kind::AP;

  std::string out;
  out.reserve(pattern.size() + 4);
  for (const Token& t : tokens) {
    switch (t.kind) {
      case Kind::Literal:
        out.append(t.text);
        break;
      case Kind::Day:
        AppendNumber(out, value.date.day, t.width);
        break;
      case Kind::Month:
        AppendNumber(out, value.date.month, t.width);
        break;
      case Kind::MonthShortName:
      case Kind::MonthFullName:
        AppendMonthName(out, value.date.month, t.kind == Kind::MonthFullName);
        break;
      case Kind::Year2:
        AppendNumber(out, value.date.year % 100, 2);
        break;
      case Kind::Year4:
        AppendNumber(out, value.date.year, 4);
        break;
      case Kind::Hour: {
        int hour = value.hour;
        if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
        AppendNumber(out, hour, t.width);
        break;
      }
      case Kind::Minute:
        AppendNumber(out, value.minute, t.width);
        break;
      case Kind::Second:
        AppendNumber(out, value.second, t.width);
        break;
      case Kind::AmPm:
      case Kind::AP:
        AppendMarker(out, t, value.hour >= 12);
        break;
    }
  }
  return out;
}

std::string FormatDate(const Date& date, std::string_view pattern) {
  return FormatDateTime(DateTime{date, 0, 0, 0}, pattern);
}

std::string FormatDateText(std::string_view text, std::string_view pattern) {
  const auto value = ParseDateTime(text);
  if (!value) return std::string(text);
  return FormatDateTime(*value, pattern);
}

}  // namespace vt::conv
