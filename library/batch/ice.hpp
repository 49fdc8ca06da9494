#pragma once
// The two sheets of the ICE excise annex, imports (ICE2014_Importa, ice_importa.cpp) and sales
// (ICE2014_Ventas, ice_ventas.cpp). Both sheets open with the same columns (company, period, the
// party's identification and name, two free columns) and end with the company's ICE product and
// the copies of columns 13 to 15 into 19 to 21; IceRun holds those shared rules (ice.cpp).

#include <optional>
#include <string>

#include "library/batch/celdas_hoja.hpp"
#include "library/batch/comprobaciones_hoja.hpp"
#include "library/batch/validador_hoja.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

// The columns both ICE sheets share.
enum ColIce : long {
  kIRucEmpresa = 0,
  kIMes = 1,
  kIAnio = 2,
  kITipoId = 3,
  kIIdentificacion = 4,
  kINombre = 5,
  kILibre6 = 6,  // 6 and 7: only rewritten
  kILibre7 = 7,
  kICopiaOrigen = 13,  // 13 to 15 are copied into 19 to 21
  kICopiaDestino = 19,
};

// The rest of an imports row (FilaICEImportacion).
enum ColIceImportacion : long {
  kIIFechaDesaduanizacion = 8,
  kIIPais = 9,
  kIINombrePais = 10,
  kIIUnidades = 11,
  kIIDistrito = 12,  // 12 to 15: the customs referendo
  kIIAnioReferendo = 13,
  kIIRegimen = 14,
  kIICorrelativo = 15,
  kIIProducto = 16,
};

// The rest of a sales row (FilaICEVenta).
enum ColIceVenta : long {
  kIVTipoVenta = 8,
  kIVVendidas = 9,
  kIVDevueltas = 10,
  kIVBaja = 11,
  kIVProducto = 12,
};

// One call of an ICE sheet validator: the period and the lookup memo, and the rules both sheets
// share. Each rule rewrites its cells before it checks them.
class IceRun {
 public:
  // `mes` is the chosen month as the sheet reads it (none when it is no number: every row then
  // differs from it); `nu_anio` is read by its leading number.
  IceRun(const std::string& co_empresa, std::optional<double> mes, const std::string& nu_anio);

  // Columns 0 to 2: the company, the month (any month in a whole-year run, "99") and the year.
  void periodo(SheetRow& c, BloqueErrorRegistro& b);
  // Columns 3 to 5, the party's identification checked by its type letter, and the free columns
  // 6 and 7.
  void identificacion(SheetRow& c, BloqueErrorRegistro& b);
  // The company's product code in column `col`, which must name an active ICE product of the
  // row's own company (column 0).
  void producto(SheetRow& c, BloqueErrorRegistro& b, long col);
  // Columns 13 to 15 copied into 19 to 21 without leading zeros, on every row.
  static void copias(SheetRow& c);

  LookupMemo& memo() { return memo_; }

 private:
  std::optional<bool> productoActivo(std::string_view co_empresa, std::string_view co_producto);

  std::string co_empresa_;
  std::optional<double> mes_;
  double anio_;  // nu_anio's leading number
  LookupMemo memo_;
};

}  // namespace valtrone
