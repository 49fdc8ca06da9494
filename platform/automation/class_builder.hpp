#pragma once
// Declares a class's interface once, from plain C++: public fields become properties and member
// functions become methods. A parameter `T&` is by reference (written back to the caller's
// Variant, also when the member raises), `T` or `const T&` by value. Supported T: std::string,
// int16_t (Integer), int32_t (Long), double, bool, Date, Variant, NullableText, StringArrayRef,
// StringMatrixRef, IntegerArrayRef, std::shared_ptr<Object or any other type>.
//
//   class CLSEjemplo : public vt::automation::Dispatchable<CLSEjemplo> {
//    public:
//     int16_t iPocIVA = 0;
//     std::string Validar(std::string& sDato, int32_t nFila, std::string& sModo);
//     static vt::automation::ClassInfo describe() {
//       using namespace vt::automation;
//       return ClassBuilder<CLSEjemplo>("Biblioteca.CLSEjemplo", "_CLSEjemplo")
//           .property("iPocIVA", &CLSEjemplo::iPocIVA)
//           .method("Validar", &CLSEjemplo::Validar, {"sDato", "nFila", opt("sModo", "")})
//           .build();
//     }
//   };

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/automation/object.hpp"

namespace vt::automation {

// How a C++ type travels in a Variant.
template <class T>
struct ArgTraits;

#define VT_AUTOMATION_SIMPLE_TRAITS(CppType, Kind, Getter)             \
  template <>                                                          \
  struct ArgTraits<CppType> {                                          \
    static constexpr VarType kind = VarType::Kind;                     \
    static const char* name() { return typeName(kind); }               \
    static CppType from(const Variant& v) { return v.Getter(); }       \
    static Variant to(const CppType& value) { return Variant(value); } \
  };
VT_AUTOMATION_SIMPLE_TRAITS(std::string, String, toString)
VT_AUTOMATION_SIMPLE_TRAITS(int16_t, I2, toI2)
VT_AUTOMATION_SIMPLE_TRAITS(int32_t, I4, toI4)
VT_AUTOMATION_SIMPLE_TRAITS(double, R8, toR8)
VT_AUTOMATION_SIMPLE_TRAITS(bool, Bool, toBool)
VT_AUTOMATION_SIMPLE_TRAITS(Date, Date, toDate)
VT_AUTOMATION_SIMPLE_TRAITS(StringArrayRef, StringArray, toStringArray)
VT_AUTOMATION_SIMPLE_TRAITS(StringMatrixRef, StringMatrix, toStringMatrix)
VT_AUTOMATION_SIMPLE_TRAITS(IntegerArrayRef, IntegerArray, toIntegerArray)
#undef VT_AUTOMATION_SIMPLE_TRAITS

template <>
struct ArgTraits<Variant> {
  static constexpr VarType kind = VarType::Variant;
  static const char* name() { return typeName(kind); }
  static Variant from(const Variant& v) { return v; }
  static Variant to(const Variant& v) { return v; }
};

// A String parameter that also takes Null and Empty, as routines that callers hand database
// fields do: no conversion on the way in (the member sees Null as Null), shown as String.
struct NullableText {
  Variant value;
};
template <>
struct ArgTraits<NullableText> {
  static constexpr VarType kind = VarType::Variant;
  static const char* name() { return typeName(VarType::String); }
  static NullableText from(const Variant& v) { return {v}; }
  static Variant to(const NullableText& t) { return t.value; }
};

template <class T>
struct ArgTraits<std::shared_ptr<T>> {
  static constexpr VarType kind = VarType::Object;
  static const char* name() { return ObjectTypeName<T>::value; }
  static std::shared_ptr<T> from(const Variant& v) { return v.objectAs<T>(); }
  static Variant to(const std::shared_ptr<T>& value) { return Variant::fromObject(value); }
};

// A parameter's name, and whether the caller may leave it out.
struct ParamSpec {
  ParamSpec(const char* n) : name(n) {}
  ParamSpec(std::string n) : name(std::move(n)) {}
  std::string name;
  bool optional = false;
  std::optional<Variant> defaultValue;  // none: the type's empty value (Missing for a Variant)
};

inline ParamSpec opt(std::string name) {
  ParamSpec p(std::move(name));
  p.optional = true;
  return p;
}

inline ParamSpec opt(std::string name, Variant defaultValue) {
  ParamSpec p = opt(std::move(name));
  p.defaultValue = std::move(defaultValue);
  return p;
}

namespace detail {

template <class T>
struct IsSharedPtr : std::false_type {};
template <class T>
struct IsSharedPtr<std::shared_ptr<T>> : std::true_type {};

// One argument of a bound call: the C++ value the member works on, and where it goes back.
template <class P>
struct ArgSlot {
  using Plain = std::remove_cvref_t<P>;
  static constexpr bool kByRef =
      std::is_lvalue_reference_v<P> && !std::is_const_v<std::remove_reference_t<P>>;

  explicit ArgSlot(Variant* v) : source(v), value(ArgTraits<Plain>::from(*v)) {}
  decltype(auto) pass() {
    if constexpr (std::is_reference_v<P>) {
      return static_cast<P>(value);
    } else {
      return std::move(value);
    }
  }
  void writeBack() {
    if constexpr (kByRef) {
      // A handle the member left alone stays in the caller's own wrapping (a host's connection
      // must not come back as the library's object for it).
      if constexpr (IsSharedPtr<Plain>::value) {
        if (value == ArgTraits<Plain>::from(*source)) return;
      }
      *source = ArgTraits<Plain>::to(value);
    }
  }

