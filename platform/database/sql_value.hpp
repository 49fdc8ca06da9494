#pragma once
// One value of an insert's value list, kept as what it is so that an engine that binds values can
// bind it without reading its literal back; the literal is written only where a text is needed (a
// log line, a watching test, the server engines, a statement that runs as written).
//   SqlValue::text("O'Brien")   a text: bound as it is, written 'O''Brien'
//   SqlValue("'01'")            a literal that is one plain quoted text: bound as the text 01
//   SqlValue("1234.56"), SqlValue(""), SqlValue("to_date(...)")
//                               any other literal: as written; the engine reads it as the text would

#include <string>
#include <string_view>

namespace vt::db {

class SqlValue {
 public:
  enum class Kind {
    Text,     // raw() is the value itself (never a NUL: the quoting drops them)
    Literal,  // raw() is the literal as the statement writes it
  };

  // A literal as written. A literal that is one quoted text with neither an apostrophe nor a NUL
  // inside is kept as that text, which writes back to the same literal.
  SqlValue(std::string literal);  // NOLINT(google-explicit-constructor): every literal is one
  SqlValue(const char* literal) : SqlValue(std::string(literal)) {}  // NOLINT(google-explicit-constructor)

  // A text value; its NULs are dropped, as the quoting helper drops them.
  static SqlValue text(std::string value);
  static SqlValue text(std::string_view value) { return text(std::string(value)); }
  static SqlValue text(const char* value) { return text(std::string(value)); }

  Kind kind() const { return kind_; }
  const std::string& raw() const { return raw_; }
  // The value as the statement text writes it: a text quoted by quoteSql, a literal as it is.
  std::string literal() const;
  void appendLiteral(std::string& out) const;

  bool operator==(const SqlValue&) const = default;

 private:
  SqlValue(Kind kind, std::string raw) : kind_(kind), raw_(std::move(raw)) {}
  Kind kind_;
  std::string raw_;
};

}  // namespace vt::db
