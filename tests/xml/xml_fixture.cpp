#include "tests/xml/xml_fixture.hpp"

#include <pugixml.hpp>

#include "tests/support/files.hpp"
#include "xml/genera_xml.hpp"

namespace ambrix::testing {

namespace {

// Functions rather than globals: the case tables of the tests call the row builders while the
// program's statics are still being made.
const Fila& periodo() {
  static const Fila fila = {{"co_empresa", "'1792045185001'"}, {"co_mes", "'05'"}, {"co_anio", "'2013'"}};
  return fila;
}

// The document key that ties a withholding row to its purchase.
const Fila& claveCompra() {
  static const Fila fila = {{"co_provee", "'0990017514001'"}, {"co_comprob", "'01'"},
                            {"co_credito", "'01'"},           {"nu_serie", "'001002'"},
                            {"nu_secu", "'000000123'"},       {"nu_autoriza", "'1112223334'"}};
  return fila;
}

Fila une(Fila fila, const Fila& mas) {
  fila.insert(fila.end(), mas.begin(), mas.end());
  return fila;
}

std::string insertSql(const std::string& tabla, const Fila& base, const Fila& cambios) {
  Fila fila = base;
  for (const auto& [columna, valor] : cambios) {
    bool reemplazada = false;
    for (auto& [c, v] : fila)
      if (c == columna) v = valor, reemplazada = true;
    if (!reemplazada) fila.emplace_back(columna, valor);
  }
  std::string columnas, valores;
  for (const auto& [c, v] : fila) {
    columnas += (columnas.empty() ? "" : ", ") + c;
    valores += (valores.empty() ? "" : ", ") + v;
  }
  return "INSERT INTO " + tabla + " (" + columnas + ") VALUES (" + valores + ")";
}

}  // namespace

std::string compra(const Fila& cambios) {
  static const Fila base = une(une(periodo(), claveCompra()),
                               {{"fe_emision", "'2013-05-14'"},
                                {"fe_conta", "'2013-05-15'"},
                                {"co_tipoID", "'01'"},
                                {"mo_base_NoIva", "0"},
                                {"mo_base_0", "0"},
                                {"mo_base", "100"},
                                {"mo_iva", "12"},
                                {"mo_ret_1", "0"},
                                {"mo_ret_2", "0"},
                                {"mo_ICEmonto", "0"},
                                {"nu_CRserie", "'001001'"},
                                {"nu_CRsecu", "'000000000'"},
                                {"nu_CRautoriza", "'0'"},
                                {"co_Prove_Tipo", "'00'"},
                                {"co_Prove_Relac", "'NO'"},
                                {"co_Pago_Tipo", "'L'"},
                                {"co_FormaPago", "'01'"},
                                {"st_regis", "'A'"}});
  return insertSql("tbAT_Cmprs", base, cambios);
}

std::string retencion(const Fila& cambios) {
  static const Fila base = une(une(periodo(), claveCompra()), {{"co_IRcodigo", "'312'"},
                                                             {"mo_IRbase", "100"},
                                                             {"va_IRporc", "1"},
                                                             {"mo_IRmonto", "1"}});
  return insertSql("tbAT_Cmprs_IR", base, cambios);
}

std::string reembolso(const Fila& cambios) {
  static const Fila base = une(periodo(), {{"id_comprob", "1"},
                                          {"co_RE_tipoID", "'01'"},
                                          {"co_RE_provee", "'1790011674001'"},
                                          {"co_RE_comprob", "'01'"},
                                          {"fe_RE_emision", "'2013-05-10'"},
                                          {"nu_RE_serie", "'001001'"},
                                          {"nu_RE_secu", "'000000055'"},
                                          {"nu_RE_autoriza", "'1111111111'"},
                                          {"mo_RE_base_NoIva", "0"},
                                          {"mo_RE_base_0", "0"},
                                          {"mo_RE_base", "50"},
                                          {"mo_RE_iva", "6"},
                                          {"mo_RE_ice", "0"}});
  return insertSql("tbAT_Cmprs_RE", base, cambios);
}

std::string venta(const Fila& cambios) {
  static const Fila base = une(periodo(), {{"co_tipoID", "'04'"},
                                          {"co_cliente", "'1790011674001'"},
                                          {"ds_cliente", "'Cliente'"},
                                          {"co_estable", "'001'"},
                                          {"fe_emision", "'2013-05-20'"},
                                          {"nu_comprob", "3"},
                                          {"co_comprob", "'18'"},
                                          {"mo_base_NoIva", "0"},
                                          {"mo_base_0", "0"},
                                          {"mo_base", "500"},
                                          {"mo_iva", "60"},
                                          {"mo_reten_IVA", "0"},
                                          {"mo_reten_IR", "0"},
                                          {"st_regis", "'A'"}});
  return insertSql("tbAT_Ventas", base, cambios);
}

std::string exportacion(const Fila& cambios) {
  static const Fila base = une(periodo(), {{"co_Transacc", "'1'"},
                                          {"co_comprob", "'01'"},
                                          {"fe_transacc", "'2013-05-20'"},
                                          {"nu_ref_dist", "'028'"},
                                          {"nu_ref_anio", "'2013'"},
                                          {"nu_ref_regi", "'40'"},
                                          {"nu_ref_corre", "'123'"},
                                          {"nu_ref_veri", "'7'"},
                                          {"nu_dcto_trans", "'456'"},
                                          {"mo_FOB", "1500"},
                                          {"mo_base", "1500"},
                                          {"fe_emision", "'2013-05-20'"},
                                          {"nu_serie", "'001001'"},
                                          {"nu_secu", "'000000321'"},
                                          {"nu_autoriza", "'1234567890'"},
                                          {"st_regis", "'A'"}});
  return insertSql("tbAT_Exporta", base, cambios);
}

std::string anulado(const Fila& cambios) {
  static const Fila base = une(periodo(), {{"co_comprob", "'01'"},
                                          {"nu_serie", "'001002'"},
                                          {"nu_secu_ini", "'000000101'"},
                                          {"nu_secu_fin", "'000000150'"},
                                          {"nu_autoriza", "'1234567890'"},
                                          {"fe_anula", "'2013-05-31'"},
                                          {"st_regis", "'A'"}});
  return insertSql("tbAT_CmptsAnu", base, cambios);
}

std::string compacta(const std::string& golden) {
  std::string bytes;
  bool inicioDeLinea = true;
  for (const char c : golden) {
    if (c == '\n' || c == '\r') {
      inicioDeLinea = true;
      continue;
    }
    if (inicioDeLinea && c == ' ') continue;
    inicioDeLinea = false;
    bytes += c;
  }
  return bytes;
}

XmlTest::XmlTest() {
  connectToCopy();
  ventana_.datos.txtPath = temp_.path().string();
  ventana_.datos.txtFileATS_XML = "AT052013.XML";
}

void XmlTest::inserta(const std::vector<std::string>& sentencias) {
  for (const std::string& s : sentencias) exec(s);
}

bool XmlTest::genera(const std::array<std::string, 4>& secciones) {
  ParamGeneraXML p;
  p.sRuc = "1792045185001";
  p.sMes = "5";
  p.sAnio = "2013";
  p.aSecciones = secciones;
  return genera(p);
}

bool XmlTest::genera(ParamGeneraXML& param) {
  param.frm = &ventana_;
  param.prgprogreso = &ventana_.barra;
  GeneradorXML generador;
  return generador.GeneraXML_ATS(param);
}

bool XmlTest::escribe(const std::array<std::string, 4>& secciones) {
  genera(secciones);
  return escritoSinOtroFallo();
}

bool XmlTest::escribe(ParamGeneraXML& param) {
  genera(param);
  return escritoSinOtroFallo();
}

bool XmlTest::escritoSinOtroFallo() const {
  if (archivo().empty()) return false;
  for (const auto& m : boxes_.mensajes)
    if (m.texto.rfind(kFueraDeEsquema, 0) != 0 && m.icono != vt::Icono::Informacion) return false;
  return true;
}

std::string XmlTest::rutaXml() const { return xmlFilePath(ventana_); }

std::string XmlTest::archivo() const { return vt::testing::readOptionalFile(rutaXml()); }

std::string XmlTest::xpath(const std::string& consulta) const {
  pugi::xml_document doc;
  const std::string bytes = archivo();
  if (!doc.load_buffer(bytes.data(), bytes.size())) return "<sin documento>";
  return pugi::xpath_query(consulta.c_str()).evaluate_string(doc);
}

}  // namespace ambrix::testing
