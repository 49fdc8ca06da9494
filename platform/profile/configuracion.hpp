#pragma once
// The settings every routine of the system reads: regional formats, TAXCONFIG.INI, station and
// user. They live in a context object: the program fills one for the process at start-up, the
// validation library one per thread; routines read the context they are given, or the calling
// thread's current one.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vt {

// Number and date formats of the regional profile, section "Intl".
struct ConfiguracionRegional {
  std::uint8_t gbDigitos = 0;
  std::string gsFormatoFecha;
  std::string gsFormatoHora;
  std::string gsSepDecimal;
  std::string gsSepFecha;
  std::string gsSepMiles;
  std::string gsSepLista;
  std::string gsFormatoNumero;  // shown only; never a Format mask
};

// The settings of TAXCONFIG.INI. Folders are POSIX paths, used as written (relative ones against
// the current folder; Windows-style values are not converted); gsPathApp and gsPathDB end in "/".
struct ConfiguracionSistema {
  std::string gsPathApp;
  std::string gsPathReportAccess;
  std::string gsPathReportSQL;
  std::string gsPathReportOracle;
  std::string gsPathDB;
  std::string gsPathLog;
  std::string gsPathBrelvica;
  std::string gsFechaCorta;
  std::string gsHora;
  std::string gsFechaHora;
  std::string gsDsCompras;
  std::string gsDsVentas;
  std::int16_t giRegsMaxConsulta = 0;
  std::string gsQuessaNet;
  std::string gsCxP;
  std::string gsTipoConexion;
  std::string gsMotorBD;
  std::string gsServidorBD;
  std::string gsNombreBD;
  std::string gsUsuarioBD;
  std::string gsClaveBD;
  std::string gsProveedorBD;
  std::int16_t giTimeoutBD = 0;
  std::string gsDSN;
};

struct ContextoConfiguracion {
  // The running program's own title ("Ambrix" in the program, "Valtrone" in the library), set by
  // its start-up: source of the errors the loaders raise and title of the boxes they show.
  std::string gsTituloApp;
  ConfiguracionRegional regional;
  ConfiguracionSistema sistema;
  std::string gsEstacion;
  std::string gsUsuario;
  // The program's folder: TAXCONFIG.INI is read here and an empty Path_App stands for it. The
  // library sets it to its own file's folder; left empty, the loader takes programConfigFolder().
  std::string programFolder;
};

// File name of the system configuration inside programFolder.
inline constexpr const char* kArchivoConfiguracion = "TAXCONFIG.INI";

// Fills ctx.regional from the regional profile. A key missing there falls back to the user's
// locale for the separators, to "dd/MM/yyyy", "HH:mm:ss", "/" and 2 decimals, and sList to ";"
// when the decimal separator is "," (else ","). A bad iDigits raises.
void gsCargaConfRegional(ContextoConfiguracion& ctx);
void gsCargaConfRegional();

// Fills ctx.gsEstacion: the short host name upper-cased, at most 20 characters. Raises 4001 when
// the host name cannot be read.
void gsCargaEstacion(ContextoConfiguracion& ctx);
void gsCargaEstacion();

// Fills the regional settings, ctx.gsUsuario and ctx.sistema from programFolder/TAXCONFIG.INI.
// Any failure (missing file, a count that is not a 16-bit integer) is reported through
// gsMuestraError and gives false.
bool gfCargaConfiguracion(ContextoConfiguracion& ctx);
bool gfCargaConfiguracion();

// Every value of ctx.regional and ctx.sistema, then gsEstacion and gsUsuario, as (name, text)
// pairs in the order of the records; numbers in decimal.
std::vector<std::pair<std::string, std::string>> configurationEntries(const ContextoConfiguracion& ctx);

// The calling thread's context: the one installed for the thread, else the process-wide one.
ContextoConfiguracion& currentConfiguration();
// Installs a context for the calling thread only (nullptr removes it); returns the previous.
ContextoConfiguracion* setThreadConfiguration(ContextoConfiguracion* ctx);

}  // namespace vt
