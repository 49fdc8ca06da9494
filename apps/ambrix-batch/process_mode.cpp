#include "apps/ambrix-batch/process_mode.hpp"

#include <memory>
#include <optional>
#include <ostream>

#include "apps/ambrix-batch/receipt_mode.hpp"
#include "apps/ambrix-batch/startup.hpp"
#include "apps/ambrix-batch/state_file.hpp"
#include "apps/ambrix-batch/ventana_batch.hpp"
#include "import/importador_ats.hpp"
#include "platform/profile/configuracion.hpp"
#include "platform/profile/text_file.hpp"
#include "shell/core/fecha_actual.hpp"
#include "shell/core/procesar.hpp"
#include "xml/genera_xml.hpp"

namespace ambrix::batch {

int runProcess(const BatchOptions& options, std::ostream& out, std::ostream& err) {
  vt::ReadFailure why = vt::ReadFailure::CannotRead;
  const std::optional<std::string> estado =
      vt::readWholeFile(options.stateFile, vt::kMaxStateFileBytes, &why);
  if (!estado) {
    // A state file is never used in part: one past the cap is refused whole.
    err << "ambrix-batch: no se puede leer el archivo de estado " << options.stateFile;
    if (why == vt::ReadFailure::NotRegularFile) err << " (no es un archivo regular)";
    if (why == vt::ReadFailure::TooLarge) err << " (excede " << (vt::kMaxStateFileBytes >> 20) << " MB)";
    err << '\n';
    return 2;
  }
  vt::currentConfiguration().programFolder = configurationFolder(options);
  VentanaBatch ventana(out, options.cancelAfterYields);
  ListasVentanaATS listas = ventana.listas();
  if (inicioFallido(gfIniciarPrograma(listas, currentDateTime().date))) return 1;

  std::string error;
  if (!applyState(*estado, ventana, error)) {
    out.flush();
    err << "ambrix-batch: " << error << '\n';
    return 2;
  }
  ventana.takeListSelections();
  if (options.printReceipt) return printReceipt(ventana, options.pdf);
  ImportadorATS importador;
  GeneradorXML generador;
  FinProceso fin = FinProceso::Detenido;
  if (cmdProcesar_Click(ventana.datos, ventana, importador, generador, &fin))
    out << "INI: [PATH_Files] ATS=" << ventana.datos.txtFileATS_XML << '\n';
  // What a script reads of the run, as --help lists it: how it ended, not what it said.
  switch (fin) {
    case FinProceso::Completo:
      return 0;
    case FinProceso::ConRechazos:
      return 4;
    case FinProceso::Detenido:
    case FinProceso::Fallido:
      break;
  }
  return 1;
}

}  // namespace ambrix::batch
