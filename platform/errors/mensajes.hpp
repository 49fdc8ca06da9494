#pragma once
// The seam through which core code talks to the user: message boxes and yes/no prompts.
// The Qt window, the batch transcript and the tests' recording fake implement it.

#include <string>

namespace vt {

enum class Icono { Ninguno, Informacion, Exclamacion, Critico, Pregunta };
enum class Botones { Aceptar, SiNo };
enum class Respuesta { Aceptar, Si, No };

// Upper-case Spanish name of an icon as printed in transcripts ("EXCLAMACION").
const char* nombreIcono(Icono icono);

class Mensajes {
 public:
  virtual ~Mensajes() = default;
  // Shows one box; returns the user's answer (Aceptar for an OK box).
  virtual Respuesta mostrar(const std::string& texto, Botones botones, Icono icono,
                            const std::string& titulo) = 0;
};

}  // namespace vt
