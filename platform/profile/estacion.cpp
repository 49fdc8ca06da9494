#include <optional>

#include "platform/errors/err_object.hpp"
#include "platform/errors/muestra_error.hpp"
#include "platform/profile/configuracion.hpp"
#include "platform/profile/system_info.hpp"

namespace vt {

void gsCargaEstacion(ContextoConfiguracion& ctx) {
  const std::optional<std::string> host = hostName();
  if (!host) {
    Err().Raise(kErrorPropio, ctx.gsTituloApp, "Ocurrió un error al recuperar información de la Estación...");
  }
  // Host names are often fully qualified or longer than the 20 characters the station holds.
  ctx.gsEstacion = stationFromHostName(*host);
}

}  // namespace vt
