#pragma once
// The main action of the main window (cmdProcesar_Click) and its cancel button, without a window:
// the window's inputs come as a snapshot, its controls through IVentanaATS, messages through the
// current notifier, the import and the XML writer through their interfaces.

#include "shell/core/ventana_ats.hpp"

namespace ambrix {

inline constexpr const char* kTituloVisorErrores = "Consulta de Archivo de errores";

// One run: the checks of the choices, the error log of the period, the validation and store
// passes, the XML file and the record of its name in TAXCONFIG.INI. txtFileATS_XML of the
// snapshot and of the window gain ".XML" when they lack it. True when the run went to its end
// and wrote [PATH_Files] ATS; false when a check, a status or an unexpected error stopped it, or
// when TAXCONFIG.INI could not be written (which the user is not told, as always).
// How a run ended, which the batch program reports in its exit status: Completo when every ticked
// sheet was validated and stored with all its rows and the XML file, when asked, was written and
// passed the schema; ConRechazos when the same holds but the database refused some rows; Fallido
// when a store failed (nothing of that sheet stored), the annex writer failed (no file, or one the
// authority's schema refuses) or an unexpected error ended the run; Detenido when a check, the
// validation, a sheet that could not be loaded or the user stopped it (a store cancelled too,
// although the run then goes on to the XML file). Whether the name could be recorded in
// TAXCONFIG.INI does not change it.
enum class FinProceso { Completo, ConRechazos, Detenido, Fallido };
bool cmdProcesar_Click(DatosVentanaATS& datos, IVentanaATS& frm, IImportadorATS& importador,
                       IGeneradorXML& generador, FinProceso* pFin = nullptr);

// The cancel button: clears gbContinuarProceso and disables itself.
void cmdCancel_Click(IVentanaATS& frm);

}  // namespace ambrix
