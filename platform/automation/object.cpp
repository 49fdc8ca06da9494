#include "platform/automation/object.hpp"

#include "platform/conversions/conversions.hpp"

namespace vt::automation {

namespace detail {
thread_local bool memberEntered = false;
}  // namespace detail

const Member* ClassInfo::find(std::string_view name, Invoke kind) const {
  for (const Member& m : members) {
    if (m.kind == kind && conv::SameText(m.name, name)) return &m;
  }
  return nullptr;
}

Object::Object() : creator_(std::this_thread::get_id()) {}
// A copy is a new object of the thread that makes it.
Object::Object(const Object& other)
    : std::enable_shared_from_this<Object>(), creator_(std::this_thread::get_id()), callScope_(other.callScope_) {}
Object& Object::operator=(const Object&) { return *this; }
Object::~Object() = default;

Variant Object::invoke(std::string_view name, Invoke kind, std::span<Variant* const> args) {
  const ClassInfo& info = classInfo();
  const std::string& source = info.progId.empty() ? info.className : info.progId;
  if (std::this_thread::get_id() != creator_) raise(kErrWrongThread, source, std::string(name));
  // Arguments convert and the member runs under the library's own settings.
  const std::shared_ptr<void> scope = callScope_ ? callScope_() : nullptr;

  // A late-bound read asks for "method or property get", so each kind finds the other.
  const Member* member = info.find(name, kind);
  if (!member && kind == Invoke::Method) member = info.find(name, Invoke::Get);
  if (!member && kind == Invoke::Get) member = info.find(name, Invoke::Method);
  if (!member) raise(kErrNoSuchMember, source, std::string(name));
  if (args.size() > member->params.size()) raise(kErrWrongArgumentCount, source, member->name);

  const auto given = [&args](size_t i) -> Variant* {
    return i < args.size() && args[i] && !args[i]->isMissing() ? args[i] : nullptr;
  };
  // The count is checked before any argument is converted.
  for (size_t i = 0; i < member->params.size(); ++i) {
    const Param& p = member->params[i];
    if (!given(i) && !p.optional) raise(kErrArgumentNotOptional, source, member->name + " (" + p.name + ")");
  }

  // Every argument is converted into a temporary first: a value that does not convert stops the
  // call before any of the caller's variables has changed.
  std::vector<Variant> temporaries(member->params.size());
  std::vector<Variant*> bound(member->params.size());
  for (size_t i = 0; i < member->params.size(); ++i) {
    const Param& p = member->params[i];
    Variant* argument = given(i);
    if (!argument) {
      // A left-out array is a fresh one each time, never shared between calls.
      temporaries[i] = isArrayType(p.type) ? Variant().coerced(p.type) : p.defaultValue;
    } else {
      temporaries[i] = argument->coerced(p.type);
    }
    bound[i] = &temporaries[i];
  }
  // By-reference results reach the caller once the member has been entered, also when it raises.
  const auto writeBack = [&] {
    for (size_t i = 0; i < member->params.size(); ++i) {
      if (member->params[i].byRef && given(i)) *args[i] = std::move(temporaries[i]);
    }
  };
  const bool outerEntered = detail::memberEntered;
  detail::memberEntered = false;
  Variant result;
  try {
    result = member->thunk(*this, bound);
  } catch (...) {
    const bool entered = detail::memberEntered;
    detail::memberEntered = outerEntered;
    if (entered) writeBack();
    throw;
  }
  detail::memberEntered = outerEntered;
  writeBack();
  return result;
}

Variant Object::get(std::string_view property) { return invoke(property, Invoke::Get, {}); }

void Object::let(std::string_view property, Variant value) {
  Variant* args[] = {&value};
  invoke(property, Invoke::Let, args);
}

void Object::set(std::string_view property, Variant value) {
  Variant* args[] = {&value};
  invoke(property, Invoke::Set, args);
}

}  // namespace vt::automation
