#pragma once
// The thread's connection gdbConexion: opened from the thread's settings, closed, and the
// database server's clock.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/database/connection.hpp"
#include "platform/errors/error.hpp"
#include "platform/profile/configuracion.hpp"

namespace valtrone {

// What gfAbreConexion does for the configured engine; `opens` false for an engine it does not
// know ("MYSQL" and any other name).
struct ConnectionPlan {
  bool opens = false;
  std::string text;
  std::string user;
  std::string password;
  bool driverText = false;  // SQL Server driver text: client-side cursors, 60-second login
};
ConnectionPlan connectionPlan(const vt::ConfiguracionSistema& s);

// Replaces gdbConexion by a new connection and opens it; failures are shown through the
// notifier, never raised (the connection then stays closed). Returns the failure it showed, so
// that a caller with work on the database does not go on as if connected; nothing when the open
// went well or the engine opens nothing.
std::optional<vt::Error> gfAbreConexion();
// Closes gdbConexion when it is open; the object stays. Errors are raised.
void gfCierraConexion();
// The server's date ("f"), time ("h") or both ("fh"), formatted; or a failure text. The thread's
// context tells whether a real server time was read (ctx().serverTime).
std::string gfFechaServidor(int16_t& status, const std::string& kind);

// The thread's connection; raises 91 when no operation has created it yet.
vt::db::Connection& conexionActual();

}  // namespace valtrone
