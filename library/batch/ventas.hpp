#pragma once
// The sales sheet validator: its per-call state, its per-row state and the column rules, one file
// per group of columns (ventas_<group>.cpp), dispatched in order by VentasRun::fila (ventas.cpp).

#include <optional>
#include <string>

#include "library/batch/celdas_hoja.hpp"
#include "library/batch/comprobaciones_hoja.hpp"
#include "library/batch/validador_hoja.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

// The columns of a sales row (FilaVentaATS).
enum ColVenta : long {
  kVRucEmpresa = 0,
  kVMes = 1,
  kVAnio = 2,
  kVTipoId = 3,
  kVIdCliente = 4,
  kVNombre = 5,
  kVEstablecimiento = 6,
  kVTipoComprobante = 7,
  kVCantidad = 8,
  kVBaseNoIva = 9,
  kVBaseCero = 10,
  kVBaseGravada = 11,
  kVIva = 12,
  kVRetIva = 13,
  kVRetRenta = 14,
  kVFechaEmision = 15,
  kVSerie = 16,
  kVSecuencia = 17,
  kVAutorizacion = 18,
  kVLibre1 = 19,  // 19 to 21: only rewritten
  kVColumnas = 22,
};

// What one row's rules share besides its cells and block.
struct FilaVenta : FilaHoja {
  // Columns 9 to 11 read as numbers; none when a base is no number (the row is already reported,
  // and the zero-sum checks are then left out rather than run on a partial sum).
  std::optional<double> dSumaBases;
};

// One call of ATS2013_Ventas: the period, the tolerance, the options and the lookup memo.
class VentasRun {
 public:
  VentasRun(CLSValidarInformacion& object, const std::string& co_empresa, const std::string& nu_mes,
            const std::string& nu_anio, double dDecRedondeo, const CLSValidarInformacion::Options& iOpciones);

  void fila(SheetRow& celdas, BloqueErrorRegistro& bloque);

  // Columns 0 to 2 (ventas_cliente.cpp).
  void periodo(FilaVenta& f);
  // Columns 3 to 6 and the identification checks (ventas_cliente.cpp).
  void cliente(FilaVenta& f);
  // Column 7 (ventas_comprobante.cpp).
  void tipoComprobante(FilaVenta& f);
  // Columns 8 to 14 and the zero-sum check of the bases (ventas_importes.cpp).
  void importes(FilaVenta& f);
  // Columns 15 to 18, the amount-present check and columns 19 to 21 (ventas_comprobante.cpp).
  void comprobante(FilaVenta& f);
  void montoPresente(FilaVenta& f);
  void columnasLibres(FilaVenta& f);

 private:
  CLSValidarInformacion& object_;
  std::string co_empresa_;
  std::optional<double> mes_;  // nu_mes read as a number; none when it is no number
  std::optional<double> anio_;
  double dDecRedondeo_;
  // iOpciones(1): the sheet carries withholdings of earlier months (no count or zero-sum check);
  // iOpciones(2): an unusable identification becomes the final consumer's. An element the
  // caller's array lacks counts as 0.
  bool retencionesAnteriores_;
  bool convierteConsumidorFinal_;
  LookupMemo memo_;
};

}  // namespace valtrone
