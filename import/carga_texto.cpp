// Delimited text: header line, no quoting rules, no trimming.

#include <new>

#include "import/carga_archivo.hpp"
#include "import/sheet_loaders.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/profile/text_decoding.hpp"
#include "platform/profile/text_file.hpp"

namespace ambrix {
namespace {

std::string mensajeSeparador(const std::string& ruta, const std::string& sSeparador) {
  return encabezadoError(ruta) + "Tiene demasiadas columnas o el caracter separador '" + sSeparador +
         "'  está muchas veces \r\nRevise columna de Nombres o Montos ";
}

}  // namespace

std::string encabezadoError(const std::string& ruta) { return "Error al cargar archivo " + ruta + "\r\n"; }

bool cargaTextoDelimitado(const std::string& ruta, const std::string& sSeparador, int indice,
                          vt::automation::StringMatrix& hoja, std::string& sError) {
  return cargaTextoDelimitado(ruta, sSeparador, static_cast<long>(columnasRequeridas(indice)), hoja, sError);
}

bool cargaTextoDelimitado(const std::string& ruta, const std::string& sSeparador, long requeridas,
                          vt::automation::StringMatrix& hoja, std::string& sError) try {
  vt::ReadFailure why = vt::ReadFailure::CannotRead;
  std::string bytes =
      vt::readWholeFile(vt::conv::Trim(ruta), kBytesMaximosTexto, &why).value_or(std::string());
  if (bytes.empty() && why == vt::ReadFailure::NotRegularFile) {
    sError = encabezadoError(ruta) + "No es un archivo regular (una carpeta, un dispositivo o una tubería)";
    return false;
  }
  if (bytes.empty() && why == vt::ReadFailure::TooLarge) {
    sError = encabezadoError(ruta) + "El archivo excede el tamaño admitido (" +
             std::to_string(kBytesMaximosTexto >> 20) + " MB)";
    return false;
  }
  if (bytes.empty()) {
    sError = mensajeSeparador(ruta, sSeparador);
    return false;
  }
  const std::string texto = vt::decodeTextFile(bytes);
  bytes.clear();
  bytes.shrink_to_fit();
  const std::vector<std::string_view> lineas = vt::splitLines(texto);
  if (lineas.empty()) {
    sError = mensajeSeparador(ruta, sSeparador);
    return false;
  }
  const long columnas = static_cast<long>(vt::splitFields(lineas[0], sSeparador).size());
  if (columnas < requeridas) {
    sError = encabezadoError(ruta) + "El archivo tiene " + std::to_string(columnas) +
             " columnas; se requieren " + std::to_string(requeridas) + " ";
    return false;
  }
  if (static_cast<long long>(lineas.size()) * columnas > kCeldasMaximas) {
    sError = mensajeSeparador(ruta, sSeparador);
    return false;
  }
  hoja = vt::automation::StringMatrix(0, static_cast<long>(lineas.size()) - 1, 0, columnas - 1);
  for (std::size_t r = 1; r < lineas.size(); ++r) {
    const std::vector<std::string_view> campos = vt::splitFields(lineas[r], sSeparador);
    if (static_cast<long>(campos.size()) > columnas) {
      sError = mensajeSeparador(ruta, sSeparador);
      return false;
    }
    for (std::size_t c = 0; c < campos.size(); ++c)
      hoja.set(static_cast<long>(r), static_cast<long>(c), campos[c]);
  }
  return true;
} catch (const std::bad_alloc&) {
  // A file too big for memory fails like any other unreadable text file.
  sError = mensajeSeparador(ruta, sSeparador);
  return false;
}

}  // namespace ambrix
