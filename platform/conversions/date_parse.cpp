// IsDate / CDate: three fields with one separator ("/", "-" or "."), in the order of the regional
// short date (day/month/year or month/day/year), or year/month/day when the first field has four
// digits; the month may be a Spanish month name. Optionally followed by a time "H:MM[:SS]" with
// AM/PM. Fields are never swapped to make a date valid; serial numbers are not dates.

#include <atomic>

#include "platform/conversions/conversions.hpp"
#include "platform/conversions/date_scan.hpp"
#include "platform/conversions/number_scan.hpp"

namespace vt::conv {
namespace detail {
namespace {

constexpr std::string_view kDefaultShortDate = "dd/MM/yyyy";

std::atomic<ShortDateSource> shortDateSource{nullptr};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Reads a run of digits; returns its length (runs longer than 4 are never a field).
size_t ReadDigits(std::string_view s, size_t& pos, int& value) {
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

// One date field: a number (digits counts its digits) or a month name (month 1..12, digits 0).
struct Field {
  size_t digits = 0;
  int value = 0;
  int month = 0;
  bool isName() const { return month != 0; }
  bool isDayOrMonth() const { return digits == 1 || digits == 2; }
};

// A field at pos. A month name may carry a final dot; when the separator is still unknown (first
// field), a dot followed by a digit is taken as the separator instead.
bool ReadField(std::string_view s, size_t& pos, char separator, Field& out) {
  out = Field{};
  if (pos < s.size() && IsLetter(s[pos])) {
    const size_t start = pos;
    while (pos < s.size() && IsLetter(s[pos])) ++pos;
    out.month = MonthFromName(s.substr(start, pos - start));
    if (out.month == 0) return false;
    if (pos < s.size() && s[pos] == '.') {
      const char next = pos + 1 < s.size() ? s[pos + 1] : '\0';
      const bool finalDot = separator == '\0' ? (next == '/' || next == '-' || next == '.')
                                              : (separator != '.' || next == '.');
      if (finalDot) ++pos;
    }
    return true;
  }
  out.digits = ReadDigits(s, pos, out.value);
  return out.digits != 0;
}

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
  const size_t h = ReadDigits(s, pos, hour);
  if (h < 1 || h > 2 || pos >= s.size() || s[pos] != ':') return false;
  ++pos;
  if (ReadDigits(s, pos, minute) != 2) return false;
  if (pos < s.size() && s[pos] == ':') {
    ++pos;
    if (ReadDigits(s, pos, second) != 2) return false;
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

// The year of a last field: two digits through the window, four as written.
bool YearOf(const Field& f, int& year) {
  if (f.isName() || (f.digits != 2 && f.digits != 4)) return false;
  year = f.digits == 2 ? WindowYear(f.value) : f.value;
  return true;
}

}  // namespace

std::string_view MonthName(int month) {
  static constexpr std::string_view kFull[12] = {"enero", "febrero", "marzo",      "abril",
                                                 "mayo",  "junio",   "julio",      "agosto",
                                                 "septiembre", "octubre", "noviembre", "diciembre"};
  return month >= 1 && month <= 12 ? kFull[month - 1] : std::string_view();
}

int MonthFromName(std::string_view word) {
  const auto equalNoCase = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (LowerAscii(a[i]) != b[i]) return false;
    return true;
  };
  for (int m = 1; m <= 12; ++m) {
    const std::string_view full = MonthName(m);
    if (equalNoCase(word, full) || equalNoCase(word, full.substr(0, 3))) return m;
  }
  return 0;
}

DateOrder OrderOf(std::string_view pattern) {
  const auto find = [pattern](char lower) {
    for (size_t i = 0; i < pattern.size(); ++i)
      if (LowerAscii(pattern[i]) == lower) return i;
    return std::string_view::npos;
  };
  const size_t m = find('m'), d = find('d'), y = find('y');
  const bool monthFirst = m != std::string_view::npos && d != std::string_view::npos && m < d && m < y;
  return monthFirst ? DateOrder::MonthFirst : DateOrder::DayFirst;
}

std::optional<DateTime> ScanDateTime(std::string_view text, DateOrder order) {
  const size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::nullopt;
  const std::string_view s = text.substr(begin, text.find_last_not_of(' ') + 1 - begin);

  size_t pos = 0;
  Field f1, f2, f3;
  if (!ReadField(s, pos, '\0', f1) || pos >= s.size() || !IsDateSeparator(s[pos])) return std::nullopt;
  const char sep = s[pos++];
  if (!ReadField(s, pos, sep, f2) || pos >= s.size() || s[pos] != sep) return std::nullopt;
  ++pos;
  if (!ReadField(s, pos, sep, f3) || f3.isName()) return std::nullopt;

  DateTime out;
  Date& d = out.date;
  if (f1.digits == 4) {
    // Year first, whatever the regional order.
    if (!f3.isDayOrMonth() || !(f2.isName() || f2.isDayOrMonth())) return std::nullopt;
    d = Date{f1.value, f2.isName() ? f2.month : f2.value, f3.value};
  } else if (f1.isName() || f2.isName()) {
    // A month name says which field is the month; the other one of the first two is the day.
    if (f1.isName() == f2.isName()) return std::nullopt;
    const Field& day = f1.isName() ? f2 : f1;
    if (!day.isDayOrMonth() || !YearOf(f3, d.year)) return std::nullopt;
    d.month = f1.isName() ? f1.month : f2.month;
    d.day = day.value;
  } else {
    if (!f1.isDayOrMonth() || !f2.isDayOrMonth() || !YearOf(f3, d.year)) return std::nullopt;
    d.month = order == DateOrder::MonthFirst ? f1.value : f2.value;
    d.day = order == DateOrder::MonthFirst ? f2.value : f1.value;
  }
  if (!isValidDate(d) || !ScanTime(s, pos, out)) return std::nullopt;
  return out;
}

}  // namespace detail

void SetShortDateSource(ShortDateSource source) {
  detail::shortDateSource.store(source, std::memory_order_release);
}

std::string_view RegionalShortDate() {
  const ShortDateSource source = detail::shortDateSource.load(std::memory_order_acquire);
  if (source == nullptr) return detail::kDefaultShortDate;
  const std::string_view pattern = source();
  return pattern.empty() ? detail::kDefaultShortDate : pattern;
}

std::optional<DateTime> ParseDateTime(std::string_view text) {
  return detail::ScanDateTime(text, detail::OrderOf(RegionalShortDate()));
}

std::optional<Date> ParseDate(std::string_view text) {
  const auto value = ParseDateTime(text);
  if (!value) return std::nullopt;
  return value->date;
}

std::optional<DateTime> ParseDateTimeByPattern(std::string_view text, std::string_view pattern) {
  return detail::ScanDateTime(text, detail::OrderOf(pattern));
}

std::optional<Date> ParseDateByPattern(std::string_view text, std::string_view pattern) {
  const auto value = ParseDateTimeByPattern(text, pattern);
  if (!value) return std::nullopt;
  return value->date;
}

bool IsDateText(std::string_view text) { return ParseDateTime(text).has_value(); }

int LastDayOfMonth(std::string_view dateText) {
  const auto d = ParseDate(dateText);
  return d ? daysInMonth(d->year, d->month) : 0;
}

}  // namespace vt::conv
