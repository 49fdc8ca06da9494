#pragma once
// The program's report files: a small XML document under the report's file name, its parameters
// (the formulas the program passes), its queries and its layout, turned into one HTML document
// that a renderer prints. The format, in short:
//
//   <reporte titulo="..." pagina="A4" orientacion="vertical|horizontal" margen_mm="15">
//     <parametro nombre="ruc" requerido="si"/>
//     <consulta nombre="compras">select ... where co_empresa = {ruc} and co_mes = {pmes}</consulta>
//     <texto estilo="titulo|subtitulo|normal|nota">Empresa: {contribuyente}</texto>
//     <tabla consulta="compras" titulo="COMPRAS">
//       <columna titulo="Base" campo="mo_base" formato="###,###,##0.00" alinear="derecha" total="suma"/>
//     </tabla>
//     <salto/>
//     <pie><texto>...</texto></pie>
//   </reporte>
//
// {name} in a text is the parameter's value, HTML-escaped; in a query it is the value as one
// quoted SQL literal (vt::db::quoteSql), so no value can change a statement. Amounts are written
// with the regional separators. Failures carry the numbers below.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/database/connection.hpp"
#include "platform/profile/configuracion.hpp"

namespace ambrix {

inline constexpr long kErrReporteNoExiste = 1;
inline constexpr long kErrReporteMalFormado = 2;
inline constexpr long kErrReporteConsulta = 3;
inline constexpr long kErrReporteParametro = 4;
inline constexpr long kErrReporteImpresora = 5;

class ErrorReporte : public std::runtime_error {
 public:
  ErrorReporte(long numero, const std::string& texto) : std::runtime_error(texto), numero_(numero) {}
  long numero() const noexcept { return numero_; }

 private:
  long numero_;
};

struct ColumnaReporte {
  std::string titulo;
  std::string campo;
  std::string formato;  // a number mask; "" writes the value as text
  bool derecha = false;
  std::string total;  // "suma", "cuenta" or ""
};

struct BloqueReporte {
  enum class Tipo { Texto, Tabla, Salto };
  Tipo tipo = Tipo::Texto;
  std::string estilo;    // of a text
  std::string texto;     // of a text, with its {placeholders}
  std::string consulta;  // of a table
  std::string titulo;    // of a table
  std::vector<ColumnaReporte> columnas;
};

struct DefinicionReporte {
  std::string titulo;
  std::string pagina = "A4";
  bool horizontal = false;
  double margenMm = 15;
  std::vector<std::pair<std::string, bool>> parametros;  // name, required
  std::map<std::string, std::string> consultas;
  std::vector<BloqueReporte> cuerpo;
  std::vector<BloqueReporte> pie;
};

// What a renderer prints.
struct DocumentoReporte {
  std::string titulo;  // of the print job
  std::string pagina;
  bool horizontal = false;
  double margenMm = 15;
  std::string html;
};

// Reads a report file. Raises ErrorReporte 1 when the file is missing and 2 (with line:column)
// when it is not a report file.
DefinicionReporte leerReporte(const std::string& sRuta);

// The document of the definition for the parameter values: queries run on the connection.
// Raises ErrorReporte 4 for a required parameter without value or an unknown placeholder, 3 with
// the database's text when a query fails.
DocumentoReporte armarReporte(const DefinicionReporte& def, const std::map<std::string, std::string>& valores,
                              vt::db::Connection* conexion, const vt::ConfiguracionRegional& regional);

}  // namespace ambrix
