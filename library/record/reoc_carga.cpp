// gsREOCCargaFile: a delimited text file of withholding-annex purchase records read line by line
// into the caller's array, each field in its normal form. Every line overwrites the array, so the
// caller finds the last line there. A line is split and checked whole before any of it is stored:
// a line that fails raises with the array holding the line before it, never a mix of two.

#include <string>
#include <string_view>
#include <vector>

#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/automation/host.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "platform/profile/text_decoding.hpp"
#include "platform/profile/text_file.hpp"

namespace valtrone {

namespace {

constexpr int kCampos = 50;
// Positions in a line are 16-bit: a longer line overflows.
constexpr std::size_t kLargoMaximoLinea = 32767;
// Far beyond any month of records, and never a whole disk read into memory.
constexpr std::uint64_t kBytesMaximos = 1ull << 30;

// The mask of each field, and the group whose fields are preset before its first one is read.
const char* mascara(int k) {
  static const char* const kMascaras[23] = {"0000000000000",
                                            "00",
                                            "0000",
                                            "dd/mm/yyyy",
                                            "#",
                                            "0000000000000",
                                            "#",
                                            "00",
                                            "000000",
                                            "0000000",
                                            "0000000000",
                                            "########0.00",
                                            "########0.00",
                                            "########0.00",
                                            "########0.00",
                                            "000000",
                                            "0000000",
                                            "0000000000",
                                            "dd/mm/yyyy",
                                            "000000",
                                            "0000000",
                                            "0000000000",
                                            "dd/mm/yyyy"};
  if (k < 23) return kMascaras[k];
  if (k >= 47) return "#";
  static const char* const kBloque[6] = {"####0",        "########0.00",  "########0.00",
                                         "########0.00", "########0.000", "########0.00"};
  return kBloque[(k - 23) % 6];
}

std::string formaNormal(int k, const std::string& campo) {
  const char* m = mascara(k);
  if (std::string_view(m) == "dd/mm/yyyy") return vt::conv::FormatDateText(campo, m);
  std::string t = vt::conv::FormatNumberText(campo, m);
  return k == 4 ? vt::conv::Upper(t) : t;
}

// One line split into its 50 fields and stored in their normal forms. A line without all its
// separators is an invalid call, an array without room for 50 fields a subscript error; either is
// raised before anything is stored.
void guardaLinea(std::string_view linea, const std::string& separador, vt::automation::StringArray& a) {
  if (linea.size() > kLargoMaximoLinea) vt::raiseRuntimeError(vt::kErrOverflow, gsTituloApp);
  std::vector<std::string> campos;
  campos.reserve(kCampos);
  std::size_t inicio = 0;
  for (int k = 0; k < kCampos - 1; ++k) {
    const std::size_t fin = inicio <= linea.size() ? linea.find(separador, inicio) : std::string_view::npos;
    if (fin == std::string_view::npos || (separador.empty() && fin >= linea.size()))
      vt::raiseRuntimeError(vt::kErrInvalidCall, gsTituloApp);
    campos.emplace_back(linea.substr(inicio, fin - inicio));
    inicio = fin + 1;
  }
  campos.push_back(inicio <= linea.size() ? std::string(linea.substr(inicio)) : std::string());
  if (!a.contains(0) || !a.contains(kCampos - 1)) vt::raiseRuntimeError(vt::kErrSubscript, gsTituloApp);
  for (int k = 0; k < kCampos; ++k) a.at(k) = formaNormal(k, campos[static_cast<std::size_t>(k)]);
}

}  // namespace

std::string CLSValidarInformacion::gsREOCCargaFile(std::string& no_file, std::string& separador,
                                                   int16_t& iverifica, Record& archivo_matriz) {
  vt::ReadFailure por = vt::ReadFailure::CannotRead;
  const std::optional<std::string> bytes = vt::readWholeFile(no_file, kBytesMaximos, &por);
  if (!bytes) {
    if (por == vt::ReadFailure::TooLarge) vt::raiseRuntimeError(vt::kErrOutOfMemory, gsTituloApp);
    if (por == vt::ReadFailure::NotRegularFile || vt::pathExists(no_file))
      vt::raiseRuntimeError(vt::kErrPathAccess, gsTituloApp);
    const std::string carpeta =
        no_file.substr(0, no_file.find_last_of('/') == std::string::npos ? 0 : no_file.find_last_of('/'));
    vt::raiseRuntimeError(carpeta.empty() || vt::pathKind(carpeta) == vt::PathKind::Folder
                              ? vt::kErrFileNotFound
                              : vt::kErrPathNotFound,
                          gsTituloApp);
  }
  const std::string texto = vt::decodeTextFile(*bytes);
  const std::vector<std::string_view> lineas = vt::splitLines(texto);
  std::size_t siguiente = 0;
  std::string_view actual = "inicio";
  if (iverifica == 1) {
    if (lineas.empty()) vt::raiseRuntimeError(vt::kErrPastEndOfFile, gsTituloApp);
    actual = lineas[siguiente++];
  }
  vt::automation::StringArray vacio;
  vt::automation::StringArray& a = archivo_matriz ? *archivo_matriz : vacio;
  while (!actual.empty() && siguiente < lineas.size()) {
    actual = lineas[siguiente++];
    guardaLinea(actual, separador, a);
    // Once per line, as the sheet validators do per row: the host's window stays responsive.
    vt::automation::host::yieldToHost();
  }
  return "";
}

}  // namespace valtrone
