#pragma once
// Opening and closing the program's connection gConexion from the configuration.

#include <string>

#include "platform/profile/configuracion.hpp"

namespace ambrix {

// The connection text for the configured engine, as the program has always written it (the layer
// translates the server texts for unixODBC). The file engine's text is its path; "" for an engine
// that opens nothing.
std::string connectionText(const vt::ConfiguracionSistema& cfg);

// Replaces gConexion by a new connection and opens it. The five folders gain a trailing "/".
// A missing database file and a failed open are shown; gConexion then stays closed.
void gsConectaBD();

// Closes gConexion when it is open.
void gsCierraBD();

}  // namespace ambrix
