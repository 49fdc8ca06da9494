// A small library of classes served by identifier, loaded by the creation tests.

#include <string>

#include "platform/automation/automation.hpp"
#include "sample_types.hpp"

using namespace vt::automation;

namespace {

thread_local int threadStarts = 0;

void startThread() {
  static thread_local bool started = false;
  if (!started) {
    started = true;
    ++threadStarts;
  }
}

class Contador : public Dispatchable<Contador> {
 public:
  int32_t nValor = 0;

  int32_t Sumar(int32_t& nCantidad) {
    nValor += nCantidad;
    nCantidad = 0;
    return nValor;
  }
  int32_t Arranques() const { return threadStarts; }

  static ClassInfo describe() {
    return ClassBuilder<Contador>("VtPrueba.Contador", "_Contador")
        .clsid("{7D3A1C2E-0001-4B1A-9E55-000000000001}")
        .property("nValor", &Contador::nValor)
        .method("Sumar", &Contador::Sumar, {"nCantidad"})
        .method("Arranques", &Contador::Arranques)
        .build();
  }
};

class Eco : public Dispatchable<Eco> {
 public:
  std::shared_ptr<vt_sample::Enlace> db_Enlace;

  std::string Repetir(std::string sTexto) { return sTexto + sTexto; }
  std::string NombreEnlace() { return db_Enlace ? db_Enlace->nombre : "(nada)"; }

  static ClassInfo describe() {
    return ClassBuilder<Eco>("VtPrueba.Eco", "_Eco")
        .property("db_Enlace", &Eco::db_Enlace)
        .method("Repetir", &Eco::Repetir, {"sTexto"})
        .method("NombreEnlace", &Eco::NombreEnlace)
        .build();
  }
};

Server& sampleServer() {
  static Server server("VtPrueba", "Clases de prueba", &startThread);
  static const bool added = (server.add<Contador>().add<Eco>(), true);
  (void)added;
  return server;
}

}  // namespace

VT_AUTOMATION_SERVER(sampleServer)
