#include "shell/core/reporte_ats.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>

#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"
#include "shell/core/valores.hpp"

namespace ambrix {

namespace {

std::string lineaColumna(const std::string& texto, std::ptrdiff_t offset) {
  long linea = 1, columna = 1;
  for (std::ptrdiff_t i = 0; i < offset && i < static_cast<std::ptrdiff_t>(texto.size()); ++i) {
    if (texto[static_cast<std::size_t>(i)] == '\n') {
      ++linea;
      columna = 1;
    } else {
      ++columna;
    }
  }
  return std::to_string(linea) + ":" + std::to_string(columna);
}

[[noreturn]] void malFormado(const std::string& donde, const std::string& causa) {
  throw ErrorReporte(kErrReporteMalFormado, "Archivo de reporte mal formado (" + donde + "): " + causa);
}

// The parser's finding in the user's language.
const char* causaXml(pugi::xml_parse_status estado) {
  switch (estado) {
    case pugi::status_unrecognized_tag:
      return "etiqueta no reconocida";
    case pugi::status_bad_pi:
      return "instrucción de proceso mal formada";
    case pugi::status_bad_comment:
      return "comentario mal formado";
    case pugi::status_bad_cdata:
      return "sección CDATA mal formada";
    case pugi::status_bad_doctype:
      return "declaración de tipo de documento mal formada";
    case pugi::status_bad_pcdata:
      return "texto mal formado";
    case pugi::status_bad_start_element:
      return "etiqueta de apertura mal formada";
    case pugi::status_bad_attribute:
      return "atributo mal formado";
    case pugi::status_bad_end_element:
      return "etiqueta de cierre mal formada";
    case pugi::status_end_element_mismatch:
      return "la etiqueta de cierre no corresponde a la abierta";
    case pugi::status_no_document_element:
      return "el archivo no tiene ningún elemento";
    default:
      return "el archivo no es XML";
  }
}

std::string html(std::string_view s);

struct Escritor : pugi::xml_writer {
  std::string texto;
  void write(const void* data, std::size_t size) override {
    texto.append(static_cast<const char*>(data), size);
  }
};

// A text's content as HTML: its character data escaped, its elements (<b>, <br/>, <table> ...) as
// written in the file.
std::string contenido(const pugi::xml_node& n) {
  std::string out;
  for (const pugi::xml_node c : n.children()) {
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
      out += html(c.value());
    } else if (c.type() == pugi::node_element) {
      Escritor w;
      c.print(w, "", pugi::format_raw);
      out += w.texto;
    }
  }
  return out;
}

BloqueReporte leerBloque(const pugi::xml_node& n, const std::string& texto) {
  BloqueReporte b;
  const std::string nombre = n.name();
  if (nombre == "texto") {
    b.tipo = BloqueReporte::Tipo::Texto;
    b.estilo = n.attribute("estilo").as_string("normal");
    b.texto = contenido(n);
  } else if (nombre == "tabla") {
    b.tipo = BloqueReporte::Tipo::Tabla;
    b.consulta = n.attribute("consulta").as_string();
    b.titulo = n.attribute("titulo").as_string();
    for (const pugi::xml_node c : n.children("columna")) {
      ColumnaReporte col;
      col.titulo = c.attribute("titulo").as_string();
      col.campo = c.attribute("campo").as_string();
      col.formato = c.attribute("formato").as_string();
      col.derecha = std::string(c.attribute("alinear").as_string()) == "derecha";
      col.total = c.attribute("total").as_string();
      if (col.campo.empty()) malFormado(lineaColumna(texto, c.offset_debug()), "columna sin campo");
      b.columnas.push_back(col);
    }
  } else if (nombre == "salto") {
    b.tipo = BloqueReporte::Tipo::Salto;
  } else {
    malFormado(lineaColumna(texto, n.offset_debug()), "elemento desconocido <" + nombre + ">");
  }
  return b;
}

// The text with each {name} replaced by what `valor` makes of the parameter's value.
template <typename F>
std::string sustituir(const std::string& texto, const std::map<std::string, std::string>& valores, F valor) {
  std::string out;
  std::size_t i = 0;
  while (i < texto.size()) {
    const std::size_t abre = texto.find('{', i);
    if (abre == std::string::npos) break;
    const std::size_t cierra = texto.find('}', abre);
    if (cierra == std::string::npos) break;
    out.append(texto, i, abre - i);
    const std::string nombre = texto.substr(abre + 1, cierra - abre - 1);
    const auto it = valores.find(nombre);
    if (it == valores.end())
      throw ErrorReporte(kErrReporteParametro, "Falta el valor del parámetro '" + nombre + "'");
    out += valor(it->second);
    i = cierra + 1;
  }
  out.append(texto, i, std::string::npos);
  return out;
}

std::string html(std::string_view s) {
  std::string out;
  for (const char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\n':
        out += "<br/>";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string numero(double valor, const std::string& formato, const vt::ConfiguracionRegional& r) {
  const std::string miles = r.gsSepMiles.empty() ? "," : r.gsSepMiles;
  const std::string decimal = r.gsSepDecimal.empty() ? "." : r.gsSepDecimal;
  return vt::conv::RegionalNumberText(vt::conv::FormatNumber(valor, formato), miles, decimal);
}

std::string textoHtml(const BloqueReporte& b, const std::map<std::string, std::string>& valores) {
  const std::string cuerpo = sustituir(b.texto, valores, [](const std::string& v) { return html(v); });
  if (b.estilo == "bloque") return "<div>" + cuerpo + "</div>\n";
  if (b.estilo == "titulo") return "<h2 align=\"center\" style=\"margin-bottom:2px\">" + cuerpo + "</h2>\n";
  if (b.estilo == "subtitulo")
    return "<p align=\"center\" style=\"font-size:11pt\"><b>" + cuerpo + "</b></p>\n";
  if (b.estilo == "nota") return "<p style=\"font-size:8pt; color:#444444\">" + cuerpo + "</p>\n";
  return "<p>" + cuerpo + "</p>\n";
}

constexpr const char* kCelda = "padding:2px 6px;";
constexpr const char* kLineaArriba = "border-top:1px solid #000000;";
constexpr const char* kLineaAbajo = "border-bottom:1px solid #000000;";

std::string celda(const std::string& etiqueta, const std::string& contenido, bool derecha,
                  const std::string& estilo) {
  // No amount or code is split over two lines: the columns share the width instead.
  return "<" + etiqueta + " align=\"" + (derecha ? "right" : "left") + "\" style=\"" + kCelda +
         "white-space:nowrap;" + estilo + "\">" + contenido + "</" + etiqueta + ">";
}

std::string tablaHtml(const BloqueReporte& b, const DefinicionReporte& def,
                      const std::map<std::string, std::string>& valores, vt::db::Connection* conexion,
                      const vt::ConfiguracionRegional& regional) {
  const auto it = def.consultas.find(b.consulta);
  if (it == def.consultas.end())
    throw ErrorReporte(kErrReporteMalFormado, "Archivo de reporte mal formado: la tabla '" + b.titulo +
                                                  "' usa la consulta desconocida '" + b.consulta + "'");
  const std::string sql =
      sustituir(it->second, valores, [](const std::string& v) { return vt::db::quoteSql(v); });
  vt::db::Recordset rs;
  try {
    if (!conexion || conexion->state() != vt::db::State::Open)
      throw ErrorReporte(kErrReporteConsulta, "No hay conexión con la base de datos");
    rs.open(sql, *conexion);
  } catch (const ErrorReporte&) {
    throw;
  } catch (const std::exception& e) {
    throw ErrorReporte(kErrReporteConsulta, "Falló la consulta '" + b.consulta + "': " + e.what());
  }
  std::string out = "<p style=\"margin-top:12px; margin-bottom:2px\"><b>" + html(b.titulo) + "</b></p>\n";
  out += "<table width=\"100%\" cellspacing=\"0\" style=\"border-collapse:collapse\">\n<tr>";
  for (const ColumnaReporte& c : b.columnas) out += celda("th", html(c.titulo), c.derecha, kLineaAbajo);
  out += "</tr>\n";
  std::vector<double> sumas(b.columnas.size(), 0);
  long filas = 0;
  try {
    for (; !rs.eof(); rs.moveNext(), ++filas) {
      out += "<tr>";
      for (std::size_t i = 0; i < b.columnas.size(); ++i) {
        const ColumnaReporte& c = b.columnas[i];
        const vt::db::Value& v = rs.field(c.campo);
        sumas[i] += numberOf(v);
        out += celda("td", html(c.formato.empty() ? textOf(v) : numero(numberOf(v), c.formato, regional)),
                     c.derecha, "");
      }
      out += "</tr>\n";
    }
  } catch (const std::exception& e) {
    throw ErrorReporte(kErrReporteConsulta, "Falló la consulta '" + b.consulta + "': " + e.what());
  }
  const bool conTotales = std::any_of(b.columnas.begin(), b.columnas.end(),
                                      [](const ColumnaReporte& c) { return !c.total.empty(); });
  if (filas == 0) {
    out += "<tr><td colspan=\"" + std::to_string(b.columnas.size()) +
           "\" style=\"padding:2px 6px; color:#444444\"><i>Sin registros en el periodo</i></td></tr>\n";
  }
  if (conTotales) {
    out += "<tr>";
    for (std::size_t i = 0; i < b.columnas.size(); ++i) {
      const ColumnaReporte& c = b.columnas[i];
      std::string contenido;
      if (c.total == "suma")
        contenido = numero(sumas[i], c.formato.empty() ? "###,###,##0.00" : c.formato, regional);
      else if (c.total == "cuenta")
        contenido = numero(static_cast<double>(filas), "###,###,##0", regional);
      else if (i == 0)
        contenido = "Total";
      out += celda("td", "<b>" + html(contenido) + "</b>", c.derecha, kLineaArriba);
    }
    out += "</tr>\n";
  }
  out += "</table>\n";
  return out;
}

std::string bloquesHtml(const std::vector<BloqueReporte>& bloques, const DefinicionReporte& def,
                        const std::map<std::string, std::string>& valores, vt::db::Connection* conexion,
                        const vt::ConfiguracionRegional& regional) {
  std::string out;
  for (const BloqueReporte& b : bloques) {
    switch (b.tipo) {
      case BloqueReporte::Tipo::Texto:
        out += textoHtml(b, valores);
        break;
      case BloqueReporte::Tipo::Tabla:
        out += tablaHtml(b, def, valores, conexion, regional);
        break;
      case BloqueReporte::Tipo::Salto:
        out += "<div style=\"page-break-before:always\"></div>\n";
        break;
    }
  }
  return out;
}

}  // namespace

DefinicionReporte leerReporte(const std::string& sRuta) {
  std::error_code ec;
  if (sRuta.empty() || !std::filesystem::is_regular_file(sRuta, ec))
    throw ErrorReporte(kErrReporteNoExiste, "No se encuentra el archivo del reporte: " + sRuta);
  std::ifstream in(sRuta, std::ios::binary);
  const std::string texto{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.good() && !in.eof())
    throw ErrorReporte(kErrReporteNoExiste, "No se puede leer el archivo del reporte: " + sRuta);
  pugi::xml_document doc;
  const pugi::xml_parse_result r =
      doc.load_buffer(texto.data(), texto.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!r) malFormado(lineaColumna(texto, r.offset), causaXml(r.status));
  const pugi::xml_node raiz = doc.document_element();
  if (std::string(raiz.name()) != "reporte")
    malFormado(lineaColumna(texto, raiz.offset_debug()), "falta <reporte>");
  DefinicionReporte def;
  def.titulo = raiz.attribute("titulo").as_string();
  def.pagina = raiz.attribute("pagina").as_string("A4");
  def.horizontal = std::string(raiz.attribute("orientacion").as_string()) == "horizontal";
  def.margenMm = raiz.attribute("margen_mm").as_double(15);
  for (const pugi::xml_node n : raiz.children()) {
    if (n.type() != pugi::node_element) continue;
    const std::string nombre = n.name();
    if (nombre == "parametro") {
      def.parametros.emplace_back(n.attribute("nombre").as_string(),
                                  std::string(n.attribute("requerido").as_string("si")) != "no");
    } else if (nombre == "consulta") {
      def.consultas[n.attribute("nombre").as_string()] = n.child_value();
    } else if (nombre == "pie") {
      for (const pugi::xml_node p : n.children())
        if (p.type() == pugi::node_element) def.pie.push_back(leerBloque(p, texto));
    } else {
      def.cuerpo.push_back(leerBloque(n, texto));
    }
  }
  return def;
}

DocumentoReporte armarReporte(const DefinicionReporte& def, const std::map<std::string, std::string>& valores,
                              vt::db::Connection* conexion, const vt::ConfiguracionRegional& regional) {
  for (const auto& [nombre, requerido] : def.parametros)
    if (requerido && !valores.count(nombre))
      throw ErrorReporte(kErrReporteParametro, "Falta el valor del parámetro '" + nombre + "'");
  DocumentoReporte d;
  d.titulo = def.titulo;
  d.pagina = def.pagina;
  d.horizontal = def.horizontal;
  d.margenMm = def.margenMm;
  d.html = "<html><body style=\"font-family:'DejaVu Sans'; font-size:9pt\">\n" +
           bloquesHtml(def.cuerpo, def, valores, conexion, regional) +
           bloquesHtml(def.pie, def, valores, conexion, regional) + "</body></html>\n";
  return d;
}

}  // namespace ambrix
