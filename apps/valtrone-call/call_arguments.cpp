#include "apps/valtrone-call/call_arguments.hpp"

#include <memory>

#include "import/carga_archivo.hpp"
#include "import/info_file.hpp"
#include "import/sheet_loaders.hpp"
#include "platform/profile/text_decoding.hpp"
#include "platform/automation/array.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/errors/error.hpp"

namespace valtrone_call {
namespace {

using vt::automation::Variant;
using vt::automation::VarType;

constexpr long kInvalidArgument = 5;
constexpr const char* kSource = "valtrone-call";
constexpr const char* kUsage =
    "uso: valtrone-call LLAMADA [--then LLAMADA]...; LLAMADA = [--set PROPIEDAD=ARG]... PROGID MIEMBRO "
    "[ARG]...";

[[noreturn]] void fail(const std::string& text) { throw vt::Error(kInvalidArgument, kSource, text); }

std::vector<std::string> splitBars(std::string_view list) {
  std::vector<std::string> items;
  for (std::string_view field : vt::splitFields(list, "|")) items.emplace_back(field);
  return items;
}

Variant readSheet(std::string_view spec, long columns) {
  std::string path(spec);
  std::string separator = ";";
  if (const auto cut = path.find(';'); cut != std::string::npos) {
    if (cut + 1 < path.size()) separator = path.substr(cut + 1);
    path.resize(cut);
  }
  auto sheet = std::make_shared<vt::automation::StringMatrix>();
  std::string error;
  if (!ambrix::cargaTextoDelimitado(path, separator, columns, *sheet, error)) fail(error);
  return Variant(sheet);
}

}  // namespace

long sheetColumnsFor(std::string_view member) {
  const std::pair<const char*, int> sheets[] = {{"ATS2013_Compras", ambrix::kHojaCompras},
                                                {"ATS2013_Ventas", ambrix::kHojaVentas},
                                                {"ATS2013_Anulados", ambrix::kHojaAnulados},
                                                {"ATS2013_Exportaciones", ambrix::kHojaExportaciones}};
  for (const auto& [name, indice] : sheets)
    if (vt::conv::SameText(member, name)) return ambrix::columnasRequeridas(indice);
  return 1;
}

Variant parseArgument(std::string_view text, long sheetColumns) {
  if (text == "missing") return Variant::missing();
  if (text == "nothing") return Variant(std::shared_ptr<vt::automation::Object>());
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) fail("argumento sin tipo: " + std::string(text));
  const std::string_view kind = text.substr(0, colon);
  const std::string value(text.substr(colon + 1));
  if (kind == "s") return Variant(value);
  if (kind == "i") return Variant(value).coerced(VarType::I2);
  if (kind == "l") return Variant(value).coerced(VarType::I4);
  if (kind == "d") return Variant(value).coerced(VarType::R8);
  if (kind == "b") {
    if (value == "true") return Variant(true);
    if (value == "false") return Variant(false);
    fail("booleano no válido: " + value);
  }
  if (kind == "dt") {
    const auto date = vt::conv::ParseDate(value);
    if (!date) fail("fecha no válida: " + value);
    return Variant(vt::automation::Date::fromDate(*date));
  }
  if (kind == "a" || kind == "ai") {
    const std::vector<std::string> items = splitBars(value);
    const long upper = static_cast<long>(items.size()) - 1;
    if (kind == "a") {
      auto array = std::make_shared<vt::automation::StringArray>(0, upper);
      for (long i = 0; i <= upper; ++i) array->at(i) = items[static_cast<size_t>(i)];
      return Variant(array);
    }
    auto array = std::make_shared<vt::automation::IntegerArray>(0, upper);
    for (long i = 0; i <= upper; ++i) array->at(i) = Variant(items[static_cast<size_t>(i)]).toI2();
    return Variant(array);
  }
  if (kind == "sheet") return readSheet(value, sheetColumns);
  fail("tipo de argumento desconocido: " + std::string(kind));
}

std::vector<std::vector<std::string>> splitCalls(const std::vector<std::string>& words) {
  std::vector<std::vector<std::string>> calls(1);
  for (const std::string& word : words) {
    if (word == kThen) {
      calls.emplace_back();
    } else {
      calls.back().push_back(word);
    }
  }
  return calls;
}

const char* helpText() {
  return "uso: valtrone-call LLAMADA [--then LLAMADA]...\n"
         "     LLAMADA = [--set PROPIEDAD=ARG]... PROGID MIEMBRO [ARG]...\n"
         "\n"
         "Cada LLAMADA crea su objeto por PROGID, asigna sus propiedades y llama a MIEMBRO por nombre.\n"
         "Las llamadas corren en orden en un mismo hilo, que conserva su estado (la conexion de la\n"
         "biblioteca entre ellos); una linea \"--\" separa la salida de dos llamadas seguidas.\n"
         "Salida: result=VALOR y argN=VALOR por cada argumento por referencia (una linea\n"
         "nombre(i)=valor o nombre(fila,col)=valor por celda no vacia de una matriz); una llamada que\n"
         "falla escribe error=NUMERO DESCRIPCION y las siguientes corren igual. Sale con 2 cuando\n"
         "alguna llamada fallo, con 0 si no.\n"
         "\n"
         "ARG: s:TEXTO  i:N (Integer)  l:N (Long)  d:X (Double)  b:true|false  dt:dd/mm/aaaa\n"
         "     a:V1|V2|... (matriz de texto desde 0)  ai:1|0|... (matriz de Integer desde 0)\n"
         "     sheet:RUTA[;SEP] (hoja de texto delimitado con encabezado; SEP \";\" por omision)\n"
         "     missing (argumento omitido)  nothing (objeto Nothing)\n"
         "\n"
         "Sin VALTRONE_REGISTRY ni registro del usuario o del sistema, un programa de la compilacion\n"
         "usa el registro de la compilacion (build/automation.reg).\n";
}

CallRequest parseCommandLine(const std::vector<std::string>& words) {
  CallRequest request;
  size_t i = 0;
  for (; i < words.size() && words[i] == "--set"; i += 2) {
    if (i + 1 >= words.size()) fail(kUsage);
    const std::string& assignment = words[i + 1];
    const auto equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) fail(kUsage);
    request.properties.emplace_back(assignment.substr(0, equals),
                                    parseArgument(assignment.substr(equals + 1)));
  }
  if (i + 2 > words.size()) fail(kUsage);
  request.progId = words[i++];
  request.member = words[i++];
  const long sheetColumns = sheetColumnsFor(request.member);
  for (; i < words.size(); ++i) request.arguments.push_back(parseArgument(words[i], sheetColumns));
  return request;
}

}  // namespace valtrone_call
