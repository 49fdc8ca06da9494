#pragma once
// Every module-level variable of the validation library, one copy per host thread: a thread
// never sees another thread's settings or connection. The start routine fills it once per thread.

#include <memory>
#include <optional>
#include <string>

#include "library/frame/modulo.hpp"
#include "platform/conversions/datetime.hpp"
#include "platform/database/connection.hpp"
#include "platform/profile/configuracion.hpp"

namespace valtrone {

struct ThreadContext {
  bool started = false;
  vt::ContextoConfiguracion config;                 // regional formats, TAXCONFIG.INI, station, user
  std::shared_ptr<vt::db::Connection> gdbConexion;  // absent until the first gfAbreConexion
  TpDctosAutorizados tpDctosAutorizados;
  TpEstablecimiento tpEstablecimiento;
  // Last gfFechaServidor: its text, and the time itself only when the server really gave one.
  std::string serverTimeText;
  std::optional<vt::conv::DateTime> serverTime;
  std::string ultimoError;  // the text of the last error, for the master-data messages
};

// The calling thread's context.
ThreadContext& ctx();

// The library's own title: source of its errors and title of its boxes.
inline constexpr const char* gsTituloApp = "Valtrone";

// The start routine: regional settings, TAXCONFIG.INI from the library's folder (or
// $VALTRONE_CONFIG_DIR), station name. Runs once per thread; later calls do nothing.
void ensureThreadStarted();

// Makes the calling thread's settings of the library its current configuration until the token
// is released, as every creation and call by name does: dates and numbers then convert under the
// library's regional settings, whoever the caller is, and the caller's settings come back after.
std::shared_ptr<void> settingsInForce();

// The folder of the library file itself, without a trailing "/".
std::string libraryFolder();

// Gives the calling thread a fresh, not yet started context for the life of the guard.
class ScopedContext {
 public:
  ScopedContext();
  ~ScopedContext();
  ScopedContext(const ScopedContext&) = delete;
  ScopedContext& operator=(const ScopedContext&) = delete;

 private:
  ThreadContext fresh_;
  ThreadContext* previous_;
};

}  // namespace valtrone
