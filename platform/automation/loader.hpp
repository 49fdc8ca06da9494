#pragma once
// Creation by programmatic identifier: the registry names the library, which is loaded once
// (never unloaded, so that its per-thread state and types stay valid) and asked for the class.

#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/automation/object.hpp"
#include "platform/automation/server.hpp"

namespace vt::automation {

struct ServerLibrary {
  std::filesystem::path file;
  RegisterEntry registerServer = nullptr;
  RegisterEntry unregisterServer = nullptr;
  GetClassObjectEntry getClassObject = nullptr;
  CanUnloadNowEntry canUnloadNow = nullptr;
};

// Loads the library (first time only) and checks its entry points and interface version;
// raises 429 saying what is wrong with it.
const ServerLibrary& loadServerLibrary(const std::filesystem::path& file);

// CreateObject: raises 429 for an identifier not registered in Registry::path(), a missing or
// broken library, or a library that does not serve the class.
std::shared_ptr<Object> createObject(std::string_view progId);

}  // namespace vt::automation
