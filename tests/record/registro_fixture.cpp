#include "registro_fixture.hpp"

#include <memory>

#include "library/frame/conexion.hpp"

namespace registro_test {

Campos con(Campos campos, const Cambios& cambios) {
  for (const auto& [k, valor] : cambios) campos.at(static_cast<std::size_t>(k)) = valor;
  return campos;
}

Cambios mas(Cambios a, const Cambios& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string texto(const std::vector<std::string>& lineas) {
  std::string t;
  for (const std::string& l : lineas) t += l + "\r\n";
  return t;
}

Registros::Registros() {
  valtrone::gfAbreConexion();
  validador_.co_empresa = "1792045185001";
  validador_.nu_mes = 5;
  validador_.nu_anio = "2013";
}

Registros::~Registros() { valtrone::gfCierraConexion(); }

Resultado Registros::valida(Miembro miembro, const Campos& campos, const std::string& previo) {
  auto registro = std::make_shared<vt::automation::StringArray>(0, static_cast<long>(campos.size()) - 1);
  for (std::size_t k = 0; k < campos.size(); ++k) registro->at(static_cast<long>(k)) = campos[k];
  return valida(miembro, registro, previo);
}

Resultado Registros::valida(Miembro miembro, vt::automation::StringArrayRef registro,
                            const std::string& previo) {
  Resultado r;
  r.fallido = true;
  r.errores = previo;
  r.registro = registro;
  r.respuesta = (validador_.*miembro)(r.registro, r.fallido, r.errores);
  return r;
}

}  // namespace registro_test
