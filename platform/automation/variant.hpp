#pragma once
// The value every by-name call passes: one of the kinds callers have always exchanged, with the
// legacy coercions between them (CInt rounds half to even, overflow raises 6, a text that is not
// a number raises 13, Null raises 94). Arrays and objects are held by handle: copying a Variant
// never copies a sheet.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "platform/automation/array.hpp"
#include "platform/automation/date.hpp"
#include "platform/automation/string_matrix.hpp"

namespace vt::automation {

class Object;

// The kinds a Variant holds, in storage order; `Variant` only describes a parameter or result
// that takes any kind, and `Empty` as a member's result means it returns nothing.
enum class VarType : uint8_t {
  Empty,
  Null,
  Missing,  // an optional argument left out
  Bool,
  I2,
  I4,
  R8,
  Date,
  String,
  Object,  // an object or Nothing
  StringArray,
  StringMatrix,
  IntegerArray,
  Variant,
};

// The name callers know for a kind: "String", "Integer", "Long", "Boolean", "String()", ...
const char* typeName(VarType type);
bool isArrayType(VarType type);

class Variant {
 public:
  Variant() = default;  // Empty
  static Variant null();
  static Variant missing();
  Variant(bool value);
  Variant(int16_t value);
  Variant(int32_t value);
  Variant(double value);
  Variant(Date value);
  Variant(std::string value);
  Variant(std::string_view value);
  Variant(const char* value);
  Variant(std::shared_ptr<Object> value);  // a null pointer is Nothing
  Variant(StringArrayRef value);
  Variant(StringMatrixRef value);
  Variant(IntegerArrayRef value);

  // Any other shared handle travels boxed inside an object; objectAs<T>() takes it out again.
  // Both are defined in object.hpp.
  template <class T>
  static Variant fromObject(std::shared_ptr<T> value);
  template <class T>
  std::shared_ptr<T> objectAs() const;

  VarType type() const { return static_cast<VarType>(value_.index()); }
  bool isEmpty() const { return type() == VarType::Empty; }
  bool isNull() const { return type() == VarType::Null; }
  bool isMissing() const { return type() == VarType::Missing; }
  bool isObject() const { return type() == VarType::Object; }
  bool isArray() const { return isArrayType(type()); }

  // CInt, CLng, CDbl, CBool, CStr, CDate.
  int16_t toI2() const;
  int32_t toI4() const;
  double toR8() const;
  bool toBool() const;
  std::string toString() const;
  Date toDate() const;
  // The handle itself (13 for any other kind; Empty gives Nothing for an object).
  std::shared_ptr<Object> toObject() const;
  StringArrayRef toStringArray() const;
  StringMatrixRef toStringMatrix() const;
  IntegerArrayRef toIntegerArray() const;

  // Converts to `type` in place, as a by-reference argument of that type is. Empty becomes a
  // new empty array for an array type (an array never dimensioned), Nothing for an object.
  void coerceInPlace(VarType type);
  Variant coerced(VarType type) const;

 private:
  struct NullTag {};
  struct MissingTag {};
  std::variant<std::monostate, NullTag, MissingTag, bool, int16_t, int32_t, double, Date, std::string,
               std::shared_ptr<Object>, StringArrayRef, StringMatrixRef, IntegerArrayRef>
      value_;

  [[noreturn]] void raiseNotConvertible() const;
  double toNumber() const;
};

// Round half to even, as CInt and CLng do.
double roundHalfEven(double value);

}  // namespace vt::automation
