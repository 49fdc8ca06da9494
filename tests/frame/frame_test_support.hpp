#pragma once
// Pinned surroundings for the frame tests: a temporary folder, the build's class registry, a
// regional profile file, and a fresh library context with a database copied from the fixture.

#include <filesystem>
#include <string>

#include "library/frame/thread_context.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"

namespace frame_test {

// A new empty folder under the test temporary folder.
std::filesystem::path freshFolder(const std::string& name);
void writeFile(const std::filesystem::path& file, const std::string& text);
// A copy of the fixture database at `file`.
void copyFixture(const std::filesystem::path& file);
// Points the automation registry and the regional profile at pinned files (idempotent).
void pinEnvironment();

// The settings of a thread whose TAXCONFIG.INI names the ACCESS file `folder`/global.mdb.
void configureAccess(valtrone::ThreadContext& c, const std::filesystem::path& folder);

// A fresh, started library context for the calling thread with a recorded notifier.
class LibraryFixture {
 public:
  LibraryFixture();
  valtrone::ThreadContext& context() { return valtrone::ctx(); }

  std::filesystem::path folder;
  vt::MensajesGrabados messages;

 private:
  valtrone::ScopedContext scoped_;
  vt::ScopedThreadMessages guard_{messages};
};

}  // namespace frame_test
