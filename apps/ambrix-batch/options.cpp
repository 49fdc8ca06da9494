#include "apps/ambrix-batch/options.hpp"

#include <charconv>
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

std::vector<std::string> splitCommas(const std::string& value) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma; (comma = value.find(',', start)) != std::string::npos; start = comma + 1)
    parts.push_back(value.substr(start, comma - start));
  parts.push_back(value.substr(start));
  return parts;
}

// The options of --state and its test hooks; the mode is set by the state file.
bool parseProcessOption(BatchOptions& o, std::string_view arg, const std::string& value, std::string& error) {
  if (arg == "--state") {
    o.stateFile = value;
    return setMode(o, Mode::Process, error);
  }
  if (arg == "--pdf") {
    o.pdf = value;
    if (value.empty()) error = "--pdf necesita el nombre de un archivo";
  } else if (arg == "--answers") {
    for (const std::string& answer : splitCommas(value)) {
      if (answer != "yes" && answer != "no") error = "--answers admite solo yes y no separados por comas";
      o.answers.push_back(answer == "yes" ? vt::Respuesta::Si : vt::Respuesta::No);
    }
  } else {
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), o.cancelAfterYields);
    if (ec != std::errc() || end != value.data() + value.size() || o.cancelAfterYields < 1)
      error = "--cancel-after-yields debe ser un número mayor que 0";
  }
  return error.empty();
}

bool isProcessOption(std::string_view arg) {
  return arg == "--state" || arg == "--answers" || arg == "--cancel-after-yields" || arg == "--pdf";
}

// The receipt is printed from a state, and only to a file: there is no printer dialog here.
std::string checkReceiptOptions(const BatchOptions& o) {
  if (o.printReceipt && o.mode != Mode::Process) return "--print-receipt se usa con --state";
  if (o.printReceipt && o.pdf.empty()) return "--print-receipt necesita --pdf ARCHIVO";
  if (!o.printReceipt && !o.pdf.empty()) return "--pdf se usa con --print-receipt";
  return "";
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
    } else if (isProcessOption(arg)) {
      if (i + 1 >= args.size()) {
        result.error = "falta el valor después de " + std::string(arg);
      } else if (!parseProcessOption(o, arg, args[++i], result.error)) {
        return result;
      }
    } else if (arg == "--print-receipt") {
      o.printReceipt = true;
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
  if (result.error.empty() && o.mode != Mode::Help) result.error = checkReceiptOptions(o);
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
         "  --state ESTADO [--answers yes,no,...] [--cancel-after-yields N]\n"
         "                        inicia el programa, toma los valores de la ventana de la\n"
         "                        sección [frm_ATS_SubirExcel] de ESTADO, pulsa Iniciar una vez y\n"
         "                        muestra lo ocurrido; las preguntas Sí/No se responden en orden\n"
         "                        con --answers (sin respuesta: No); N cancela en la N-ésima pausa\n"
         "  --state ESTADO --print-receipt --pdf ARCHIVO\n"
         "                        inicia el programa con los valores de ESTADO, pulsa Imprimir en\n"
         "                        lugar de Iniciar y escribe el talón resumen de la empresa y el\n"
         "                        periodo en ARCHIVO (PDF); sale con 3 si no se escribió\n"
         "  --help                muestra esta ayuda\n"
         "Estado de salida:\n"
         "  0  con --state: cada hoja marcada se validó (salvo que se pidiera grabar sin\n"
         "     validar) y se grabó completa, y el archivo XML, si se pidió, se generó y\n"
         "     cumple el esquema del SRI\n"
         "  1  el proceso falló o se detuvo antes de grabarlo todo: una elección que la ventana\n"
         "     rechaza, un archivo inexistente o que no se pudo cargar, errores de validación,\n"
         "     una grabación fallida, un XML no generado o fuera del esquema, un proceso cancelado\n"
         "  2  línea de órdenes o archivo de estado no válidos\n"
         "  3  con --print-receipt: el talón no se escribió\n"
         "  4  con --state: como 0, pero la base de datos rechazó algunos registros (anotados\n"
         "     en el archivo de errores)\n";
}

}  // namespace ambrix::batch
