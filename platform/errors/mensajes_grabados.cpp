#include "platform/errors/mensajes_grabados.hpp"

namespace vt {

Respuesta MensajesGrabados::mostrar(const std::string& texto, Botones botones, Icono icono,
                                    const std::string& titulo) {
  mensajes.push_back({texto, botones, icono, titulo});
  if (botones == Botones::Aceptar) return Respuesta::Aceptar;
  if (respuestas.empty()) return Respuesta::No;
  const Respuesta r = respuestas.front();
  respuestas.pop_front();
  return r;
}

}  // namespace vt
