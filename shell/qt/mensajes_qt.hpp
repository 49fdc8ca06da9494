#pragma once
// Message boxes of the program as real boxes: installed as the process-wide notifier, so that the
// boxes of the core, of the configuration loader, of the error report and of the library appear
// over the active window.

#include "platform/errors/mensajes.hpp"

namespace ambrix::qt {

class MensajesQt : public vt::Mensajes {
 public:
  vt::Respuesta mostrar(const std::string& texto, vt::Botones botones, vt::Icono icono,
                        const std::string& titulo) override;
};

}  // namespace ambrix::qt
