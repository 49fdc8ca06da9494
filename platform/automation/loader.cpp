#include "platform/automation/loader.hpp"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "platform/automation/registry.hpp"

namespace fs = std::filesystem;

namespace vt::automation {

namespace {

constexpr const char* kSource = "CreateObject";

template <class Entry>
Entry entryPoint(void* handle, const char* name, const fs::path& file) {
  void* symbol = ::dlsym(handle, name);
  if (!symbol) {
    raise(kErrCannotCreate, kSource, file.string() + " no es una biblioteca de clases (falta " + name + ")");
  }
  return reinterpret_cast<Entry>(symbol);
}

ServerLibrary open(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec))
    raise(kErrCannotCreate, kSource, "no existe la biblioteca " + file.string());
  void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!handle) {
    const char* why = ::dlerror();
    raise(kErrCannotCreate, kSource,
          "no se pudo cargar la biblioteca " + file.string() + (why ? std::string(" (") + why + ")" : ""));
  }
  const int version = entryPoint<AbiVersionEntry>(handle, "vt_abi_version", file)();
  if (version != kAbiVersion) {
    raise(kErrCannotCreate, kSource,
          file.string() + " tiene la versión de interfaz " + std::to_string(version) + " y se esperaba la " +
              std::to_string(kAbiVersion));
  }
  ServerLibrary library;
  library.file = file;
  library.registerServer = entryPoint<RegisterEntry>(handle, "vt_register_server", file);
  library.unregisterServer = entryPoint<RegisterEntry>(handle, "vt_unregister_server", file);
  library.getClassObject = entryPoint<GetClassObjectEntry>(handle, "vt_get_class_object", file);
  library.canUnloadNow = entryPoint<CanUnloadNowEntry>(handle, "vt_can_unload_now", file);
  return library;
}

}  // namespace

const ServerLibrary& loadServerLibrary(const fs::path& file) {
  static std::mutex mutex;
  static std::map<fs::path, ServerLibrary> loaded;  // never unloaded
  std::error_code ec;
  fs::path key = fs::weakly_canonical(fs::absolute(file, ec), ec);
  if (key.empty()) key = file;
  std::lock_guard lock(mutex);
  if (auto found = loaded.find(key); found != loaded.end()) return found->second;
  return loaded.emplace(key, open(key)).first->second;
}

std::shared_ptr<Object> createObject(std::string_view progId) {
  const std::string id(progId);
  const Registry registry = Registry::load(Registry::path());
  const auto entry = registry.find(id);
  if (!entry) raise(kErrCannotCreate, id, id + " no está registrado en " + registry.file().string());
  if (entry->library.empty()) raise(kErrCannotCreate, id, id + " no tiene biblioteca en el registro");

  const ServerLibrary& library = loadServerLibrary(entry->library);
  ClassFactory* factory = library.getClassObject(entry->progId.c_str());
  if (!factory) raise(kErrCannotCreate, id, library.file.string() + " no ofrece la clase " + id);
  std::shared_ptr<Object> object;
  try {
    object = factory->create();
  } catch (const Error&) {
    throw;
  } catch (const std::exception& e) {
    raise(kErrCannotCreate, id, e.what());
  }
  if (!object) raise(kErrCannotCreate, id, library.file.string() + " no creó " + id);
  return object;
}

}  // namespace vt::automation
