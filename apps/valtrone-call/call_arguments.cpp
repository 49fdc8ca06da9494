#include "apps/valtrone-call/call_arguments.hpp"

#include <memory>

#include "import/sheet_loaders.hpp"
#include "import/sheet_text.hpp"
#include "platform/automation/array.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/errors/error.hpp"

namespace valtrone_call {
namespace {

using vt::automation::Variant;
using vt::automation::VarType;

constexpr long kInvalidArgument = 5;
constexpr const char* kSource = "valtrone-call";
constexpr const char* kUsage = "uso: valtrone-call [--set PROPIEDAD=ARG]... PROGID MIEMBRO [ARG]...";

[[noreturn]] void fail(const std::string& text) { throw vt::Error(kInvalidArgument, kSource, text); }

std::vector<std::string> splitBars(std::string_view list) {
  std::vector<std::string> items;
  for (std::string_view field : ambrix::splitFields(list, "|")) items.emplace_back(field);
  return items;
}

Variant readSheet(std::string_view spec) {
  std::string path(spec);
  std::string separator = ";";
  if (const auto cut = path.find(';'); cut != std::string::npos) {
    if (cut + 1 < path.size()) separator = path.substr(cut + 1);
    path.resize(cut);
  }
  // As the program loads a delimited sheet; any width, since the member called may be a validator
  // of any sheet, and each one checks its own cell layout.
  auto sheet = std::make_shared<vt::automation::StringMatrix>();
  std::string error;
  if (!ambrix::cargaTextoDelimitado(path, separator, 1L, *sheet, error)) fail(error);
  return Variant(sheet);
}

}  // namespace

Variant parseArgument(std::string_view text) {
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
  if (kind == "sheet") return readSheet(value);
  fail("tipo de argumento desconocido: " + std::string(kind));
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
  for (; i < words.size(); ++i) request.arguments.push_back(parseArgument(words[i]));
  return request;
}

}  // namespace valtrone_call
