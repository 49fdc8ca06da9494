// IsDate / CDate: "d/m/yyyy", "d/m/yy" or "yyyy/m/d" with one separator ("/", "-" or "."),
// optionally followed by a time "H:MM[:SS]" with AM/PM. No month names, no serial numbers.

#include "platform/conversions/conversions.hpp"
#include "platform/conversions/date_scan.hpp"
#include "platform/conversions/number_scan.hpp"

namespace vt::conv {
namespace detail {
namespace {

// Reads a run of digits; returns its length (runs longer than 4 are never a field).
size_t ReadField(std::string_view s, size_t& pos, int& value) {
  const size_t start = pos;
  value = 0;
  while (pos < s.size() && IsDigit(s[pos])) {
    if (pos - start < 4) value = value * 10 + (s[pos] - '0');
    ++pos;
  }
  return pos - start;
}

bool IsDateSeparator(char c) { return c == '/' || c == '-' || c == '.'; }

// Two-digit years: 00-29 are 2000-2029, 30-99 are 1930-1999.
int WindowYear(int yy) { return yy < 30 ? 2000 + yy : 1900 + yy; }

bool MatchesWord(std::string_view s, size_t pos, char first) {
  if (pos + 2 > s.size()) return false;
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  return upper(s[pos]) == first && upper(s[pos + 1]) == 'M';
}

// " H:MM[:SS][ AM|PM]" at pos, up to the end of the text.
bool ScanTime(std::string_view s, size_t pos, DateTime& out) {
  if (pos == s.size()) return true;
  if (s[pos] != ' ') return false;
  while (pos < s.size() && s[pos] == ' ') ++pos;
  int hour = 0, minute = 0, second = 0;
  const size_t h = ReadField(s, pos, hour);
  if (h < 1 || h > 2 || pos >= s.size() || s[pos] != ':') return false;
  ++pos;
  if (ReadField(s, pos, minute) != 2) return false;
  if (pos < s.size() && s[pos] == ':') {
    ++pos;
    if (ReadField(s, pos, second) != 2) return false;
  }
  while (pos < s.size() && s[pos] == ' ') ++pos;
  if (MatchesWord(s, pos, 'A') || MatchesWord(s, pos, 'P')) {
    if (hour > 12) return false;
    const bool pm = MatchesWord(s, pos, 'P');
    hour = hour % 12 + (pm ? 12 : 0);
    pos += 2;
  }
  if (pos != s.size() || hour > 23 || minute > 59 || second > 59) return false;
  out.hour = hour;
  out.minute = minute;
  out.second = second;
  return true;
}

}  // namespace

bool IsMonthFirst(std::string_view pattern) {
  const auto find = [pattern](char lower) {
    for (size_t i = 0; i < pattern.size(); ++i)
      if ((pattern[i] | 0x20) == lower) return i;
    return std::string_view::npos;
  };
  const size_t m = find('m'), d = find('d'), y = find('y');
  return m != std::string_view::npos && d != std::string_view::npos && m < d && m < y;
}

std::optional<DateTime> ScanDateTime(std::string_view text, bool monthFirst) {
  const size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::nullopt;
  const std::string_view s = text.substr(begin, text.find_last_not_of(' ') + 1 - begin);

  size_t pos = 0;
  int f1 = 0, f2 = 0, f3 = 0;
  const size_t n1 = ReadField(s, pos, f1);
  if (n1 == 0 || pos >= s.size() || !IsDateSeparator(s[pos])) return std::nullopt;
  const char sep = s[pos++];
  const size_t n2 = ReadField(s, pos, f2);
  if (n2 < 1 || n2 > 2 || pos >= s.size() || s[pos] != sep) return std::nullopt;
  ++pos;
  const size_t n3 = ReadField(s, pos, f3);

  DateTime out;
  if (n1 == 4 && (n3 == 1 || n3 == 2)) {
    out.date = Date{f1, f2, f3};
  } else if ((n1 == 1 || n1 == 2) && (n3 == 2 || n3 == 4)) {
    const int year = n3 == 2 ? WindowYear(f3) : f3;
    out.date = monthFirst ? Date{year, f1, f2} : Date{year, f2, f1};
  } else {
    return std::nullopt;
  }
  if (!isValidDate(out.date) || !ScanTime(s, pos, out)) return std::nullopt;
  return out;
}

std::optional<DateTime> ScanDateTimeFor(std::string_view text, std::string_view pattern) {
  if (IsMonthFirst(pattern)) {
    if (auto value = ScanDateTime(text, true)) return value;
  }
  return ScanDateTime(text, false);
}

}  // namespace detail

std::optional<DateTime> ParseDateTime(std::string_view text) { return detail::ScanDateTime(text, false); }

std::optional<Date> ParseDate(std::string_view text) {
  const auto value = detail::ScanDateTime(text, false);
  if (!value) return std::nullopt;
  return value->date;
}

std::optional<Date> ParseDateByPattern(std::string_view text, std::string_view pattern) {
  const auto value = detail::ScanDateTimeFor(text, pattern);
  if (!value) return std::nullopt;
  return value->date;
}

bool IsDateText(std::string_view text) { return detail::ScanDateTime(text, false).has_value(); }

int LastDayOfMonth(std::string_view dateText) {
  const auto d = ParseDate(dateText);
  return d ? daysInMonth(d->year, d->month) : 0;
}

}  // namespace vt::conv
