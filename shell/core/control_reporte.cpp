#include "shell/core/control_reporte.hpp"

#include "platform/profile/configuracion.hpp"
#include "shell/core/globals.hpp"

namespace ambrix {

namespace {
constexpr const char* kSeparador = " = ";
}

std::string textoFormula(const std::string& sNombre, const std::string& sValor) {
  std::string out = sNombre + kSeparador + '"';
  for (const char c : sValor) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + '"';
}

bool leerFormula(const std::string& sFormula, std::string& sNombre, std::string& sValor) {
  const std::size_t igual = sFormula.find(kSeparador);
  if (igual == std::string::npos) return false;
  const std::size_t abre = igual + 3;
  if (sFormula.size() < abre + 2 || sFormula[abre] != '"' || sFormula.back() != '"') return false;
  std::string valor;
  for (std::size_t i = abre + 1; i + 1 < sFormula.size(); ++i) {
    valor += sFormula[i];
    if (sFormula[i] == '"') {
      if (sFormula[i + 1] != '"' || i + 2 >= sFormula.size()) return false;  // a lone quote inside
      ++i;
    }
  }
  sNombre = sFormula.substr(0, igual);
  sValor = valor;
  return true;
}

std::string ControlReporte::Formulas(int iIndice) const {
  const auto it = formulas_.find(iIndice);
  return it == formulas_.end() ? std::string() : it->second;
}

std::map<std::string, std::string> ControlReporte::valoresFormulas() const {
  std::map<std::string, std::string> valores;
  for (const auto& [indice, formula] : formulas_) {
    if (formula.empty()) break;
    std::string nombre, valor;
    if (leerFormula(formula, nombre, valor)) valores[nombre] = valor;
  }
  return valores;
}

int ControlReporte::PrintReport() {
  errorNumero_ = 0;
  errorTexto_.clear();
  try {
    const DefinicionReporte def = leerReporte(archivo_);
    const DocumentoReporte doc =
        armarReporte(def, valoresFormulas(), gConexion.get(), vt::currentConfiguration().regional);
    impresora_.imprimir(doc, titulo_);
  } catch (const ErrorReporte& e) {
    errorNumero_ = e.numero();
    errorTexto_ = e.what();
  }
  return static_cast<int>(errorNumero_);
}

}  // namespace ambrix
