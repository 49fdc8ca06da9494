#include "apps/ambrix-batch/state_file.hpp"

#include <charconv>
#include <optional>

#include "platform/profile/ini_file.hpp"
#include "shell/core/listas.hpp"

namespace ambrix::batch {

namespace {

// Reads the keys of the section and reports the first value that does not fit.
class Estado {
 public:
  Estado(const std::string& contenido, std::string& error) : contenido_(contenido), error_(error) {}

  std::optional<std::string> text(const std::string& clave) const {
    return vt::profile::readValue(contenido_, kSeccionEstado, clave);
  }

  // A whole number from lo to hi into destino; absent keys leave it.
  bool number(const std::string& clave, long lo, long hi, long& destino) {
    const std::optional<std::string> v = text(clave);
    if (!v) return false;
    long n = 0;
    const auto [fin, ec] = std::from_chars(v->data(), v->data() + v->size(), n);
    if (ec != std::errc() || fin != v->data() + v->size() || n < lo || n > hi) {
      fail(clave, *v);
      return false;
    }
    destino = n;
    return true;
  }

  bool number(const std::string& clave, long lo, long hi, int& destino) {
    long n = destino;
    if (!number(clave, lo, hi, n)) return false;
    destino = static_cast<int>(n);
    return true;
  }

  void check(const std::string& clave, int& destino) { number(clave, 0, 1, destino); }

  void line(const std::string& clave, std::string& destino) {
    if (const std::optional<std::string> v = text(clave)) destino = *v;
  }

  // Selects the item whose key (code, item data or text) is the value.
  template <typename Clave>
  bool select(const std::string& clave, IListaCombo& cmb, Clave claveDe) {
    const std::optional<std::string> v = text(clave);
    if (!v) return false;
    for (int i = 0; i < cmb.ListCount(); ++i) {
      if (claveDe(cmb, i) == *v) {
        cmb.setListIndex(i);
        return true;
      }
    }
    fail(clave, *v);
    return false;
  }

  void fail(const std::string& clave, const std::string& valor) {
    if (error_.empty()) error_ = "valor no válido en el estado: " + clave + "=" + valor;
  }
  bool failed() const { return !error_.empty(); }

 private:
  const std::string& contenido_;
  std::string& error_;
};

std::string indexed(const char* control, std::size_t i) {
  return std::string(control) + "(" + std::to_string(i) + ")";
}

// The company, period and action choices, with the effects of their click handlers.
void applyChoices(Estado& e, VentanaBatch& v) {
  DatosVentanaATS& d = v.datos;
  if (e.select("cmbEmpresas", v.cmbEmpresas,
               [](const IListaCombo& c, int i) { return gfCodigoCombo(c.List(i)); }))
    cmbEmpresas_Click(v.cmbEmpresas);
  e.select("cmbMeses", v.cmbMeses, [](const IListaCombo& c, int i) { return std::to_string(c.ItemData(i)); });
  e.select("cmbanios", v.cmbanios, [](const IListaCombo& c, int i) { return c.List(i); });
  e.check("chkXML", d.chkXML);
  const int antes = d.Chkanio;
  e.check("Chkanio", d.Chkanio);
  if (d.Chkanio != antes) d.chkXML = applyWholeYear(d.Chkanio);
  d.txtFileATS_XML =
      xmlFileNameShown(d.chkXML, v.cmbMeses.ListIndex(), v.cmbanios.List(v.cmbanios.ListIndex()));
}

void applyInputs(Estado& e, VentanaBatch& v) {
  DatosVentanaATS& d = v.datos;
  // -1 leaves no file type chosen.
  if (e.text("cmbTipo_file") == "-1")
    v.cmbTipo_file.setListIndex(-1);
  else
    e.select("cmbTipo_file", v.cmbTipo_file, [](const IListaCombo&, int i) { return std::to_string(i); });
  e.select("cmbValidaCompras", v.cmbValidaCompras,
           [](const IListaCombo&, int i) { return std::to_string(i); });
  e.check("chkValidaFile", d.chkValidaFile);
  for (std::size_t i = 0; i < d.chkInfo.size(); ++i) {
    e.check(indexed("chkInfo", i), d.chkInfo[i]);
    e.line(indexed("txtfile", i), d.txtfile[i]);
    e.check(indexed("chkfile_XML", i), d.chkfile_XML[i]);
  }
  e.line("txtSeparador", d.txtSeparador);
  e.number("optTipoVentas", 0, 1, d.optTipoVentas);
  e.check("chkValidaBases", d.chkValidaBases);
  e.check("chkConvertirRUC", d.chkConvertirRUC);
  e.check("ChkCabecera", d.ChkCabecera);
  e.check("chkSinValidar", d.chkSinValidar);
  long decimales = static_cast<long>(d.txtDecimales);
  if (e.number("txtDecimales", 0, 2, decimales)) d.txtDecimales = static_cast<double>(decimales);
  e.line("txtPath", d.txtPath);
  e.line("txtFileATS_XML", d.txtFileATS_XML);
}

}  // namespace

bool applyState(const std::string& sContenido, VentanaBatch& ventana, std::string& sError) {
  sError.clear();
  Estado e(sContenido, sError);
  applyChoices(e, ventana);
  if (!e.failed()) applyInputs(e, ventana);
  return !e.failed();
}

}  // namespace ambrix::batch
