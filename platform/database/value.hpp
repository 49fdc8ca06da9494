#pragma once
// A typed value read from the database: Null, text, whole number, double or date-time.

#include <cstdint>
#include <string>
#include <variant>

#include "platform/conversions/datetime.hpp"

namespace vt::db {

// A date-time as stored; dateOnly marks a value with no time part (a DATE column).
struct Timestamp {
  conv::DateTime value;
  bool dateOnly = false;
  bool operator==(const Timestamp&) const = default;
};

class Value {
 public:
  enum class Kind { Null, Text, Integer, Double, DateTime };
  using Data = std::variant<std::monostate, std::string, std::int64_t, double, Timestamp>;

  Value() = default;
  explicit Value(std::string text) : data_(std::move(text)) {}
  explicit Value(std::int64_t number) : data_(number) {}
  explicit Value(int number) : data_(std::int64_t{number}) {}
  explicit Value(double number) : data_(number) {}
  explicit Value(Timestamp stamp) : data_(stamp) {}
  static Value date(const conv::Date& d) { return Value(Timestamp{conv::DateTime{d, 0, 0, 0}, true}); }
  static Value dateTime(const conv::DateTime& dt) { return Value(Timestamp{dt, false}); }

  Kind kind() const { return static_cast<Kind>(data_.index()); }
  bool isNull() const { return kind() == Kind::Null; }
  const Data& data() const { return data_; }

  // The accessors raise "invalid use of Null" on Null and "type mismatch" on another kind.
  const std::string& asText() const;
  std::int64_t asInteger() const;
  double asDouble() const;  // a whole number is widened
  const Timestamp& asTimestamp() const;

  bool operator==(const Value&) const = default;

 private:
  Data data_;
};

}  // namespace vt::db
