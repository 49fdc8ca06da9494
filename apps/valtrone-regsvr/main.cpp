// valtrone-regsvr [-u] LIBRARY: writes (or with -u removes) a library's classes in the class
// registry ($VALTRONE_REGISTRY, else the user's file).

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/automation/loader.hpp"
#include "platform/automation/registry.hpp"

namespace fs = std::filesystem;
using namespace vt::automation;

namespace {

int usage() {
  std::fprintf(stderr, "Uso: valtrone-regsvr [-u] BIBLIOTECA\n");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  bool unregister = false;
  std::string library;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-u" || arg == "/u") {
      unregister = true;
    } else if (library.empty() && !arg.empty() && arg.front() != '-') {
      library = arg;
    } else {
      return usage();
    }
  }
  if (library.empty()) return usage();

  const fs::path registry = Registry::writablePath();
  if (registry.empty()) {
    std::fprintf(stderr, "valtrone-regsvr: no hay archivo de registro; defina VALTRONE_REGISTRY\n");
    return 1;
  }
  try {
    const ServerLibrary& server = loadServerLibrary(fs::absolute(library));
    const RegisterEntry action = unregister ? server.unregisterServer : server.registerServer;
    if (action(registry.c_str()) != 0) {
      std::fprintf(stderr, "valtrone-regsvr: %s: %s\n", server.file.c_str(), lastServerError().c_str());
      return 1;
    }
    std::printf(unregister ? "Se quitó el registro de %s en %s\n" : "Se registró %s en %s\n",
                server.file.c_str(), registry.c_str());
    return 0;
  } catch (const vt::Error& e) {
    std::fprintf(stderr, "valtrone-regsvr: %ld %s\n", e.number(), e.description().c_str());
    return 1;
  }
}