  Variant* source;
  Plain value;
};

template <class C, class R, class... A, size_t... I>
Variant callBound(const std::function<R(C&, A...)>& fn, C& object,
                  [[maybe_unused]] std::span<Variant* const> args, std::index_sequence<I...>) {
  (void)args;  // a member without parameters reads none
  std::tuple<ArgSlot<A>...> slots{ArgSlot<A>(args[I])...};
  const auto writeBack = [&slots] { (std::get<I>(slots).writeBack(), ...); };
  memberEntered = true;
  Variant result;
  try {
    if constexpr (std::is_void_v<R>) {
      fn(object, std::get<I>(slots).pass()...);
    } else {
      result = ArgTraits<std::remove_cvref_t<R>>::to(fn(object, std::get<I>(slots).pass()...));
    }
  } catch (...) {
    writeBack();
    throw;
  }
  writeBack();
  return result;
}

}  // namespace detail

template <class C>
class ClassBuilder {
 public:
  // The class name is the part of the identifier after its last point.
  ClassBuilder(std::string progId, std::string interfaceName) {
    const size_t dot = progId.rfind('.');
    info_.className = dot == std::string::npos ? progId : progId.substr(dot + 1);
    info_.progId = std::move(progId);
    info_.interfaceName = std::move(interfaceName);
  }

  ClassBuilder& clsid(std::string id) {
    info_.clsid = std::move(id);
    return *this;
  }

  // Get, then Let (Set for an object; Let and Set for a Variant).
  template <class F>
  ClassBuilder& property(std::string name, F C::*field) {
    using Traits = ArgTraits<F>;
    Member get{name, Invoke::Get, {}, Traits::kind, Traits::name(), nullptr};
    get.thunk = [field](Object& o, std::span<Variant* const>) {
      return Traits::to(static_cast<C&>(o).*field);
    };
    info_.members.push_back(std::move(get));
    const auto assign = [field](Object& o, std::span<Variant* const> args) {
      static_cast<C&>(o).*field = Traits::from(*args[0]);
      return Variant();
    };
    if (Traits::kind != VarType::Object) {
      Param value{"RHS", Traits::kind, Traits::name(), false, false, {}};
      info_.members.push_back(Member{name, Invoke::Let, {value}, VarType::Empty, "", assign});
    }
    if (Traits::kind == VarType::Object || Traits::kind == VarType::Variant) {
      Param value{"RHS", VarType::Object, Traits::name(), false, false, {}};
      info_.members.push_back(Member{name, Invoke::Set, {value}, VarType::Empty, "", assign});
    }
    return *this;
  }

  template <class R, class... A>
  ClassBuilder& method(std::string name, R (C::*fn)(A...), std::vector<ParamSpec> params = {}) {
    return add<R, A...>(std::move(name), std::function<R(C&, A...)>(fn), std::move(params));
  }
  template <class R, class... A>
  ClassBuilder& method(std::string name, R (C::*fn)(A...) const, std::vector<ParamSpec> params = {}) {
    return add<R, A...>(std::move(name), std::function<R(C&, A...)>(fn), std::move(params));
  }

  ClassInfo build() const { return info_; }

 private:
  template <class R, class... A>
  ClassBuilder& add(std::string name, std::function<R(C&, A...)> fn, std::vector<ParamSpec> specs) {
    if (specs.size() != sizeof...(A)) {
      throw std::logic_error("automation: " + name + " declares " + std::to_string(specs.size()) +
                             " parameter names for " + std::to_string(sizeof...(A)) + " parameters");
    }
    Member m;
    m.name = std::move(name);
    m.kind = Invoke::Method;
    if constexpr (!std::is_void_v<R>) {
      m.result = ArgTraits<std::remove_cvref_t<R>>::kind;
      m.resultTypeName = ArgTraits<std::remove_cvref_t<R>>::name();
    }
    [[maybe_unused]] size_t i = 0;
    (m.params.push_back(describeParam<A>(std::move(specs[i++]))), ...);
    for (size_t k = 1; k < m.params.size(); ++k) {
      if (m.params[k - 1].optional && !m.params[k].optional) {
        throw std::logic_error("automation: " + m.name + ": optional parameters must come last");
      }
    }
    m.thunk = [fn = std::move(fn)](Object& o, std::span<Variant* const> args) {
      return detail::callBound(fn, static_cast<C&>(o), args, std::index_sequence_for<A...>{});
    };
    info_.members.push_back(std::move(m));
    return *this;
  }

  template <class P>
  static Param describeParam(ParamSpec spec) {
    using Traits = ArgTraits<std::remove_cvref_t<P>>;
    Param p;
    p.name = std::move(spec.name);
    p.type = Traits::kind;
    p.typeName = Traits::name();
    p.byRef = detail::ArgSlot<P>::kByRef;
    p.optional = spec.optional;
    if (p.optional) {
      if (spec.defaultValue) {
        p.defaultValue = spec.defaultValue->coerced(p.type);
      } else if (p.type == VarType::Variant) {
        p.defaultValue = Variant::missing();
      } else {
        p.defaultValue = Variant().coerced(p.type);
      }
    }
    return p;
  }

  ClassInfo info_;
};

}  // namespace vt::automation
