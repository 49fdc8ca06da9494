#pragma once
// Objects called by member name. A class describes its interface once (ClassInfo: members in
// interface order with their parameters); invoke() finds a member case-insensitively, checks the
// argument count, coerces by-reference arguments in the caller's Variants and by-value ones into
// temporaries, and calls it. An object answers only on the thread that created it.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/automation/errors.hpp"
#include "platform/automation/variant.hpp"

namespace vt::automation {

enum class Invoke { Method, Get, Let, Set };

struct Param {
  std::string name;
  VarType type = VarType::Variant;
  std::string typeName;  // "String", "Long", "String(,)", or an object's type ("Connection")
  bool byRef = false;
  bool optional = false;
  Variant defaultValue;  // already of `type`; Missing for an optional Variant without default
};

struct Member {
  using Thunk = std::function<Variant(Object&, std::span<Variant* const>)>;
  std::string name;
  Invoke kind = Invoke::Method;
  std::vector<Param> params;
  VarType result = VarType::Empty;  // Empty: returns nothing
  std::string resultTypeName;       // "" when nothing is returned
  Thunk thunk;                      // receives one Variant per parameter, already coerced
};

struct ClassInfo {
  std::string progId;  // "Library.Class"
  std::string className;
  std::string interfaceName;
  std::string clsid;
  std::vector<Member> members;  // interface order

  // Case-insensitive; nullptr when there is no such member of that kind.
  const Member* find(std::string_view name, Invoke kind) const;
};

class Object : public std::enable_shared_from_this<Object> {
 public:
  Object();
  Object(const Object&);
  Object& operator=(const Object&);
  virtual ~Object();

  virtual const ClassInfo& classInfo() const = 0;

  // `args` point at the caller's Variants (nullptr = left out). Errors: 438 unknown member,
  // 449 a required argument left out, 450 too many arguments, 13/6/94 a value that does not
  // convert, kErrWrongThread a call from a thread other than the creator's.
  Variant invoke(std::string_view name, Invoke kind, std::span<Variant* const> args);

  Variant get(std::string_view property);
  void let(std::string_view property, Variant value);
  void set(std::string_view property, Variant value);

  // Calls a method. Variant lvalues receive by-reference results; any other argument travels
  // as a temporary (a non-const lvalue of another type is refused at compile time, since it
  // would silently miss its result).
  template <class... A>
  Variant call(std::string_view method, A&&... args);

  std::thread::id creatorThread() const { return creator_; }

  // What the object's library puts in force around each call into it (its own settings for the
  // calling thread, say), undone when the returned token is released. Set by the library's class
  // factory; a copy of the object keeps it.
  using CallScope = std::shared_ptr<void> (*)();
  void setCallScope(CallScope scope) { callScope_ = scope; }

 private:
  std::thread::id creator_;
  CallScope callScope_ = nullptr;
};

using ObjectRef = std::shared_ptr<Object>;

// A library class: derives from Dispatchable<Itself> and provides
// `static ClassInfo describe()` (built with ClassBuilder); info() builds it once.
template <class C>
class Dispatchable : public Object {
 public:
  static const ClassInfo& info() {
    static const ClassInfo described = C::describe();
    return described;
  }
  const ClassInfo& classInfo() const override { return info(); }
};

// The name an object type shows in member tables; specialise it for handles that are not
// automation objects themselves (a database connection: "Connection").
template <class T>
struct ObjectTypeName {
  static constexpr const char* value = "Object";
};

// Carries a handle of a type that is not an automation object through a Variant.
template <class T>
class Boxed final : public Object {
 public:
  explicit Boxed(std::shared_ptr<T> value) : value_(std::move(value)) {}
  const ClassInfo& classInfo() const override {
    static const ClassInfo info{"", ObjectTypeName<T>::value, "", "", {}};
    return info;
  }
  const std::shared_ptr<T>& value() const { return value_; }

 private:
  std::shared_ptr<T> value_;
};

template <class T>
Variant Variant::fromObject(std::shared_ptr<T> value) {
  if constexpr (std::is_base_of_v<Object, T>) {
    return Variant(std::shared_ptr<Object>(std::move(value)));
  } else {
    if (!value) return Variant(std::shared_ptr<Object>());
    return Variant(std::shared_ptr<Object>(std::make_shared<Boxed<T>>(std::move(value))));
  }
}

template <class T>
std::shared_ptr<T> Variant::objectAs() const {
  const std::shared_ptr<Object> object = toObject();
  if (!object) return nullptr;
  if constexpr (std::is_base_of_v<Object, T>) {
    if (auto typed = std::dynamic_pointer_cast<T>(object)) return typed;
  } else {
    if (const auto* boxed = dynamic_cast<const Boxed<T>*>(object.get())) return boxed->value();
  }
  raise(kErrTypeMismatch, kConversionSource);
}

namespace detail {

// Set by a bound member once all its arguments have been read, just before it runs: Object::invoke
// writes by-reference results back only then.
extern thread_local bool memberEntered;

template <class A>
Variant* argumentPointer(A&& argument, Variant& temporary) {
  using Plain = std::remove_cvref_t<A>;
  constexpr bool kWritableLvalue =
      std::is_lvalue_reference_v<A&&> && !std::is_const_v<std::remove_reference_t<A>>;
  if constexpr (std::is_same_v<Plain, Variant> && kWritableLvalue) {
    return &argument;
  } else {
    static_assert(!kWritableLvalue || std::is_array_v<Plain>,
                  "pass a Variant to receive a by-reference result, or std::as_const(value)");
    temporary = Variant(std::forward<A>(argument));
    return &temporary;
  }
}

}  // namespace detail

template <class... A>
Variant Object::call(std::string_view method, A&&... args) {
  [[maybe_unused]] std::array<Variant, sizeof...(A)> temporaries;
  std::array<Variant*, sizeof...(A)> pointers{};
  [[maybe_unused]] size_t i = 0;
  ((pointers[i] = detail::argumentPointer(std::forward<A>(args), temporaries[i]), ++i), ...);
  return invoke(method, Invoke::Method, pointers);
}

}  // namespace vt::automation
