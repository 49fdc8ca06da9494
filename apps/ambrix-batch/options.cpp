#include "apps/ambrix-batch/options.hpp"

#include <string_view>

namespace ambrix::batch {
namespace {

// A mode may be chosen once.
bool setMode(BatchOptions& options, Mode mode, std::string& error) {
  if (options.mode != Mode::None && options.mode != mode) {
    error = "se indicó más de una acción";
    return false;
  }
  options.mode = mode;
  return true;
}

// The options of --dump-sheet; the mode is set by the file option.
bool parseDumpSheetOption(BatchOptions& o, std::string_view arg, const std::string& value,
                          std::string& error) {
  if (arg == "--dump-sheet") {
    o.dumpSheet.file = value;
    return setMode(o, Mode::DumpSheet, error);
  }
  if (arg == "--tipo") {
    if (value != "xls" && value != "csv") error = "--tipo debe ser xls o csv";
    o.dumpSheet.kind = value;
  } else if (arg == "--hoja") {
    if (value.size() != 1 || value[0] < '0' || value[0] > '3')
      error = "--hoja debe ser 0, 1, 2 o 3";
    else
      o.dumpSheet.sheet = value[0] - '0';
  } else {
    o.dumpSheet.separator = value;
  }
  return error.empty();
}

}  // namespace

ParseResult parseOptions(const std::vector<std::string>& args) {
  ParseResult result;
  BatchOptions& o = result.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      setMode(o, Mode::Help, result.error);
    } else if (arg == "--dump-config") {
      setMode(o, Mode::DumpConfig, result.error);
    } else if (arg == "--dump-sheet" || arg == "--tipo" || arg == "--hoja" || arg == "--separador") {
      if (i + 1 >= args.size()) {
        result.error = "falta el valor después de " + std::string(arg);
      } else if (!parseDumpSheetOption(o, arg, args[++i], result.error)) {
        return result;
      }
    } else if (arg == "--list") {
      setMode(o, Mode::List, result.error);
    } else if (arg == "--config-dir") {
      if (i + 1 >= args.size()) {
        result.error = "falta la carpeta después de --config-dir";
      } else {
        o.configDir = args[++i];
      }
    } else if (arg.starts_with("--config-dir=")) {
      o.configDir = std::string(arg.substr(13));
    } else {
      result.error = "opción desconocida: " + std::string(arg);
    }
    if (!result.error.empty()) return result;
  }
  if (o.mode == Mode::None) result.error = "no se indicó ninguna acción";
  return result;
}

const char* usageText() {
  return "Uso: ambrix-batch [--config-dir CARPETA] ACCION\n"
         "  --config-dir CARPETA  carpeta de TAXCONFIG.INI (por omisión $AMBRIX_CONFIG_DIR,\n"
         "                        si no, la carpeta del programa)\n"
         "Acciones:\n"
         "  --dump-config         muestra la configuración leída, una variable por línea\n"
         "  --list                muestra las listas de empresas, meses y años del inicio\n"
         "  --dump-sheet ARCHIVO --tipo xls|csv --hoja 0..3 [--separador SEP]\n"
         "                        carga el archivo como hoja (0 compras, 1 ventas, 2 anulados,\n"
         "                        3 exportaciones) y muestra sus filas separadas por tabuladores\n"
         "                        (separador por omisión \";\")\n"
         "  --help                muestra esta ayuda\n";
}

}  // namespace ambrix::batch
