#include "platform/database/stored_dates.hpp"

#include "platform/conversions/conversions.hpp"

namespace vt::db {

namespace {

bool readDigits(std::string_view text, std::size_t pos, std::size_t count, int& out) {
  if (pos + count > text.size()) return false;
  out = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    out = out * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

std::optional<Timestamp> parseIsoTimestamp(std::string_view text) {
  Timestamp t;
  conv::DateTime& v = t.value;
  if (!readDigits(text, 0, 4, v.date.year) || text.size() < 10 || text[4] != '-' || text[7] != '-' ||
      !readDigits(text, 5, 2, v.date.month) || !readDigits(text, 8, 2, v.date.day) ||
      !conv::isValidDate(v.date))
    return std::nullopt;
  if (text.size() == 10) {
    t.dateOnly = true;
    return t;
  }
  if ((text[10] != ' ' && text[10] != 'T') || text.size() < 16 || !readDigits(text, 11, 2, v.hour) ||
      text[13] != ':' || !readDigits(text, 14, 2, v.minute))
    return std::nullopt;
  std::size_t pos = 16;
  if (pos < text.size() && text[pos] == ':') {
    if (!readDigits(text, 17, 2, v.second)) return std::nullopt;
    pos = 19;
    if (pos < text.size() && text[pos] == '.') {
      ++pos;
      while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    }
  }
  if (pos != text.size() || v.hour > 23 || v.minute > 59 || v.second > 59) return std::nullopt;
  return t;
}

std::optional<Timestamp> parseStoredTimestamp(std::string_view text) {
  if (auto iso = parseIsoTimestamp(text)) return iso;
  const auto parsed = conv::ParseDateTime(text);
  if (!parsed) return std::nullopt;
  return Timestamp{*parsed, text.find(':') == std::string_view::npos};
}

}  // namespace vt::db
