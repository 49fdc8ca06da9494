// The sheet routines whose stores are not part of this version: they say so and answer
// kNoDisponible, which ends the run without an error prompt.

#include "import/rutinas_hoja.hpp"
#include "shell/core/avisos.hpp"

namespace ambrix {

namespace {

std::string noDisponible(const std::string& sPalabra) {
  showBox(mensajeNoDisponible(sPalabra), vt::Icono::Informacion);
  return kNoDisponible;
}

}  // namespace

std::string mensajeNoDisponible(const std::string& sPalabra) {
  return "La importación de " + sPalabra + " aún no está disponible en esta versión.";
}

std::string gfImportaVentas(IVentanaATS&, std::int16_t&, std::string&, std::string&, std::string&, long&,
                            std::int16_t&, double&, IBarraProgreso&, std::array<std::int16_t, 4>&) {
  return noDisponible("VENTAS");
}

std::string gfAcumulaVentas(IVentanaATS&, std::string&, std::string&, std::string&, long&, std::int16_t&,
                            IBarraProgreso&, std::array<std::int16_t, 4>&) {
  return noDisponible("VENTAS");
}

}  // namespace ambrix
