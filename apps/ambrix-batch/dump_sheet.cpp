#include "apps/ambrix-batch/dump_sheet.hpp"

#include <vector>

#include "import/carga_archivo.hpp"
#include "import/sheet_dump.hpp"
#include "platform/errors/error.hpp"
#include "platform/profile/configuracion.hpp"

namespace ambrix::batch {

int runDumpSheet(const DumpSheetOptions& options, std::ostream& out) {
  // Date cells read in the regional short-date order, as the program's own load reads them.
  try {
    vt::gsCargaConfRegional(vt::currentConfiguration());
  } catch (const vt::Error& e) {
    out << e.description() << '\n';
    return 1;
  }
  std::vector<std::string> archivos(4);
  archivos[static_cast<std::size_t>(options.sheet)] = options.file;
  std::string tipo = options.kind, separador = options.separator, error;
  if (!gfCargaArchivoExcel(tipo, archivos, separador, error)) {
    out << error << '\n';
    return 1;
  }
  writeSheetDump(*gaInfoHoja(options.sheet), out);
  return 0;
}

}  // namespace ambrix::batch
