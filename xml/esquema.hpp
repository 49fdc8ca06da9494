#pragma once
// The check of a saved annex against the tax authority's schema: the file is read as a stream
// (libxml2's parser with the schema's validation plugged into its events), never as a document
// tree, so a file of any size is checked in little memory.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace ambrix::xml {

struct RevisionEsquema {
  bool bEsquemaLeido = false;  // false: the schema itself could not be read (asFallos says why)
  bool bCumple = false;        // the file is well-formed and the schema takes it
  // The faults of the first faulty elements, one text per element: where its detail lies in the
  // sheets, "ventas, detalleVentas n.º 2 (cliente X2): ", then every libxml2 message about that
  // element. An element outside the details (the header, a section) has its messages alone.
  std::vector<std::string> asFallos;
};

// At most this many faulty elements are named; the reading stops once they are known.
inline constexpr std::size_t kFallosMostrados = 3;

// The schema is read whole as the programs read their other files, a regular file of at most this
// size, opened without blocking: a FIFO or a device in its place is refused, never waited on.
inline constexpr std::uint64_t kBytesMaximosEsquema = 16ull << 20;

RevisionEsquema revisaEsquema(const std::string& sArchivo, const std::string& sEsquema);

// The same check run on a thread of its own over the bytes of a file as they are written, so that
// a large annex is checked while the rest of it is still read from the database. The bytes are
// those of the saved file, so the verdict is that of revisaEsquema on it. Memory stays bounded: a
// writer that runs ahead of the check waits for it.
class RevisionEnCurso {
 public:
  explicit RevisionEnCurso(const std::string& sEsquema);
  // An unfinished check (the write failed) is abandoned.
  ~RevisionEnCurso();
  RevisionEnCurso(const RevisionEnCurso&) = delete;
  RevisionEnCurso& operator=(const RevisionEnCurso&) = delete;

  // The next bytes of the file; copied.
  void agrega(std::string_view bytes);
  // The end of the file: waits for the verdict. Once only.
  RevisionEsquema termina();

 private:
  struct Cola;
  std::unique_ptr<Cola> cola_;
  std::thread hilo_;
};

// Where the build puts the schema: share/ambrix/ats.xsd beside the programs' bin/ folder, in the
// build tree as in an installed one.
std::string rutaEsquemaATS();

}  // namespace ambrix::xml
