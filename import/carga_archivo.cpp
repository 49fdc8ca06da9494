#include "import/carga_archivo.hpp"

#include <algorithm>
#include <cctype>

#include "import/sheet_loaders.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/profile/configuracion.hpp"

namespace ambrix {
namespace {

// Upper column bound from a workbook, and the columns the sheet's validator and store read.
constexpr int kUltimaColumnaLibro[4] = {67, 22, 9, 23};
constexpr int kColumnasRequeridas[4] = {68, 22, 9, 23};

}  // namespace

InfoFile gaInfoCompras = std::make_shared<vt::automation::StringMatrix>();
InfoFile gaInfoVentas = std::make_shared<vt::automation::StringMatrix>();
InfoFile gaInfoAnulados = std::make_shared<vt::automation::StringMatrix>();
InfoFile gaInfoExportaciones = std::make_shared<vt::automation::StringMatrix>();

InfoFile& gaInfoHoja(int indice) {
  switch (indice) {
    case kHojaCompras:
      return gaInfoCompras;
    case kHojaVentas:
      return gaInfoVentas;
    case kHojaAnulados:
      return gaInfoAnulados;
    default:
      return gaInfoExportaciones;
  }
}

void liberaHojas() {
  for (int i = kHojaCompras; i <= kHojaExportaciones; ++i) *gaInfoHoja(i) = vt::automation::StringMatrix();
}

int columnasRequeridas(int indice) { return kColumnasRequeridas[std::clamp(indice, 0, 3)]; }
int ultimaColumnaLibro(int indice) { return kUltimaColumnaLibro[std::clamp(indice, 0, 3)]; }

bool gfCargaArchivoExcel(std::string& sTipo, std::vector<std::string>& asArchivos, std::string& sSeparador,
                         std::string& sError, const vt::workbook::TextFormats& formatos) {
  sError.clear();
  std::transform(sTipo.begin(), sTipo.end(), sTipo.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (sTipo != "xls" && sTipo != "csv") return true;
  const int hojas = static_cast<int>(std::min<std::size_t>(asArchivos.size(), 4));
  for (int i = 0; i < hojas; ++i) {
    if (vt::conv::Trim(asArchivos[i]).empty()) continue;
    vt::automation::StringMatrix& hoja = *gaInfoHoja(i);
    const bool cargada = sTipo == "csv" ? cargaTextoDelimitado(asArchivos[i], sSeparador, i, hoja, sError)
                                        : cargaLibro(asArchivos[i], i, formatos, hoja, sError);
    if (!cargada) return false;
  }
  return true;
}

bool gfCargaArchivoExcel(std::string& sTipo, std::vector<std::string>& asArchivos, std::string& sSeparador,
                         std::string& sError) {
  const vt::ConfiguracionRegional& regional = vt::currentConfiguration().regional;
  vt::workbook::TextFormats formatos;
  if (!regional.gsFormatoFecha.empty()) formatos.datePattern = regional.gsFormatoFecha;
  if (!regional.gsFormatoHora.empty()) formatos.timePattern = regional.gsFormatoHora;
  return gfCargaArchivoExcel(sTipo, asArchivos, sSeparador, sError, formatos);
}

}  // namespace ambrix
