#include "platform/profile/configuracion.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/errors/muestra_error.hpp"
#include "platform/profile/ini_file.hpp"
#include "platform/profile/legacy_integer.hpp"
#include "platform/profile/perfil.hpp"
#include "platform/profile/system_info.hpp"
#include "platform/profile/text_file.hpp"

namespace vt {
namespace {

ContextoConfiguracion& processConfiguration() {
  static ContextoConfiguracion ctx;
  return ctx;
}

thread_local ContextoConfiguracion* threadConfiguration = nullptr;

// Dates are read and written in the calling thread's regional short date, wherever the conversion
// runs (loader, validators, by-name calls).
std::string_view regionalShortDate() { return currentConfiguration().regional.gsFormatoFecha; }
[[maybe_unused]] const bool kShortDateInstalled = (conv::SetShortDateSource(&regionalShortDate), true);
// Number texts may carry the thread's regional decimal comma ("1,50").
std::string_view regionalDecimal() { return currentConfiguration().regional.gsSepDecimal; }
[[maybe_unused]] const bool kDecimalInstalled = (conv::SetDecimalSeparatorSource(&regionalDecimal), true);

// A folder as the program uses it: trimmed, ending in "/".
std::string asFolder(const std::string& path) { return withTrailingSlash(conv::Trim(path)); }

std::int16_t asInt16(const std::string& text, const std::string& source) {
  return static_cast<std::int16_t>(profile::legacyInteger(text, -32768, 32767, source));
}

void readSettings(const profile::IniText& file, ContextoConfiguracion& ctx) {
  ConfiguracionSistema& s = ctx.sistema;
  // As gfLeeIni reads each key, from the file read and parsed once.
  auto read = [&](const char* section, const char* key, std::string_view fallback) {
    return file.value(section, key).value_or(conv::Trim(fallback));
  };
  s.gsPathApp = read("PATH", "Path_App", "0");
  s.gsPathReportAccess = read("PATH", "Path_Report_Access", "0");
  s.gsPathReportSQL = read("PATH", "Path_Report_SQL", "0");
  s.gsPathReportOracle = read("PATH", "Path_Report_ORACLE", "0");
  s.gsPathDB = read("PATH", "Path_db", "0");
  s.gsPathLog = read("PATH", "Path_Log", s.gsPathApp);
  s.gsPathBrelvica = read("PATH", "Path_Brelvica", "0");

  s.gsFechaCorta = read("CONFIGURACION", "FechaCorta", ctx.regional.gsFormatoFecha);
  s.gsHora = read("CONFIGURACION", "Hora", ctx.regional.gsFormatoHora);
  s.gsFechaHora = s.gsFechaCorta + " " + s.gsHora;

  s.gsDsCompras = read("DEFAULT", "Ds_COMPRAS", "");
  s.gsDsVentas = read("DEFAULT", "DS_VENTAS", "");
  s.giRegsMaxConsulta = asInt16(read("DEFAULT", "RegsMaxConsulta", "100"), ctx.gsTituloApp);
  s.gsQuessaNet = read("DEFAULT", "QuessaNet", "0");
  s.gsCxP = read("DEFAULT", "CxP", "N");

  s.gsTipoConexion = conv::Upper(read("DATABASE", "dbTypeConexion", "Access"));
  s.gsMotorBD = conv::Upper(read("DATABASE", "dbTypeServer", "Access"));
  s.gsServidorBD = conv::Upper(read("DATABASE", "dbNameServer", ""));
  s.gsNombreBD = conv::Upper(read("DATABASE", "dbNameDB", "global.mdb"));
  s.gsUsuarioBD = read("DATABASE", "dbUser", "admin");
  s.gsClaveBD = read("DATABASE", "dbpassword", "");
  s.gsProveedorBD = read("DATABASE", "dbProvider_OLEDB", "Microsoft.Jet.OLEDB.4.0");
  s.giTimeoutBD = asInt16(read("DATABASE", "dbTimeout", "90"), ctx.gsTituloApp);
  s.gsDSN = read("DATABASE", "dbDSN", "TolvexAccess");

  if (conv::Trim(s.gsPathApp).empty()) s.gsPathApp = ctx.programFolder;
  s.gsPathApp = asFolder(s.gsPathApp);
  s.gsPathDB = asFolder(s.gsPathDB);
}

}  // namespace

bool gfCargaConfiguracion(ContextoConfiguracion& ctx) {
  try {
    gsCargaConfRegional(ctx);
    ctx.gsUsuario = userName();
    if (ctx.programFolder.empty()) ctx.programFolder = programConfigFolder();
    const std::string file = joinPath(ctx.programFolder, kArchivoConfiguracion);
    if (!gfExisteArchivo(file)) {
      Err().Raise(kErrorPropio, ctx.gsTituloApp, "No existe archivo de configuracion del sistema TAXCONFIG.INI");
    }
    ReadFailure why = ReadFailure::CannotRead;
    std::optional<profile::IniText> ini = profile::readIniFile(file, &why);
    if (!ini && why == ReadFailure::NotRegularFile) {
      Err().Raise(kErrorPropio, ctx.gsTituloApp, "No existe archivo de configuracion del sistema TAXCONFIG.INI");
    }
    if (!ini && why == ReadFailure::TooLarge) {
      Err().Raise(kErrorPropio, ctx.gsTituloApp,
                  "El archivo de configuracion del sistema TAXCONFIG.INI excede el tamaño admitido (" +
                      std::to_string(kMaxProfileBytes >> 20) + " MB)");
    }
    // A file that cannot be read gives every key its default, as each read of a key did.
    if (!ini) ini.emplace(std::string());
    readSettings(*ini, ctx);
    return true;
  } catch (...) {
    Err().captureCurrentException(ctx.gsTituloApp);
    reportCurrentError("Ocurrió un error al intentar obtener los parámetros de configuración", ctx.gsTituloApp);
    return false;
  }
}

bool gfCargaConfiguracion() { return gfCargaConfiguracion(currentConfiguration()); }
void gsCargaConfRegional() { gsCargaConfRegional(currentConfiguration()); }
void gsCargaEstacion() { gsCargaEstacion(currentConfiguration()); }

ContextoConfiguracion& currentConfiguration() {
  return threadConfiguration ? *threadConfiguration : processConfiguration();
}

ContextoConfiguracion* setThreadConfiguration(ContextoConfiguracion* ctx) {
  ContextoConfiguracion* previous = threadConfiguration;
  threadConfiguration = ctx;
  return previous;
}

}  // namespace vt
