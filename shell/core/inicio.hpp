#pragma once
// The start-up of the program without its window: settings, connection, the lists of the main
// window, the company parameters. Shared by the Qt window and the batch program.

#include <string>

#include "platform/conversions/datetime.hpp"
#include "shell/core/lista_combo.hpp"

namespace ambrix {

// The lists of frm_ATS_SubirExcel that the start-up fills.
struct ListasVentanaATS {
  IListaCombo& cmbEmpresas;
  IListaCombo& cmbMeses;
  IListaCombo& cmbanios;
  IListaCombo& cmbTipo_file;
  IListaCombo& cmbValidaCompras;
};

// How the start-up ended. The window closes only when the settings failed; after the other two
// failures it stays, as far as it was built, with the messages already shown.
enum class ResultadoInicio {
  ConfiguracionFallida,  // TAXCONFIG.INI could not be loaded: nothing else ran
  SinConexion,           // the database could not be reached
  ErrorInesperado,       // an unexpected error on an open connection, shown by the standard handler
  SinParametros,         // no company parameters: no company selected, validation levels empty
  Completo,
};

// Whether the start-up ended before the lists were usable (the three failures above).
constexpr bool inicioFallido(ResultadoInicio r) {
  return r == ResultadoInicio::ConfiguracionFallida || r == ResultadoInicio::SinConexion ||
         r == ResultadoInicio::ErrorInesperado;
}

inline constexpr const char* kMensajeSinParametros = "No existen parametros de empresa seleccionada ";
inline constexpr const char* kMensajeAnioCompleto =
    "Esta característica no permite generar archivos XML automáticamente.";

// Loads the settings into the current context (from its programFolder), connects, fills the
// lists (months and years for hoy), loads the company parameters, selects the first company (whose
// parameters are then loaded) and closes the connection. Failures are shown through the current
// notifier. Without company parameters the connection is left open, as it always was. An engine
// that opens nothing (MYSQL or an unknown name) goes on to the company list, whose select fails
// on the unopened connection: the user sees that error and the standard handler's message.
ResultadoInicio gfIniciarPrograma(ListasVentanaATS& listas, const vt::conv::Date& hoy);

// What choosing a company loads: the parameters of the selected company, or the first row of
// tbParaSistema when it has none of its own. Connects for the duration when gConexion is closed;
// an error is reported with the standard handler.
void cmbEmpresas_Click(const IListaCombo& cmbEmpresas);

// The default XML file name of a period: gsPrefijoXML + two-digit month (list index + 1) + year
// + ".XML".
std::string xmlFileName(int iIndiceMes, const std::string& sAnio);

// What the window's option handlers do, shared by the window and the batch program.
// Chkanio_Click: the message when the whole year is ticked; the result is the value chkXML takes
// (unticked and hidden with the whole year, ticked and shown again without it).
int applyWholeYear(int Chkanio);
// chkXML_Click and the list clicks: the period's file name while chkXML is ticked, else "".
std::string xmlFileNameShown(int chkXML, int iIndiceMes, const std::string& sAnio);

}  // namespace ambrix
