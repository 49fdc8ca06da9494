#pragma once
// Recording notifier for tests: keeps every box shown, answers yes/no boxes from a queue
// (No when the queue is empty) and OK boxes with Aceptar.

#include <deque>
#include <string>
#include <vector>

#include "platform/errors/mensajes.hpp"

namespace vt {

struct MensajeGrabado {
  std::string texto;
  Botones botones = Botones::Aceptar;
  Icono icono = Icono::Ninguno;
  std::string titulo;
};

class MensajesGrabados : public Mensajes {
 public:
  Respuesta mostrar(const std::string& texto, Botones botones, Icono icono,
                    const std::string& titulo) override;

  // Queues the answer of the next yes/no box.
  void responder(Respuesta respuesta) { respuestas.push_back(respuesta); }

  std::vector<MensajeGrabado> mensajes;
  std::deque<Respuesta> respuestas;
};

}  // namespace vt
