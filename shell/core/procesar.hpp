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
// How a run ended: Fallido when a store failed (nothing of that sheet stored) or the annex
// writer failed (no file, or one the authority's schema refuses), which the batch program
// reports in its exit status.
enum class FinProceso { Completo, Detenido, Fallido };
bool cmdProcesar_Click(DatosVentanaATS& datos, IVentanaATS& frm, IImportadorATS& importador,
                       IGeneradorXML& generador, FinProceso* pFin = nullptr);

// The cancel button: clears gbContinuarProceso and disables itself.
void cmdCancel_Click(IVentanaATS& frm);

}  // namespace ambrix
