#pragma once
// Message boxes as transcript lines: "MSGBOX <ICON> <title>: <text>", each line break of the text
// shown as the two characters "\n". Yes/no boxes take their answers, in order, from a list given at
// construction; when it runs out the answer is No. OK boxes answer Aceptar and take no answer.

#include <cstddef>
#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

#include "platform/errors/mensajes.hpp"

namespace vt {

class MensajesConsola : public Mensajes {
 public:
  explicit MensajesConsola(std::ostream& out, std::vector<Respuesta> respuestas = {});
  Respuesta mostrar(const std::string& texto, Botones botones, Icono icono,
                    const std::string& titulo) override;

 private:
  std::ostream& out_;
  std::vector<Respuesta> respuestas_;
  std::size_t siguiente_ = 0;
  std::mutex mutex_;
};

// The text with every CRLF, LF or lone CR written as the two characters "\n".
std::string lineaTranscripcion(const std::string& texto);

}  // namespace vt
