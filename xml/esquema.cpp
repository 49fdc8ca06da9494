#include "xml/esquema.hpp"

#include <fcntl.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlschemas.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>

#include "platform/profile/text_file.hpp"

namespace ambrix::xml {

namespace {

// The children of a detail that say where the user finds it in the sheets.
constexpr std::string_view kIdentidad[] = {"idCliente",  "establecimiento",  "puntoEmision",
                                           "secuencial", "secuencialInicio", "codEstab"};
// A longer text is not an identity the user typed; only its start is kept.
constexpr std::size_t kLargoIdentidad = 64;

// The faults libxml2 reports while the file is read, gathered per faulty element, with what places
// each element: the open elements (iva, a section or a header element, a detail, its children),
// the ordinal of the detail among those of its name in its section, and the detail's identity.
// libxml2 judges an element's value after the element's end has reached the handler, so an end
// is applied only at the next event: a fault in between belongs to the element just ended.
class Fallos {
 public:
  bool bAlguno = false;

  void abre(std::string_view sNombre) {
    aplicaCierre();
    abiertos_.push_back({std::string(sNombre), ++ultimoId_});
    if (abiertos_.size() == 2) ordinales_.clear();
    if (abiertos_.size() == 3) {
      detalle_ = Detalle{abiertos_[1].sNombre, abiertos_[2].sNombre, ++ordinales_[abiertos_[2].sNombre],
                         abiertos_[2].id, {}};
    }
    captura_ = nullptr;
    if (abiertos_.size() == 4 && detalle_)
      for (std::string_view campo : kIdentidad)
        if (sNombre == campo) captura_ = &detalle_->campos[std::string(campo)];
  }
  void cierra() {
    aplicaCierre();
    cierrePendiente_ = true;
    captura_ = nullptr;
  }
  void texto(std::string_view sTexto) {
    aplicaCierre();
    if (captura_ && captura_->size() < kLargoIdentidad)
      captura_->append(sTexto.substr(0, kLargoIdentidad - captura_->size()));
  }
  // One libxml2 message, about the innermost element open, or just ended when the validation
  // judges it; the parser's own messages are about where it stands.
  void fallo(std::string_view sMensaje, bool bDelParser) {
    if (bDelParser) aplicaCierre();
    bAlguno = true;
    while (!sMensaje.empty() && (sMensaje.back() == '\n' || sMensaje.back() == ' ')) sMensaje.remove_suffix(1);
    const std::uint64_t id = abiertos_.empty() ? 0 : abiertos_.back().id;
    if (id != 0 && !grupos_.empty() && grupos_.back().elemento == id) {
      grupos_.back().sMensajes += " " + std::string(sMensaje);
      return;
    }
    if (grupos_.size() >= kFallosMostrados) return;
    const bool bEnDetalle = abiertos_.size() >= 3 && detalle_;
    grupos_.push_back({id, bEnDetalle ? detalle_->id : 0, std::string(sMensaje), "", !bEnDetalle && id == 0});
  }
  // The end of the reading, whole or not: every fault is placed with what is known.
  void termina() {
    aplicaCierre();
    for (Grupo& g : grupos_)
      if (!g.ubicado) ubica(g);
  }
  // All the faults to be named are known and placed: nothing more needs to be read.
  bool completo() const {
    if (grupos_.size() < kFallosMostrados) return false;
    for (const Grupo& g : grupos_)
      if (!g.ubicado) return false;
    return true;
  }
  std::vector<std::string> textos() const {
    std::vector<std::string> t;
    for (const Grupo& g : grupos_) t.push_back(g.sUbicacion + g.sMensajes);
    return t;
  }

 private:
  struct Abierto {
    std::string sNombre;
    std::uint64_t id;
  };
  struct Detalle {
    std::string sSeccion;
    std::string sNombre;
    long lOrdinal;
    std::uint64_t id;
    std::map<std::string, std::string> campos;
  };
  struct Grupo {
    std::uint64_t elemento;  // 0: no element was open
    std::uint64_t detalle;   // 0: not inside a detail
    std::string sMensajes;
    std::string sUbicacion;
    bool ubicado;
  };

  void aplicaCierre() {
    if (!cierrePendiente_) return;
    cierrePendiente_ = false;
    const std::uint64_t id = abiertos_.back().id;
    for (Grupo& g : grupos_)
      if (!g.ubicado && (g.detalle == id || (g.detalle == 0 && g.elemento == id))) ubica(g);
    abiertos_.pop_back();
    if (abiertos_.size() < 3) detalle_.reset();
  }

