#include "shell/core/avisos.hpp"

#include "platform/errors/err_object.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/muestra_error.hpp"
#include "shell/core/globals.hpp"

namespace ambrix {

void showBox(const std::string& sTexto, vt::Icono icono) {
  vt::currentMessages().mostrar(sTexto, vt::Botones::Aceptar, icono, gsTitulo);
}

void showCurrentError(const std::string& sPrefijo) {
  vt::ErrObject& err = vt::Err();
  err.captureCurrentException(gsTitulo);
  const std::string texto = sPrefijo + std::to_string(err.Number) + " " + err.Description;
  // The routine handled the error: it does not stay behind as the last error.
  err.Clear();
  showBox(texto, vt::Icono::Critico);
}

void reportUnexpectedError() {
  vt::Err().captureCurrentException(gsTitulo);
  vt::reportCurrentError("Ocurrió un error ", gsTituloApp);
}

}  // namespace ambrix
