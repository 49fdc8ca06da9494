#pragma once
// Loads one sheet file through the loader and shows the array compactly for assertions.

#include <sstream>
#include <string>
#include <vector>

#include "import/carga_archivo.hpp"
#include "import/sheet_dump.hpp"

namespace ambrix::testing {

struct Carga {
  bool ok = false;
  std::string error;
  std::string dump;  // data rows as tab-separated lines
  long ultimaFila = -1, ultimaColumna = -1;
};

inline Carga carga(std::string tipo, int indice, const std::string& ruta, std::string separador = ";") {
  std::vector<std::string> archivos(4);
  archivos[static_cast<std::size_t>(indice)] = ruta;
  Carga c;
  c.ok = gfCargaArchivoExcel(tipo, archivos, separador, c.error);
  const auto& hoja = *gaInfoHoja(indice);
  std::ostringstream out;
  writeSheetDump(hoja, out);
  c.dump = out.str();
  c.ultimaFila = hoja.ubound(1);
  c.ultimaColumna = hoja.ubound(2);
  return c;
}

}  // namespace ambrix::testing
