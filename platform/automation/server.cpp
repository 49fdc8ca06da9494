#include "platform/automation/server.hpp"

#include <dlfcn.h>

#include <filesystem>

#include "platform/conversions/conversions.hpp"
#include "platform/automation/registry.hpp"

namespace fs = std::filesystem;

namespace vt::automation {

namespace {

thread_local std::string lastError;

fs::path libraryFile(const void* address) {
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname) {
    raise(kErrInvalidCall, "Registro de clases", "no se pudo saber el archivo de la biblioteca");
  }
  std::error_code ec;
  const fs::path file = fs::weakly_canonical(fs::absolute(info.dli_fname), ec);
  return ec ? fs::absolute(info.dli_fname) : file;
}

fs::path registryFile(const char* registryPath) {
  return registryPath && *registryPath ? fs::path(registryPath) : Registry::writablePath();
}

template <class F>
int reportingFailure(F&& action) {
  lastError.clear();
  try {
    action();
    return 0;
  } catch (const Error& e) {
    lastError = std::to_string(e.number()) + " " + e.description();
  } catch (const std::exception& e) {
    lastError = e.what();
  }
  return 1;
}

}  // namespace

const std::string& lastServerError() { return lastError; }

ClassFactory::~ClassFactory() = default;

class Server::Factory final : public ClassFactory {
 public:
  Factory(Server& server, const ClassInfo& info, std::function<std::shared_ptr<Object>()> make)
      : server_(server), info_(info), make_(std::move(make)) {}

  const ClassInfo& classInfo() const override { return info_; }

  std::shared_ptr<Object> create() override {
    const std::shared_ptr<void> scope = server_.callScope_ ? server_.callScope_() : nullptr;
    if (server_.startThread_) server_.startThread_();
    std::shared_ptr<Object> object = make_();
    object->setCallScope(server_.callScope_);
    return object;
  }

 private:
  Server& server_;
  const ClassInfo& info_;
  std::function<std::shared_ptr<Object>()> make_;
};

Server::Server(std::string typeLibrary, std::string helpText, std::function<void()> startThread,
               Object::CallScope callScope)
    : typeLibrary_(std::move(typeLibrary)),
      helpText_(std::move(helpText)),
      startThread_(std::move(startThread)),
      callScope_(callScope) {}

Server::~Server() = default;

void Server::addClass(const ClassInfo& info, std::function<std::shared_ptr<Object>()> make) {
  factories_.push_back(std::make_unique<Factory>(*this, info, std::move(make)));
}

ClassFactory* Server::factory(std::string_view progId) {
  for (const auto& f : factories_) {
    if (conv::SameText(f->classInfo().progId, progId)) return f.get();
  }
  return nullptr;
}

int Server::registerServer(const char* registryPath, const void* addressInLibrary) {
  return reportingFailure([&] {
    const fs::path library = libraryFile(addressInLibrary);
    Registry::update(registryFile(registryPath), [&](Registry& registry) {
      for (const auto& f : factories_) {
        const ClassInfo& info = f->classInfo();
        RegistryEntry entry;
        entry.progId = info.progId;
        entry.className = info.className;
        entry.interfaceName = info.interfaceName;
        entry.library = library;
        entry.clsid = info.clsid;
        entry.typeLibrary = typeLibrary_;
        entry.helpText = helpText_;
        registry.put(std::move(entry));
      }
    });
  });
}

int Server::unregisterServer(const char* registryPath, const void* addressInLibrary) {
  return reportingFailure([&] {
    const fs::path library = libraryFile(addressInLibrary);
    const fs::path file = registryFile(registryPath);
    std::error_code ec;
    if (!file.empty() && !fs::exists(file, ec)) return;  // nothing registered anywhere
    Registry::update(file, [&](Registry& registry) { registry.removeLibrary(library); });
  });
}

}  // namespace vt::automation
