#pragma once
// Annex files as tests compare and check them: the written version masked, and what xmllint says
// of a file against the committed copy of the authority's schema.

#include <string>

namespace ambrix::testing {

// A document stripped of the writer's own version: the generator comment's "version M.m.r" part
// reads "version @VERSION@".
std::string sinVersion(const std::string& documento);

struct Validacion {
  bool valido = false;
  std::string salida;
};
Validacion validaEsquema(const std::string& ruta);

}  // namespace ambrix::testing
