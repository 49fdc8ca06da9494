#include "platform/automation/variant.hpp"

#include <cmath>

#include "platform/automation/errors.hpp"
#include "platform/conversions/conversions.hpp"

namespace vt::automation {

namespace {

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};

double checkedWhole(double value, double lowest, double highest) {
  const double r = roundHalfEven(value);
  if (!(r >= lowest && r <= highest)) raise(kErrOverflow, kConversionSource);
  return r;
}

std::string formatDate(Date value) {
  const conv::DateTime t = value.toDateTime();
  // CStr writes the regional short date, the order in which CDate reads it back.
  const std::string_view shortDate = conv::RegionalShortDate();
  if (!value.hasTime()) return conv::FormatDateTime(t, shortDate);
  if (!value.hasDate()) return conv::FormatDateTime(t, "hh:nn:ss");
  return conv::FormatDateTime(t, std::string(shortDate) + " hh:nn:ss");
}

}  // namespace

const char* typeName(VarType type) {
  switch (type) {
    case VarType::Empty:
      return "Empty";
    case VarType::Null:
      return "Null";
    case VarType::Missing:
      return "Missing";
    case VarType::Bool:
      return "Boolean";
    case VarType::I2:
      return "Integer";
    case VarType::I4:
      return "Long";
    case VarType::R8:
      return "Double";
    case VarType::Date:
      return "Date";
    case VarType::String:
      return "String";
    case VarType::Object:
      return "Object";
    case VarType::StringArray:
      return "String()";
    case VarType::StringMatrix:
      return "String(,)";
    case VarType::IntegerArray:
      return "Integer()";
    case VarType::Variant:
      return "Variant";
  }
  return "";
}

bool isArrayType(VarType type) {
  return type == VarType::StringArray || type == VarType::StringMatrix || type == VarType::IntegerArray;
}

double roundHalfEven(double value) {
  const double whole = std::trunc(value);
  if (std::fabs(value - whole) == 0.5) return 2.0 * std::round(value / 2.0);
  return std::round(value);
}

Variant Variant::null() {
  Variant v;
  v.value_ = NullTag{};
  return v;
}

Variant Variant::missing() {
  Variant v;
  v.value_ = MissingTag{};
  return v;
}

Variant::Variant(bool value) : value_(value) {}
Variant::Variant(int16_t value) : value_(value) {}
Variant::Variant(int32_t value) : value_(value) {}
Variant::Variant(double value) : value_(value) {}
Variant::Variant(Date value) : value_(value) {}
Variant::Variant(std::string value) : value_(std::move(value)) {}
Variant::Variant(std::string_view value) : value_(std::string(value)) {}
Variant::Variant(const char* value) : value_(std::string(value ? value : "")) {}
Variant::Variant(std::shared_ptr<Object> value) : value_(std::move(value)) {}
Variant::Variant(StringArrayRef value) : value_(std::move(value)) {}
Variant::Variant(StringMatrixRef value) : value_(std::move(value)) {}
Variant::Variant(IntegerArrayRef value) : value_(std::move(value)) {}

void Variant::raiseNotConvertible() const {
  switch (type()) {
    case VarType::Null:
      raise(kErrInvalidUseOfNull, kConversionSource);
    case VarType::Missing:
      raise(kErrArgumentNotOptional, kConversionSource);
    default:
      raise(kErrTypeMismatch, kConversionSource);
  }
}

double Variant::toNumber() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return 0.0; },
                        [](bool b) { return b ? -1.0 : 0.0; },
                        [](int16_t i) { return static_cast<double>(i); },
                        [](int32_t i) { return static_cast<double>(i); },
                        [](double d) { return d; },
                        [](Date d) { return d.serial; },
                        [](const std::string& s) {
                          const auto d = conv::NumberWithExponent(s);
                          if (!d) raise(kErrTypeMismatch, kConversionSource);
                          return *d;
                        },
                        [this](const auto&) -> double { raiseNotConvertible(); },
                    },
                    value_);
}

int16_t Variant::toI2() const {
  if (const auto* i = std::get_if<int16_t>(&value_)) return *i;
  return static_cast<int16_t>(checkedWhole(toNumber(), -32768.0, 32767.0));
}

int32_t Variant::toI4() const {
  if (const auto* i = std::get_if<int32_t>(&value_)) return *i;
  return static_cast<int32_t>(checkedWhole(toNumber(), -2147483648.0, 2147483647.0));
}

double Variant::toR8() const { return toNumber(); }

bool Variant::toBool() const {
  if (const auto* s = std::get_if<std::string>(&value_)) {
    const std::string trimmed = conv::Trim(*s);
    if (conv::SameText(trimmed, "true")) return true;
    if (conv::SameText(trimmed, "false")) return false;
  }
  return toNumber() != 0.0;
}

std::string Variant::toString() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return std::string(); },
                        [](bool b) { return std::string(b ? "True" : "False"); },
                        [](int16_t i) { return std::to_string(i); },
                        [](int32_t i) { return std::to_string(i); },
                        [](double d) { return conv::VbStr(d); },
                        [](Date d) { return formatDate(d); },
                        [](const std::string& s) { return s; },
                        [this](const auto&) -> std::string { raiseNotConvertible(); },
                    },
                    value_);
}

Date Variant::toDate() const {
  if (const auto* d = std::get_if<Date>(&value_)) return *d;
  if (const auto* s = std::get_if<std::string>(&value_)) {
    const auto parsed = conv::ParseDateTime(*s);
    if (!parsed) raise(kErrTypeMismatch, kConversionSource);
    return Date::fromDateTime(*parsed);
  }
  const double serial = toNumber();
  if (!(serial >= kMinDateSerial && serial <= kMaxDateSerial)) raise(kErrOverflow, kConversionSource);
  return Date{serial};
}

std::shared_ptr<Object> Variant::toObject() const {
  if (isEmpty()) return nullptr;
  if (const auto* o = std::get_if<std::shared_ptr<Object>>(&value_)) return *o;
  raise(kErrTypeMismatch, kConversionSource);
}

StringArrayRef Variant::toStringArray() const {
  if (const auto* a = std::get_if<StringArrayRef>(&value_)) return *a;
  raiseNotConvertible();
}

StringMatrixRef Variant::toStringMatrix() const {
  if (const auto* a = std::get_if<StringMatrixRef>(&value_)) return *a;
  raiseNotConvertible();
}

IntegerArrayRef Variant::toIntegerArray() const {
  if (const auto* a = std::get_if<IntegerArrayRef>(&value_)) return *a;
  raiseNotConvertible();
}

Variant Variant::coerced(VarType target) const {
  if (target == type() || target == VarType::Variant) return *this;
  switch (target) {
    case VarType::Bool:
      return Variant(toBool());
    case VarType::I2:
      return Variant(toI2());
    case VarType::I4:
      return Variant(toI4());
    case VarType::R8:
      return Variant(toR8());
    case VarType::Date:
      return Variant(toDate());
    case VarType::String:
      return Variant(toString());
    case VarType::Object:
      return Variant(toObject());
    case VarType::StringArray:
      if (isEmpty()) return Variant(std::make_shared<StringArray>());
      break;
    case VarType::StringMatrix:
      if (isEmpty()) return Variant(std::make_shared<StringMatrix>());
      break;
    case VarType::IntegerArray:
      if (isEmpty()) return Variant(std::make_shared<IntegerArray>());
      break;
    default:
      break;
  }
  raiseNotConvertible();
}

void Variant::coerceInPlace(VarType target) {
  if (target == type() || target == VarType::Variant) return;
  *this = coerced(target);
}

}  // namespace vt::automation
