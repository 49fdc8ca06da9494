#pragma once
// The exports sheet validator: its per-call state, its per-row state and the column rules, one file
// per group of columns (exportaciones_<group>.cpp), dispatched in order by ExportacionesRun::fila
// (exportaciones.cpp).

#include <optional>
#include <string>

#include "library/batch/celdas_hoja.hpp"
#include "library/batch/comprobaciones_hoja.hpp"
#include "library/batch/validador_hoja.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

// The columns of an exports row (FilaExportacionATS); the loader hands one more, never touched.
enum ColExportacion : long {
  kERucEmpresa = 0,
  kEMes = 1,
  kEAnio = 2,
  kELibre0 = 3,  // only rewritten
  kETipo = 4,
  kETipoComprobante = 5,
  kEFechaTransaccion = 6,
  kEDistrito = 7,  // 7 to 11: the customs referendo
  kEAnioReferendo = 8,
  kERegimen = 9,
  kECorrelativo = 10,
  kEVerificador = 11,
  kEDocTransporte = 12,
  kEFue = 13,
  kEValorFob = 14,
  kEValorLocal = 15,
  kEFechaEmision = 16,
  kESerie = 17,
  kESecuencia = 18,
  kEAutorizacion = 19,
  kELibre1 = 20,  // 20 to 22: only rewritten
  kEColumnas = 23,
};

// The last day on which a shipment carried the FUE and a referendo of a six-digit correlativo with
// its check digit; later shipments carry an eight-digit correlativo and no FUE.
inline constexpr vt::conv::Date kFechaCorte{2012, 9, 30};

// Which side of the cut-off the row's transaction date lies on; none when the row has no date.
enum class LadoCorte { SinFecha, HastaCorte, DespuesCorte };

// What one row's rules share besides its cells and block.
struct FilaExportacion : FilaHoja {
  bool bienes = false;  // column 4 is "B": the row carries the customs documents
  LadoCorte lado = LadoCorte::SinFecha;
};

// One call of ATS2013_Exportaciones: the period and the lookup memo.
class ExportacionesRun {
 public:
  ExportacionesRun(CLSValidarInformacion& object, const std::string& co_empresa, const std::string& nu_mes,
                   const std::string& nu_anio);

  void fila(SheetRow& celdas, BloqueErrorRegistro& bloque);

  // Columns 0 to 5 and the transaction date of column 6 (exportaciones.cpp).
  void periodoYTipo(FilaExportacion& f);
  void fechaTransaccion(FilaExportacion& f);
  // Columns 7 to 12 of an export of goods, and the FUE of column 13 (exportaciones_aduana.cpp).
  void referendo(FilaExportacion& f);
  void fue(FilaExportacion& f);
  // Columns 14 to 22 (exportaciones_factura.cpp).
  void valores(FilaExportacion& f);
  void factura(FilaExportacion& f);
  void columnasLibres(FilaExportacion& f);

 private:
  CLSValidarInformacion& object_;
  std::string co_empresa_;
  std::optional<double> mes_;  // nu_mes read as a number; none when it is no number
  double anio_;                // the number nu_anio begins with
  std::string textoCorte_;     // the cut-off in the regional short date, for messages
  LookupMemo memo_;
};

}  // namespace valtrone
