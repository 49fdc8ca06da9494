#include "xml/esquema.hpp"

#include <libxml/xmlerror.h>
#include <libxml/xmlreader.h>
#include <unistd.h>

#include <climits>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
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

namespace {

// Reads what `lector` gives against the schema, with the faults gathered from its opening on;
// sOrigen names what could not be read when the reader could not be made.
RevisionEsquema revisa(xmlTextReaderPtr lector, Fallos& fallos, const std::string& sEsquema,
                       const std::string& sOrigen) {
  RevisionEsquema r;
  if (!lector) {
    r.bEsquemaLeido = true;
    r.asFallos = fallos.asTextos.empty() ? std::vector<std::string>{"no se puede leer " + sOrigen} : fallos.asTextos;
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

}  // namespace

RevisionEsquema revisaEsquema(const std::string& sArchivo, const std::string& sEsquema) {
  Fallos fallos;
  const ManejadorGlobal manejador(fallos);
  return revisa(xmlReaderForFile(sArchivo.c_str(), nullptr, XML_PARSE_NONET), fallos, sEsquema, sArchivo);
}

// The bytes handed from the writer to the check, in blocks; the writer waits while kBloques are
// queued, and drops what comes after the check has ended (at its fault limit, say).
struct RevisionEnCurso::Cola {
  static constexpr std::size_t kBloque = 256 * 1024;
  static constexpr std::size_t kBloques = 16;

  std::mutex m;
  std::condition_variable cambio;
  std::deque<std::string> bloques;
  std::size_t leidoDelPrimero = 0;
  bool fin = false;        // the writer has handed everything
  bool abandona = false;   // the writer failed: the check stops
  bool terminada = false;  // the check has ended and takes nothing more
  std::string actual;      // the block being filled; the writer's alone
  RevisionEsquema resultado;

  void entrega(std::string bloque) {
    std::unique_lock<std::mutex> lock(m);
    cambio.wait(lock, [&] { return bloques.size() < kBloques || terminada; });
    if (terminada) return;
    bloques.push_back(std::move(bloque));
    cambio.notify_all();
  }

  // libxml2's read callback: the next bytes, 0 at the end, -1 when abandoned.
  static int lee(void* datos, char* buffer, int largo) {
    Cola& c = *static_cast<Cola*>(datos);
    std::unique_lock<std::mutex> lock(c.m);
    c.cambio.wait(lock, [&] { return !c.bloques.empty() || c.fin || c.abandona; });
    if (c.abandona) return -1;
    if (c.bloques.empty()) return 0;
    const std::string& primero = c.bloques.front();
    const std::size_t n = std::min(static_cast<std::size_t>(largo), primero.size() - c.leidoDelPrimero);
    std::memcpy(buffer, primero.data() + c.leidoDelPrimero, n);
    c.leidoDelPrimero += n;
    if (c.leidoDelPrimero == primero.size()) {
      c.bloques.pop_front();
      c.leidoDelPrimero = 0;
      c.cambio.notify_all();
    }
    return static_cast<int>(n);
  }
  static int cierra(void*) { return 0; }
};

RevisionEnCurso::RevisionEnCurso(const std::string& sEsquema) : cola_(std::make_unique<Cola>()) {
  xmlInitParser();  // once, before a second thread uses the library
  hilo_ = std::thread([cola = cola_.get(), sEsquema] {
    Fallos fallos;
    const ManejadorGlobal manejador(fallos);
    RevisionEsquema r = revisa(xmlReaderForIO(&Cola::lee, &Cola::cierra, cola, nullptr, nullptr, XML_PARSE_NONET),
                               fallos, sEsquema, "el archivo");
    const std::lock_guard<std::mutex> lock(cola->m);
    cola->resultado = std::move(r);
    cola->terminada = true;
    cola->bloques.clear();
    cola->cambio.notify_all();
  });
}

RevisionEnCurso::~RevisionEnCurso() {
  if (!hilo_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(cola_->m);
    cola_->abandona = true;
    cola_->cambio.notify_all();
  }
  hilo_.join();
}

void RevisionEnCurso::agrega(std::string_view bytes) {
  Cola& c = *cola_;
  c.actual.append(bytes);
  if (c.actual.size() < Cola::kBloque) return;
  c.entrega(std::move(c.actual));
  c.actual = std::string();
  c.actual.reserve(Cola::kBloque + 4096);
}

RevisionEsquema RevisionEnCurso::termina() {
  Cola& c = *cola_;
  if (!c.actual.empty()) c.entrega(std::move(c.actual));
  {
    const std::lock_guard<std::mutex> lock(c.m);
    c.fin = true;
    c.cambio.notify_all();
  }
  hilo_.join();
  return std::move(c.resultado);
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
