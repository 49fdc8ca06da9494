#include "platform/errors/muestra_error.hpp"

#include "platform/errors/err_object.hpp"
#include "platform/errors/mensajes_actuales.hpp"

namespace vt {

void gsMuestraError(long lNumero, const std::string& sOrigen, const std::string& sDescripcion,
                    const std::string& sArchivoAyuda, const long& lContextoAyuda, const std::string& sMensaje,
                    const long& lNumeroPropio) {
  if (lNumero == 0) return;
  try {
    std::string descripcion = sDescripcion;
    if (!sMensaje.empty() && lNumero != lNumeroPropio) {
      descripcion = sMensaje + "\r\nError: " + std::to_string(lNumero) + "\r\n" + sDescripcion;
    }
    ErrObject& err = Err();
    err.Number = lNumero;
    err.Description = descripcion;
    err.Source = sOrigen;
    if (!sArchivoAyuda.empty()) err.HelpFile = sArchivoAyuda;
    if (lContextoAyuda != 0) err.HelpContext = lContextoAyuda;
    // The help file and context stay in the error object: no help viewer goes with the box.
    currentMessages().mostrar(err.Description, Botones::Aceptar, Icono::Exclamacion, err.Source);
  } catch (...) {
    // Reporting an error must never raise another one.
  }
}

void reportCurrentError(const std::string& sMensaje, const std::string& sTituloApp) {
  const ErrObject& err = Err();
  const long propio = kErrorPropio;
  const long contexto = 0;
  gsMuestraError(err.Number, sTituloApp, err.Description + "(" + err.Source + ")", "", contexto, sMensaje,
                 propio);
}

}  // namespace vt
