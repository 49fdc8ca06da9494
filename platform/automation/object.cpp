#include "platform/automation/object.hpp"

#include "platform/automation/ascii.hpp"

namespace vt::automation {

const Member* ClassInfo::find(std::string_view name, Invoke kind) const {
  for (const Member& m : members) {
    if (m.kind == kind && equalsIgnoringCase(m.name, name)) return &m;
  }
  return nullptr;
}

Object::Object() : creator_(std::this_thread::get_id()) {}
// A copy is a new object of the thread that makes it.
Object::Object(const Object&)
    : std::enable_shared_from_this<Object>(), creator_(std::this_thread::get_id()) {}
Object& Object::operator=(const Object&) { return *this; }
Object::~Object() = default;

Variant Object::invoke(std::string_view name, Invoke kind, std::span<Variant* const> args) {
  const ClassInfo& info = classInfo();
  const std::string& source = info.progId.empty() ? info.className : info.progId;
  if (std::this_thread::get_id() != creator_) raise(kErrWrongThread, source, std::string(name));

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

  std::vector<Variant> temporaries(member->params.size());
  std::vector<Variant*> bound(member->params.size());
  for (size_t i = 0; i < member->params.size(); ++i) {
    const Param& p = member->params[i];
    Variant* argument = given(i);
    if (!argument) {
      // A left-out array is a fresh one each time, never shared between calls.
      temporaries[i] = isArrayType(p.type) ? Variant().coerced(p.type) : p.defaultValue;
      bound[i] = &temporaries[i];
    } else if (p.byRef) {
      argument->coerceInPlace(p.type);
      bound[i] = argument;
    } else {
      temporaries[i] = argument->coerced(p.type);
      bound[i] = &temporaries[i];
    }
  }
  return member->thunk(*this, bound);
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
