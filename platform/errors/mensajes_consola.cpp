#include "platform/errors/mensajes_consola.hpp"

#include <ostream>
#include <utility>

namespace vt {

std::string lineaTranscripcion(const std::string& texto) {
  std::string out;
  out.reserve(texto.size());
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const char c = texto[i];
    if (c == '\r') {
      if (i + 1 < texto.size() && texto[i + 1] == '\n') ++i;
      out += "\\n";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

MensajesConsola::MensajesConsola(std::ostream& out, std::vector<Respuesta> respuestas)
    : out_(out), respuestas_(std::move(respuestas)) {}

Respuesta MensajesConsola::mostrar(const std::string& texto, Botones botones, Icono icono,
                                   const std::string& titulo) {
  std::lock_guard lock(mutex_);
  out_ << "MSGBOX " << nombreIcono(icono) << ' ' << lineaTranscripcion(titulo) << ": "
       << lineaTranscripcion(texto) << '\n'
       << std::flush;
  if (botones == Botones::Aceptar) return Respuesta::Aceptar;
  if (siguiente_ < respuestas_.size()) return respuestas_[siguiente_++];
  return Respuesta::No;
}

}  // namespace vt
