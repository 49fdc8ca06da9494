// valtrone-call [--set PROPERTY=ARG]... PROGID MEMBER [ARG]...
// Creates the object by identifier, lets the properties, calls the member by name and prints
// its result and every by-reference argument. Errors print "error=<number> <description>", exit 2.

#include <iostream>
#include <string>
#include <vector>

#include "apps/valtrone-call/call_arguments.hpp"
#include "apps/valtrone-call/call_output.hpp"
#include "platform/automation/loader.hpp"
#include "platform/errors/error.hpp"

namespace {

int run(const std::vector<std::string>& words) {
  using vt::automation::Invoke;
  using vt::automation::Variant;
  valtrone_call::CallRequest request = valtrone_call::parseCommandLine(words);
  const auto object = vt::automation::createObject(request.progId);
  for (auto& [name, value] : request.properties) object->let(name, value);

  std::vector<Variant*> pointers;
  for (Variant& argument : request.arguments) pointers.push_back(&argument);
  const Variant result = object->invoke(request.member, Invoke::Method, pointers);

  valtrone_call::printValue(std::cout, "result", result);
  // The member table says which arguments travelled by reference.
  const auto* member = object->classInfo().find(request.member, Invoke::Method);
  if (!member) member = object->classInfo().find(request.member, Invoke::Get);
  for (size_t i = 0; member && i < request.arguments.size() && i < member->params.size(); ++i) {
    if (member->params[i].byRef)
      valtrone_call::printValue(std::cout, "arg" + std::to_string(i + 1), request.arguments[i]);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  try {
    return run(words);
  } catch (const vt::Error& e) {
    std::cout << "error=" << e.number() << " " << e.description() << std::endl;
  } catch (const std::exception& e) {
    std::cout << "error=5 " << e.what() << std::endl;
  }
  return 2;
}
