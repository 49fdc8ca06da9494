#include "platform/database/sql_value.hpp"

#include <algorithm>

#include "platform/conversions/number_scan.hpp"

namespace vt::db {

namespace {

// The digits of a literal the number writes, before and after its point (see AppendMaskedNumber).
std::size_t literalDigits(const conv::MaskedNumber& n) {
  std::size_t count = 0;
  for (std::uint64_t rest = n.magnitude; rest != 0; rest /= 10) ++count;
  const std::size_t decimals = static_cast<std::size_t>(n.decimals);
  const std::size_t whole = count > decimals ? count - decimals : 0;
  return std::max(whole, static_cast<std::size_t>(n.minIntDigits)) + decimals;
}

void twoDigits(char* out, int value) {
  out[0] = static_cast<char>('0' + value / 10);
  out[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

SqlValue::SqlValue(std::string literal) : kind_(Kind::Literal), raw_(std::move(literal)) {
  // 'x' with no apostrophe and no NUL inside is exactly quoteSql("x"): kept as the text x.
  if (raw_.size() >= 2 && raw_.front() == '\'' && raw_.back() == '\'' &&
      raw_.find_first_of(std::string_view("'\0", 2), 1) == raw_.size() - 1) {
    kind_ = Kind::Text;
    raw_.pop_back();
    raw_.erase(0, 1);
  }
}

SqlValue SqlValue::text(std::string value) {
  if (value.find('\0') != std::string::npos) value.erase(std::remove(value.begin(), value.end(), '\0'), value.end());
  return SqlValue(Kind::Text, std::move(value));
}

SqlValue SqlValue::number(const conv::MaskedNumber& value) {
  // The limits of the literals the engine reads plainly: a whole number of at most 18 digits, a
  // decimal of at most 15 digits with at most 3 after the point, never a negative zero.
  const std::size_t digits = literalDigits(value);
  const bool plain = digits > 0 && !(value.negative && value.magnitude == 0) &&
                     (value.decimals == 0 ? digits <= 18 : value.decimals <= 3 && digits <= 15);
  if (!plain) {
    std::string literal;
    conv::AppendMaskedNumber(literal, value);
    return SqlValue(Kind::Literal, std::move(literal));
  }
  SqlValue out(value.decimals == 0 ? Kind::Integer : Kind::Decimal, std::string());
  out.number_ = value;
  return out;
}

SqlValue SqlValue::date(Engine engine, const conv::DateTime& value, bool withTime) {
  SqlValue out(Kind::Date, std::string());
  out.date_ = value;
  out.engine_ = engine;
  out.withTime_ = withTime;
  return out;
}

std::int64_t SqlValue::integer() const {
  const auto magnitude = static_cast<std::int64_t>(number_.magnitude);
  return number_.negative ? -magnitude : magnitude;
}

double plainDecimalValue(std::uint64_t digits, int decimals) {
  return static_cast<double>(digits) / conv::detail::kExactPowersOfTen[decimals];
}

double SqlValue::real() const {
  const double value = plainDecimalValue(number_.magnitude, number_.decimals);
  return number_.negative ? -value : value;
}

std::size_t SqlValue::dateText(char* out) const {
  const conv::Date& d = date_.date;
  const auto twoDigit = [](int v) { return v >= 0 && v <= 99; };
  // The forms of sqlDate with a quoted 'yyyy-mm-dd[ hh:mm:ss]', while every field keeps its width.
  if (engine_ == Engine::Sql || engine_ == Engine::Oracle || d.year < 0 || d.year > 9999 ||
      !twoDigit(d.month) || !twoDigit(d.day) ||
      (withTime_ && (!twoDigit(date_.hour) || !twoDigit(date_.minute) || !twoDigit(date_.second))))
    return 0;
  twoDigits(out, d.year / 100);
  twoDigits(out + 2, d.year % 100);
  out[4] = '-';
  twoDigits(out + 5, d.month);
  out[7] = '-';
  twoDigits(out + 8, d.day);
  if (!withTime_) return 10;
  out[10] = ' ';
  twoDigits(out + 11, date_.hour);
  out[13] = ':';
  twoDigits(out + 14, date_.minute);
  out[16] = ':';
  twoDigits(out + 17, date_.second);
  return 19;
}

std::string SqlValue::literal() const {
  if (kind_ == Kind::Text) return quoteSql(raw_);
  if (kind_ == Kind::Literal) return raw_;
  std::string out;
  appendLiteral(out);
  return out;
}

void SqlValue::appendLiteral(std::string& out) const {
  switch (kind_) {
    case Kind::Text:
      out += quoteSql(raw_);
      break;
    case Kind::Literal:
      out += raw_;
      break;
    case Kind::Integer:
    case Kind::Decimal:
      conv::AppendMaskedNumber(out, number_);
      break;
    case Kind::Date:
      out += sqlDate(engine_, date_, withTime_);
      break;
  }
}

}  // namespace vt::db