  // The detail as the user finds it: its section, its ordinal, and the client or the voucher.
  void ubica(Grupo& g) const {
    g.ubicado = true;
    if (g.detalle == 0 || !detalle_ || detalle_->id != g.detalle) return;
    const auto campo = [&](const char* nombre) {
      const auto hallado = detalle_->campos.find(nombre);
      return hallado == detalle_->campos.end() ? std::string() : hallado->second;
    };
    std::vector<std::string> partes;
    if (const std::string s = campo("idCliente"); !s.empty()) partes.push_back("cliente " + s);
    if (const std::string s = campo("establecimiento") + campo("puntoEmision"); !s.empty())
      partes.push_back("serie " + s);
    if (const std::string s = campo("secuencial") + campo("secuencialInicio"); !s.empty())
      partes.push_back("secuencial " + s);
    if (const std::string s = campo("codEstab"); !s.empty()) partes.push_back("establecimiento " + s);
    g.sUbicacion = detalle_->sSeccion + ", " + detalle_->sNombre + " n.º " + std::to_string(detalle_->lOrdinal);
    for (std::size_t i = 0; i < partes.size(); ++i) g.sUbicacion += (i == 0 ? " (" : ", ") + partes[i];
    g.sUbicacion += partes.empty() ? ": " : "): ";
  }

  std::vector<Abierto> abiertos_;
  std::uint64_t ultimoId_ = 0;
  bool cierrePendiente_ = false;
  std::map<std::string, long> ordinales_;  // of the open section
  std::optional<Detalle> detalle_;         // the open detail
  std::string* captura_ = nullptr;         // the identity field whose text is being read
  std::vector<Grupo> grupos_;
};

void recoge(void* datos, xmlErrorPtr error) {
  if (!error || error->level < XML_ERR_ERROR) return;
  static_cast<Fallos*>(datos)->fallo(error->message ? error->message : "", error->domain == XML_FROM_PARSER);
}

void alAbrir(void* datos, const xmlChar* nombre, const xmlChar*, const xmlChar*, int, const xmlChar**, int, int,
             const xmlChar**) {
  static_cast<Fallos*>(datos)->abre(reinterpret_cast<const char*>(nombre));
}
void alCerrar(void* datos, const xmlChar*, const xmlChar*, const xmlChar*) { static_cast<Fallos*>(datos)->cierra(); }
void alTexto(void* datos, const xmlChar* texto, int largo) {
  static_cast<Fallos*>(datos)->texto(
      std::string_view(reinterpret_cast<const char*>(texto), static_cast<std::size_t>(largo)));
}

// libxml2's own faults outside the validation's handler (the parser's, while the file or the
// schema is read) would go to standard error: they are gathered with the rest while in scope.
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

// Why the schema's bytes could not be had.
std::string causaEsquema(vt::ReadFailure por) {
  switch (por) {
    case vt::ReadFailure::NotRegularFile:
      return "no es un archivo regular (una carpeta, un dispositivo o una tubería)";
    case vt::ReadFailure::TooLarge:
      return "excede el tamaño admitido (" + std::to_string(kBytesMaximosEsquema >> 20) + " MB)";
    case vt::ReadFailure::CannotRead:
      break;
  }
  return "no existe o no se puede abrir";
}

struct LiberaEsquema {
  void operator()(xmlSchema* s) const { xmlSchemaFree(s); }
};
using Esquema = std::unique_ptr<xmlSchema, LiberaEsquema>;

// The schema from its bytes. The authority's schema is one file (it includes and imports nothing),
// so libxml2 opens no other file while it reads it.
Esquema leeEsquema(const std::string& sEsquema, std::vector<std::string>& asCausas) {
  vt::ReadFailure por = vt::ReadFailure::CannotRead;
  const std::optional<std::string> bytes = vt::readWholeFile(sEsquema, kBytesMaximosEsquema, &por);
  if (!bytes) {
    asCausas = {causaEsquema(por)};
    return nullptr;
  }
  Fallos fallos;
  const ManejadorGlobal manejador(fallos);
  xmlSchemaParserCtxtPtr contexto = xmlSchemaNewMemParserCtxt(bytes->data(), static_cast<int>(bytes->size()));
  if (!contexto) {
    asCausas = {"memoria insuficiente"};
    return nullptr;
  }
  xmlSchemaSetParserStructuredErrors(contexto, recoge, &fallos);
  Esquema esquema(xmlSchemaParse(contexto));
  xmlSchemaFreeParserCtxt(contexto);
  fallos.termina();
  if (!esquema) {
    asCausas = fallos.textos();
    if (asCausas.empty()) asCausas = {"no es un esquema válido"};
  }
  return esquema;
}

// The document read through `lee` (called with `fuente`, -1 to stop) against the schema, with
// the faults gathered in `fallos`; sOrigen names what could not be read when nothing says why.
RevisionEsquema revisa(xmlInputReadCallback lee, void* fuente, Fallos& fallos, const std::string& sEsquema,
                       const std::string& sOrigen) {
  RevisionEsquema r;
  const Esquema esquema = leeEsquema(sEsquema, r.asFallos);
  if (!esquema) return r;
  r.bEsquemaLeido = true;
  const ManejadorGlobal manejador(fallos);
  xmlSchemaValidCtxtPtr validacion = xmlSchemaNewValidCtxt(esquema.get());
  xmlParserInputBufferPtr entrada =
      validacion ? xmlParserInputBufferCreateIO(lee, [](void*) { return 0; }, fuente, XML_CHAR_ENCODING_NONE)
                 : nullptr;
  int resultado = -1;
  if (entrada) {
    xmlSchemaSetValidStructuredErrors(validacion, recoge, &fallos);
    // No tree: the handler only follows where the parser stands, to place the faults.
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = alAbrir;
    sax.endElementNs = alCerrar;
    sax.characters = alTexto;
    resultado = xmlSchemaValidateStream(validacion, entrada, XML_CHAR_ENCODING_NONE, &sax, &fallos);
  }
  if (validacion) xmlSchemaFreeValidCtxt(validacion);
  fallos.termina();
  r.bCumple = resultado == 0 && !fallos.bAlguno;
  r.asFallos = fallos.textos();
  if (!r.bCumple && r.asFallos.empty()) r.asFallos = {"no se puede leer " + sOrigen};
  return r;
}

// A saved file read through its descriptor; the reading stops once the faults are known.
struct ArchivoLeido {
  int fd;
  const Fallos* fallos;

