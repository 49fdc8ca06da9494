#pragma once
// The library side of creation by identifier. A library lists its classes in one Server and
// exports the entry points with VT_AUTOMATION_SERVER:
//
//   vt::automation::Server& valtroneServer() {
//     static vt::automation::Server server("Valtrone", "texto de ayuda", &ensureThreadStarted);
//     static const bool classes = (server.add<CLSVarios>().add<CLSImprentas>(), true);
//     (void)classes;
//     return server;
//   }
//   VT_AUTOMATION_SERVER(valtroneServer)

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/object.hpp"

namespace vt::automation {

// Changes whenever the objects exchanged between a program and a library change shape.
inline constexpr int kAbiVersion = 1;

class ClassFactory {
 public:
  virtual ~ClassFactory();
  virtual const ClassInfo& classInfo() const = 0;
  // Runs the library's per-thread start routine first.
  virtual std::shared_ptr<Object> create() = 0;
};

// The exported entry points, looked up by these names:
//   int vt_abi_version();                                   kAbiVersion the library was built with
//   int vt_register_server(const char* registryPath);       0 = done; null path: the default file
//   int vt_unregister_server(const char* registryPath);     0 = done
//   ClassFactory* vt_get_class_object(const char* progId);  nullptr for an identifier not served
//   int vt_can_unload_now();                                1 when no object is alive
using AbiVersionEntry = int (*)();
using RegisterEntry = int (*)(const char*);
using GetClassObjectEntry = ClassFactory* (*)(const char*);
using CanUnloadNowEntry = int (*)();

// Why the last registration entry point of this thread returned failure.
const std::string& lastServerError();

class Server {
 public:
  // startThread runs before each creation (the library's per-thread start routine); callScope
  // around each creation and each call into the objects created.
  Server(std::string typeLibrary, std::string helpText, std::function<void()> startThread = {},
         Object::CallScope callScope = nullptr);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // C derives from Dispatchable<C> and is default-constructible.
  template <class C>
  Server& add() {
    addClass(C::info(), [live = &live_]() -> std::shared_ptr<Object> {
      std::unique_ptr<C> made(new C());
      ++*live;
      return std::shared_ptr<C>(made.release(), [live](C* object) {
        delete object;
        --*live;
      });
    });
    return *this;
  }

  const std::string& typeLibrary() const { return typeLibrary_; }
  const std::string& helpText() const { return helpText_; }
  ClassFactory* factory(std::string_view progId);  // case-insensitive
  // Write or remove this library's entries; `addressInLibrary` is any object of the library,
  // used to find its file. Return 0, or 1 with lastServerError() set.
  int registerServer(const char* registryPath, const void* addressInLibrary);
  int unregisterServer(const char* registryPath, const void* addressInLibrary);
  long liveObjects() const { return live_.load(); }

 private:
  class Factory;
  void addClass(const ClassInfo& info, std::function<std::shared_ptr<Object>()> make);

  std::string typeLibrary_;
  std::string helpText_;
  std::function<void()> startThread_;
  Object::CallScope callScope_;
  std::vector<std::unique_ptr<Factory>> factories_;
  std::atomic<long> live_{0};
};

}  // namespace vt::automation

#define VT_AUTOMATION_EXPORT extern "C" __attribute__((visibility("default")))

// Defines the exported entry points of a library from a function returning its Server.
#define VT_AUTOMATION_SERVER(serverFunction)                                                     \
  namespace {                                                                                    \
  const char vtAutomationAnchor = 0;                                                             \
  }                                                                                              \
  VT_AUTOMATION_EXPORT int vt_abi_version() { return ::vt::automation::kAbiVersion; }            \
  VT_AUTOMATION_EXPORT int vt_register_server(const char* registryPath) {                        \
    return serverFunction().registerServer(registryPath, &vtAutomationAnchor);                   \
  }                                                                                              \
  VT_AUTOMATION_EXPORT int vt_unregister_server(const char* registryPath) {                      \
    return serverFunction().unregisterServer(registryPath, &vtAutomationAnchor);                 \
  }                                                                                              \
  VT_AUTOMATION_EXPORT ::vt::automation::ClassFactory* vt_get_class_object(const char* progId) { \
    return progId ? serverFunction().factory(progId) : nullptr;                                  \
  }                                                                                              \
  VT_AUTOMATION_EXPORT int vt_can_unload_now() { return serverFunction().liveObjects() == 0 ? 1 : 0; }
