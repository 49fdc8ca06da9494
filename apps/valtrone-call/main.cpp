// valtrone-call CALL [--then CALL]...,  CALL = [--set PROPERTY=ARG]... PROGID MEMBER [ARG]...
// Each call creates its object by identifier, lets the properties, calls the member by name and
// prints its result and every by-reference argument. The calls run in order on this one thread,
// so the library's per-thread state (its connection among it) carries from one to the next, as
// for a client that opens the connection with one member and validates records with others.
// A call that raises prints "error=<number> <description>" and the later calls still run; the
// exit status is 2 when any call raised.

#include <iostream>
#include <string>
#include <vector>

#include "apps/valtrone-call/call_arguments.hpp"
#include "apps/valtrone-call/call_output.hpp"
#include "import/importador_ats.hpp"
#include "platform/automation/loader.hpp"
#include "platform/errors/error.hpp"

namespace {

void run(const std::vector<std::string>& words) {
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
}

// True when the call ran without raising.
bool runReporting(const std::vector<std::string>& words) {
  try {
    run(words);
    return true;
  } catch (const vt::Error& e) {
    std::cout << "error=" << e.number() << " " << e.description() << std::endl;
  } catch (const std::exception& e) {
    std::cout << "error=5 " << e.what() << std::endl;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
    std::cout << valtrone_call::helpText();
    return 0;
  }
  ambrix::registroPorOmision();
  bool allRan = true;
  bool first = true;
  for (const std::vector<std::string>& call : valtrone_call::splitCalls(words)) {
    if (!first) std::cout << "--\n";
    first = false;
    allRan = runReporting(call) && allRan;
    std::cout.flush();
  }
  return allRan ? 0 : 2;
}
