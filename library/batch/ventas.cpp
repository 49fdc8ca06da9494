// ATS2013_Ventas: the row dispatch of the sales sheet and the caller's options.

#include "library/batch/ventas.hpp"

namespace valtrone {

namespace {

// An option the caller's array does not hold is not asked for.
bool opcion(const CLSValidarInformacion::Options& iOpciones, long i) {
  return iOpciones && iOpciones->contains(i) && iOpciones->at(i) == 1;
}

}  // namespace

VentasRun::VentasRun(CLSValidarInformacion& object, const std::string& co_empresa, const std::string& nu_mes,
                     const std::string& nu_anio, double dDecRedondeo,
                     const CLSValidarInformacion::Options& iOpciones)
    : object_(object),
      co_empresa_(co_empresa),
      mes_(vt::conv::StrictNumber(nu_mes)),
      anio_(vt::conv::StrictNumber(nu_anio)),
      dDecRedondeo_(dDecRedondeo),
      retencionesAnteriores_(opcion(iOpciones, 1)),
      convierteConsumidorFinal_(opcion(iOpciones, 2)) {}

void VentasRun::fila(SheetRow& celdas, BloqueErrorRegistro& bloque) {
  FilaVenta f{{celdas, bloque}, {}};
  periodo(f);
  cliente(f);
  tipoComprobante(f);
  importes(f);
  comprobante(f);
  montoPresente(f);
  columnasLibres(f);
}

std::string CLSValidarInformacion::ATS2013_Ventas(int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                                                  std::string& nu_anio, double& dDecRedondeo, Sheet& InfoFile,
                                                  std::string& FileError, int32_t& nFilaProgreso,
                                                  Options& iOpciones) {
  VentasRun run(*this, co_empresa, nu_mes, nu_anio, dDecRedondeo, iOpciones);
  return ValidadorHoja(ti_proceso, "VENTAS", InfoFile, FileError, nFilaProgreso,
                       [&run](SheetRow& celdas, BloqueErrorRegistro& bloque) { run.fila(celdas, bloque); });
}

}  // namespace valtrone
