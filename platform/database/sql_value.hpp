#pragma once
// One value of an insert's value list, kept as what it is so that an engine that binds values can
// bind it without reading its literal back; the literal is written only where a text is needed (a
// log line, a watching test, the server engines, a statement that runs as written).
//   SqlValue::text("O'Brien")   a text: bound as it is, written 'O''Brien'
//   SqlValue("'01'")            a literal that is one plain quoted text: bound as the text 01
//   SqlValue::number(...)       a number as a mask writes it: bound as the integer or the double
//                               the engine reads from its literal, written as the mask writes it
//   SqlValue::date(...)         a date of the engine's date literal: written by sqlDate
//   SqlValue("1234.56"), SqlValue(""), SqlValue("to_date(...)")
//                               any other literal: as written; the engine reads it as the text would

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"

namespace vt::db {

// The double SQLite reads from a decimal literal of at most 15 digits with at most 3 after the
// point, given its digits without the point and how many of them follow it: the digits make an
// exact double, and one division by an exact power of ten rounds correctly. With 3 decimals or
// fewer even SQLite's extended-precision division cannot land on a rounding tie.
double plainDecimalValue(std::uint64_t digits, int decimals);

class SqlValue {
 public:
  enum class Kind {
    Text,     // raw() is the value itself (never a NUL: the quoting drops them)
    Literal,  // raw() is the literal as the statement writes it
    Integer,  // number() with no decimals, its literal at most 18 digits: integer()
    Decimal,  // number() with 1 to 3 decimals, its literal at most 15 digits: real()
    Date,     // dateTime() as sqlDate writes it for engine()
  };

  // A literal as written. A literal that is one quoted text with neither an apostrophe nor a NUL
  // inside is kept as that text, which writes back to the same literal.
  SqlValue(std::string literal);  // NOLINT(google-explicit-constructor): every literal is one
  SqlValue(const char* literal) : SqlValue(std::string(literal)) {}  // NOLINT(google-explicit-constructor)

  // A text value; its NULs are dropped, as the quoting helper drops them.
  static SqlValue text(std::string value);
  static SqlValue text(std::string_view value) { return text(std::string(value)); }
  static SqlValue text(const char* value) { return text(std::string(value)); }
  // A number as its mask writes it. One whose literal the engine would not read as a plain
  // integer or decimal (too many digits or decimals, no digit at all) is kept as that literal.
  static SqlValue number(const conv::MaskedNumber& value);
  // sqlDate(engine, value, withTime), kept as the date.
  static SqlValue date(Engine engine, const conv::DateTime& value, bool withTime);

  Kind kind() const { return kind_; }
  const std::string& raw() const { return raw_; }               // Text and Literal
  const conv::MaskedNumber& number() const { return number_; }  // Integer and Decimal
  // The value the engine reads from the literal of an Integer, of a Decimal.
  std::int64_t integer() const;
  double real() const;
  const conv::DateTime& dateTime() const { return date_; }  // Date
  Engine engine() const { return engine_; }
  bool withTime() const { return withTime_; }
  // A Date's literal when it is a plain quoted text, unquoted, written into out (at least
  // kDateTextSize chars); its length, or 0 when the literal is anything else.
  static constexpr std::size_t kDateTextSize = 20;
  std::size_t dateText(char* out) const;

  // The value as the statement text writes it: a text quoted by quoteSql, a literal as it is.
  std::string literal() const;
  void appendLiteral(std::string& out) const;

  bool operator==(const SqlValue&) const = default;

 private:
  SqlValue(Kind kind, std::string raw) : kind_(kind), raw_(std::move(raw)) {}
  Kind kind_;
  std::string raw_;
  conv::MaskedNumber number_;
  conv::DateTime date_;
  Engine engine_ = Engine::Access;
  bool withTime_ = false;
};

}  // namespace vt::db
