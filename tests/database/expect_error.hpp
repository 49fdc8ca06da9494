#pragma once
// Runs a call that must raise the layer's error and hands the error back for checks.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "platform/database/value.hpp"
#include "platform/errors/error.hpp"

namespace vt::db {

// Readable values in failure messages.
inline void PrintTo(const Value& v, std::ostream* os) {
  switch (v.kind()) {
    case Value::Kind::Null:
      *os << "Null";
      break;
    case Value::Kind::Text:
      *os << "Text(" << v.asText() << ")";
      break;
    case Value::Kind::Integer:
      *os << "Integer(" << v.asInteger() << ")";
      break;
    case Value::Kind::Double:
      *os << "Double(" << v.asDouble() << ")";
      break;
    case Value::Kind::DateTime: {
      const auto& t = v.asTimestamp();
      *os << (t.dateOnly ? "Date(" : "DateTime(") << t.value.date.year << "-" << t.value.date.month << "-"
          << t.value.date.day << " " << t.value.hour << ":" << t.value.minute << ":" << t.value.second << ")";
      break;
    }
  }
}

}  // namespace vt::db

namespace vt::db::test {

template <typename F>
std::optional<vt::Error> errorOf(F&& call) {
  try {
    call();
  } catch (const vt::Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error raised";
  return std::nullopt;
}

// The number of the raised error, or 0 when nothing was raised.
template <typename F>
long errorNumber(F&& call) {
  const auto e = errorOf(call);
  return e ? e->number() : 0;
}

}  // namespace vt::db::test
