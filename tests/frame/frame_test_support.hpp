#pragma once
// Pinned surroundings for the frame tests: the build's class registry, a regional profile file,
// and a fresh library context with a database copied from the fixture.

#include <filesystem>

#include "library/frame/thread_context.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "tests/support/temp_folder.hpp"

namespace frame_test {

// Points the automation registry and the regional profile at pinned files (idempotent).
void pinEnvironment();

// The settings of a thread whose TAXCONFIG.INI names the ACCESS file `folder`/global.mdb.
void configureAccess(valtrone::ThreadContext& c, const std::filesystem::path& folder);

// A fresh, started library context for the calling thread with a recorded notifier.
class LibraryFixture {
 private:
  vt::testing::TempFolder temp_{"frame-db"};

 public:
  LibraryFixture();
  valtrone::ThreadContext& context() { return valtrone::ctx(); }

  const std::filesystem::path& folder = temp_.path();
  vt::MensajesGrabados messages;

 private:
  valtrone::ScopedContext scoped_;
  vt::ScopedThreadMessages guard_{messages};
};

}  // namespace frame_test
