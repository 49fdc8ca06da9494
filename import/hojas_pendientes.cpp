// The sheet routines whose stores are not part of this version: they say so and answer
// kNoDisponible, which ends the run without an error prompt. The purchases sheet is validated.

#include "import/almacen_periodo.hpp"
#include "import/info_file.hpp"
#include "import/rutinas_hoja.hpp"
#include "platform/automation/variant.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/globals.hpp"

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

std::string gfImportaCompras(IVentanaATS& frm, std::int16_t& ti_proceso, std::string& co_empresa,
                             std::string& nu_mes, std::string& nu_anio, std::int16_t&, double& dDecRedondeo,
                             std::int16_t&, IBarraProgreso& prgprogreso) {
  if (ti_proceso != 1) return noDisponible("COMPRAS");
  return gfValidaHoja(frm, prgprogreso, [&](std::int32_t& nFila) {
    using vt::automation::Variant;
    vt::automation::Object& validador = validadorConConexion();
    Variant vEmpresa(co_empresa), vMes(nu_mes), vAnio(nu_anio), vTolerancia(dDecRedondeo);
    Variant vHoja(gaInfoCompras), vLog(gsRutaLog), vFila(nFila);
    const Variant respuesta = validador.call("ATS2013_Compras", Variant(ti_proceso), vEmpresa, vMes, vAnio,
                                             vTolerancia, vHoja, vLog, vFila);
    nFila = vFila.toI4();
    return respuesta.toString();
  });
}

std::string gfImportaVentas(IVentanaATS&, std::int16_t&, std::string&, std::string&, std::string&, long&,
                            std::int16_t&, double&, IBarraProgreso&, std::array<std::int16_t, 4>&) {
  return noDisponible("VENTAS");
}

std::string gfAcumulaVentas(IVentanaATS&, std::string&, std::string&, std::string&, long&, std::int16_t&,
                            IBarraProgreso&, std::array<std::int16_t, 4>&) {
  return noDisponible("VENTAS");
}

std::string gfImportaExportaciones(IVentanaATS&, std::int16_t&, std::string&, std::string&, std::string&,
                                   std::int16_t&, double&, IBarraProgreso&) {
  return noDisponible("EXPORTACIONES");
}

}  // namespace ambrix
