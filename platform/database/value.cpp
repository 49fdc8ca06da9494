#include "platform/database/value.hpp"

#include "platform/database/errors.hpp"

namespace vt::db {

namespace {

template <typename T>
const T& expect(const Value::Data& data) {
  if (const T* v = std::get_if<T>(&data)) return *v;
  raise(std::holds_alternative<std::monostate>(data) ? kErrInvalidUseOfNull : kErrTypeMismatch, "Value");
}

}  // namespace

const std::string& Value::asText() const { return expect<std::string>(data_); }

std::int64_t Value::asInteger() const { return expect<std::int64_t>(data_); }

double Value::asDouble() const {
  if (const auto* whole = std::get_if<std::int64_t>(&data_)) return static_cast<double>(*whole);
  return expect<double>(data_);
}

const Timestamp& Value::asTimestamp() const { return expect<Timestamp>(data_); }

}  // namespace vt::db
