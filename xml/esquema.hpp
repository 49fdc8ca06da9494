#pragma once
// The check of a saved annex against the tax authority's schema: the file is read as a stream
// (libxml2's reader with the schema attached), never as a document tree, so a file of any size
// is checked in little memory.

#include <string>
#include <vector>

namespace ambrix::xml {

struct RevisionEsquema {
  bool bEsquemaLeido = false;         // false: the schema itself could not be read
  bool bCumple = false;               // the file is well-formed and the schema takes it
  std::vector<std::string> asFallos;  // the first faults, "línea N: <libxml2's message>"
};

// At most this many faults are kept; the reading stops at the first after them.
inline constexpr std::size_t kFallosMostrados = 3;

RevisionEsquema revisaEsquema(const std::string& sArchivo, const std::string& sEsquema);

// Where the build puts the schema: share/ambrix/ats.xsd beside the programs' bin/ folder, in the
// build tree as in an installed one.
std::string rutaEsquemaATS();

}  // namespace ambrix::xml
