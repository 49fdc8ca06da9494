#pragma once
// The print button of the main window: the summary receipt of the chosen company and period
// through the report control, with the company's signatories and the program's version.

#include <string>

#include "platform/profile/configuracion.hpp"
#include "shell/core/control_reporte.hpp"
#include "shell/core/ventana_ats.hpp"

namespace ambrix {

inline constexpr const char* kArchivoTalon = "tolvexATS_TalonResumen.rpt";
inline constexpr const char* kTituloTalon = "Talon Resumen ATS";
inline constexpr const char* kMensajeSinEmpresa = "Error, al recuperar informacion Empresas ";
inline constexpr const char* kMensajeEmpresaNoEncontrada = "Informacion de empresa no encontrado...";

// The report's connection text (quotes included) for the engine, and its report folder; false for
// an engine that has neither, which leaves both untouched.
bool conexionReporte(const vt::ContextoConfiguracion& ctx, std::string& sConnect, std::string& sCarpeta);

// Product name, a blank and the version: formula no_exe.
std::string versionPrograma();

// cmdImprimir_Click on the window's inputs.
void cmdImprimir_Click(const DatosVentanaATS& d, IVentanaATS& frm, IControlReporte& rptTalonResumen);

}  // namespace ambrix
