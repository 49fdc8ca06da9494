#include "platform/profile/configuracion.hpp"

namespace vt {

std::vector<std::pair<std::string, std::string>> configurationEntries(const ContextoConfiguracion& ctx) {
  const ConfiguracionRegional& r = ctx.regional;
  const ConfiguracionSistema& s = ctx.sistema;
  return {
      {"gbDigitos", std::to_string(r.gbDigitos)},
      {"gsFormatoFecha", r.gsFormatoFecha},
      {"gsFormatoHora", r.gsFormatoHora},
      {"gsSepDecimal", r.gsSepDecimal},
      {"gsSepFecha", r.gsSepFecha},
      {"gsSepMiles", r.gsSepMiles},
      {"gsSepLista", r.gsSepLista},
      {"gsFormatoNumero", r.gsFormatoNumero},
      {"gsPathApp", s.gsPathApp},
      {"gsPathReportAccess", s.gsPathReportAccess},
      {"gsPathReportSQL", s.gsPathReportSQL},
      {"gsPathReportOracle", s.gsPathReportOracle},
      {"gsPathDB", s.gsPathDB},
      {"gsPathLog", s.gsPathLog},
      {"gsPathBrelvica", s.gsPathBrelvica},
      {"gsFechaCorta", s.gsFechaCorta},
      {"gsHora", s.gsHora},
      {"gsFechaHora", s.gsFechaHora},
      {"gsDsCompras", s.gsDsCompras},
      {"gsDsVentas", s.gsDsVentas},
      {"giRegsMaxConsulta", std::to_string(s.giRegsMaxConsulta)},
      {"gsQuessaNet", s.gsQuessaNet},
      {"gsCxP", s.gsCxP},
      {"gsTipoConexion", s.gsTipoConexion},
      {"gsMotorBD", s.gsMotorBD},
      {"gsServidorBD", s.gsServidorBD},
      {"gsNombreBD", s.gsNombreBD},
      {"gsUsuarioBD", s.gsUsuarioBD},
      {"gsClaveBD", s.gsClaveBD},
      {"gsProveedorBD", s.gsProveedorBD},
      {"giTimeoutBD", std::to_string(s.giTimeoutBD)},
      {"gsDSN", s.gsDSN},
      {"gsEstacion", ctx.gsEstacion},
      {"gsUsuario", ctx.gsUsuario},
  };
}

}  // namespace vt
