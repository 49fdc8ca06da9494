#pragma once
// The sheet routines of an import pass, with the argument lists the driver hands them, and the
// validator object they share during a pass.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/automation/object.hpp"
#include "shell/core/ventana_ats.hpp"

namespace ambrix {

// The library's Valtrone.CLSValidarInformacion of the current pass; null outside a pass.
extern std::shared_ptr<vt::automation::Object> goValidador;
// goValidador with db_ConexionObj set to the connection the driver has just opened (every sheet
// gets a new one); raises 91 outside a pass.
vt::automation::Object& validadorConConexion();

std::string gfImportaCompras(IVentanaATS& frm, std::int16_t& ti_proceso, std::string& co_empresa,
                             std::string& nu_mes, std::string& nu_anio, std::int16_t& ChkCabecera,
                             double& dDecRedondeo, std::int16_t& cmbValidaCompras,
                             IBarraProgreso& prgprogreso);
std::string gfImportaVentas(IVentanaATS& frm, std::int16_t& ti_proceso, std::string& co_empresa,
                            std::string& nu_mes, std::string& nu_anio, long& lBandera,
                            std::int16_t& ChkCabecera, double& dDecRedondeo, IBarraProgreso& prgprogreso,
                            std::array<std::int16_t, 4>& iOpciones);
std::string gfAcumulaVentas(IVentanaATS& frm, std::string& co_empresa, std::string& nu_mes,
                            std::string& nu_anio, long& lBandera, std::int16_t& ChkCabecera,
                            IBarraProgreso& prgprogreso, std::array<std::int16_t, 4>& iOpciones);
std::string gfImportaAnulados(IVentanaATS& frm, std::int16_t& ti_proceso, std::string& co_empresa,
                              std::string& nu_mes, std::string& nu_anio, long& lBandera,
                              std::string& sSeparador, std::int16_t& ChkCabecera,
                              IBarraProgreso& prgprogreso);
std::string gfImportaExportaciones(IVentanaATS& frm, std::int16_t& ti_proceso, std::string& co_empresa,
                                   std::string& nu_mes, std::string& nu_anio, std::int16_t& ChkCabecera,
                                   double& dDecRedondeo, IBarraProgreso& prgprogreso);

}  // namespace ambrix