  static int lee(void* datos, char* buffer, int largo) {
    const ArchivoLeido& a = *static_cast<ArchivoLeido*>(datos);
    if (a.fallos->completo()) return -1;
    for (;;) {
      const ssize_t n = ::read(a.fd, buffer, static_cast<std::size_t>(largo));
      if (n >= 0) return static_cast<int>(n);
      if (errno != EINTR) return -1;
    }
  }
};

}  // namespace

RevisionEsquema revisaEsquema(const std::string& sArchivo, const std::string& sEsquema) {
  Fallos fallos;
  const int fd = ::open(sArchivo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    RevisionEsquema r;
    r.bEsquemaLeido = true;
    r.asFallos = {"no se puede leer " + sArchivo};
    return r;
  }
  ArchivoLeido archivo{fd, &fallos};
  RevisionEsquema r = revisa(&ArchivoLeido::lee, &archivo, fallos, sEsquema, sArchivo);
  ::close(fd);
  return r;
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
  const Fallos* fallos = nullptr;  // the check's own: once they are all known, nothing more is read

  void entrega(std::string bloque) {
    std::unique_lock<std::mutex> lock(m);
    cambio.wait(lock, [&] { return bloques.size() < kBloques || terminada; });
    if (terminada) return;
    bloques.push_back(std::move(bloque));
    cambio.notify_all();
  }

  // libxml2's read callback: the next bytes, 0 at the end, -1 when abandoned or when every fault
  // to be named is known.
  static int lee(void* datos, char* buffer, int largo) {
    Cola& c = *static_cast<Cola*>(datos);
    std::unique_lock<std::mutex> lock(c.m);
    if (c.fallos && c.fallos->completo()) return -1;
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
};

RevisionEnCurso::RevisionEnCurso(const std::string& sEsquema) : cola_(std::make_unique<Cola>()) {
  xmlInitParser();  // once, before a second thread uses the library
  hilo_ = std::thread([cola = cola_.get(), sEsquema] {
    Fallos fallos;
    {
      const std::lock_guard<std::mutex> lock(cola->m);
      cola->fallos = &fallos;
    }
    RevisionEsquema r = revisa(&Cola::lee, cola, fallos, sEsquema, "el archivo");
    const std::lock_guard<std::mutex> lock(cola->m);
    cola->resultado = std::move(r);
    cola->fallos = nullptr;
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
