#include "xml/esquema.hpp"

#include <libxml/xmlerror.h>
#include <libxml/xmlreader.h>
#include <unistd.h>

#include <climits>
#include <string_view>

namespace ambrix::xml {

namespace {

// The faults libxml2 reports while the file is read, the first few kept.
struct Fallos {
  std::vector<std::string> asTextos;
  bool bAlguno = false;
};

void recoge(void* datos, xmlErrorPtr error) {
  auto& fallos = *static_cast<Fallos*>(datos);
  if (!error || error->level < XML_ERR_ERROR) return;
  fallos.bAlguno = true;
  if (fallos.asTextos.size() >= kFallosMostrados) return;
  std::string_view texto = error->message ? error->message : "";
  while (!texto.empty() && (texto.back() == '\n' || texto.back() == ' ')) texto.remove_suffix(1);
  fallos.asTextos.push_back("línea " + std::to_string(error->line) + ": " + std::string(texto));
}

// libxml2's own faults outside the reader (while it loads the schema file, say) would go to
// standard error: they are gathered with the rest while the check runs.
class ManejadorGlobal {
 public:
  explicit ManejadorGlobal(Fallos& fallos)
      : anterior_(xmlStructuredError), datosAnteriores_(xmlStructuredErrorContext) {
    xmlSetStructuredErrorFunc(&fallos, recoge);
  }
  ~ManejadorGlobal() { xmlSetStructuredErrorFunc(datosAnteriores_, anterior_); }
  ManejadorGlobal(const ManejadorGlobal&) = delete;
  ManejadorGlobal& operator=(const ManejadorGlobal&) = delete;

 private:
  xmlStructuredErrorFunc anterior_;
  void* datosAnteriores_;
};

}  // namespace

RevisionEsquema revisaEsquema(const std::string& sArchivo, const std::string& sEsquema) {
  RevisionEsquema r;
  Fallos fallos;
  const ManejadorGlobal manejador(fallos);
  xmlTextReaderPtr lector = xmlReaderForFile(sArchivo.c_str(), nullptr, XML_PARSE_NONET);
  if (!lector) {
    r.bEsquemaLeido = true;
    r.asFallos =
        fallos.asTextos.empty() ? std::vector<std::string>{"no se puede leer " + sArchivo} : fallos.asTextos;
    return r;
  }
  xmlTextReaderSetStructuredErrorHandler(lector, recoge, &fallos);
  r.bEsquemaLeido = xmlTextReaderSchemaValidate(lector, sEsquema.c_str()) == 0;
  if (!r.bEsquemaLeido) {
    xmlFreeTextReader(lector);
    r.asFallos = fallos.asTextos;
    return r;
  }
  int leido = 0;
  while ((leido = xmlTextReaderRead(lector)) == 1 && fallos.asTextos.size() < kFallosMostrados) {
  }
  // The reader's own verdict counts too: a fault it reports without a message is still one.
  const bool bValido = leido == 0 && xmlTextReaderIsValid(lector) == 1;
  xmlFreeTextReader(lector);
  r.bCumple = bValido && !fallos.bAlguno;
  r.asFallos = fallos.asTextos;
  return r;
}

std::string rutaEsquemaATS() {
  char ruta[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", ruta, sizeof ruta - 1);
  if (n <= 0) return "share/ambrix/ats.xsd";
  std::string programa(ruta, static_cast<std::size_t>(n));
  const std::size_t barra = programa.rfind('/');
  return programa.substr(0, barra == std::string::npos ? 0 : barra) + "/../share/ambrix/ats.xsd";
}

}  // namespace ambrix::xml
