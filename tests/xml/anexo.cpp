#include "tests/xml/anexo.hpp"

#include "ambrix/version.hpp"
#include "tests/support/run_program.hpp"

namespace ambrix::testing {

std::string sinVersion(const std::string& documento) {
  const std::string propia = std::string("Generado por Tolvex version ") + kVersionTexto + " ";
  std::string texto = documento;
  if (const std::size_t p = texto.find(propia); p != std::string::npos)
    texto.replace(p, propia.size(), "Generado por Tolvex version @VERSION@ ");
  return texto;
}

Validacion validaEsquema(const std::string& ruta) {
  vt::testing::RunOptions opciones;
  opciones.streams = vt::testing::Streams::Together;
  const vt::testing::ProgramRun r = vt::testing::runCommand(
      "xmllint --noout --schema " + vt::testing::quoted(XML_SCHEMA) + " " + vt::testing::quoted(ruta), opciones);
  return {r.status == 0, r.out};
}

}  // namespace ambrix::testing
