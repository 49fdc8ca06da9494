#pragma once
// Message boxes of the program's routines: through the current notifier, titled gsTitulo.

#include <string>

#include "platform/errors/mensajes.hpp"

namespace ambrix {

void showBox(const std::string& sTexto, vt::Icono icono);

// Shows sPrefijo + number + " " + description of the exception being handled (critical icon).
// Call only inside a catch block.
void showCurrentError(const std::string& sPrefijo);

// The standard handler of the program's routines: records the exception being handled and reports
// it under "Ocurrió un error ". Call only inside a catch block.
void reportUnexpectedError();

}  // namespace ambrix
