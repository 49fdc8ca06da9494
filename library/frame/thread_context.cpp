#include "library/frame/thread_context.hpp"

#include "platform/profile/system_info.hpp"

namespace valtrone {
namespace {

ThreadContext& ownContext() {
  thread_local ThreadContext context;
  return context;
}

thread_local ThreadContext* installed = nullptr;

// Any object of the library tells which file the library was loaded from.
const char libraryAnchor = 0;

}  // namespace

ThreadContext& ctx() { return installed ? *installed : ownContext(); }

std::string libraryFolder() { return vt::folderOfAddress(&libraryAnchor); }

void ensureThreadStarted() {
  ThreadContext& c = ctx();
  if (c.started) return;
  // Marked first: a failure below is reported once, not again at every creation.
  c.started = true;
  c.config.gsTituloApp = gsTituloApp;
  c.config.programFolder = vt::configFolder("VALTRONE_CONFIG_DIR", libraryFolder());
  vt::gsCargaConfRegional(c.config);
  // Its result is not looked at: a missing file has been reported and leaves the settings empty.
  vt::gfCargaConfiguracion(c.config);
  vt::gsCargaEstacion(c.config);
}

std::shared_ptr<void> settingsInForce() {
  ThreadContext& c = ctx();
  vt::ContextoConfiguracion* const previous = vt::setThreadConfiguration(&c.config);
  return std::shared_ptr<void>(&c, [previous](void*) { vt::setThreadConfiguration(previous); });
}

ScopedContext::ScopedContext() : previous_(installed) { installed = &fresh_; }
ScopedContext::~ScopedContext() { installed = previous_; }

}  // namespace valtrone
