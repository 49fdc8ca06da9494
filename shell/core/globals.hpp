#pragma once
// The program's process-wide values, in one place for the start-up, the main action and the
// window. The settings (TAXCONFIG.INI, regional formats, station, user) are the process context
// of the profile module: vt::currentConfiguration().

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/database/connection.hpp"

namespace ambrix {

// Title of every message box of the program.
inline constexpr const char* gsTitulo = "Tolvex";
// The program's own title (the library has its own): the start-up puts it into the settings,
// whose loaders raise and report with it; the standard handler and the XML writer's box use it.
inline constexpr const char* gsTituloApp = "Ambrix";
// Prefix of the annex XML file name.
inline constexpr const char* gsPrefijoXML = "AT";

// Month names, index 0 = January; index 12 stays empty.
extern const std::array<std::string, 13> gaMeses;

// The program's one connection. Closed (never null) until the first gsConectaBD, which replaces it.
extern std::shared_ptr<vt::db::Connection> gConexion;

// The company parameters of tbParaSistema (gfCargaParametros).
struct ParametrosEmpresa {
  std::string gsPorcIVA;
  double gcPorcIESS = 0;
  std::string gsCtrlCmprCompras;
  std::string gsCtrlCmprVentas;
  std::string gsCtrlCmprRet;
  std::int16_t giNumSustTrib = 0;
  std::int16_t giNumCodIR = 0;
};
extern ParametrosEmpresa gParametrosEmpresa;

// The process-wide cancel flag: each sheet routine sets it when it starts; the cancel button
// clears it while a pass runs.
extern bool gbContinuarProceso;

// The error log of the current main action: its file name and its full path.
extern std::string gsArchivoLog;
extern std::string gsRutaLog;

}  // namespace ambrix
