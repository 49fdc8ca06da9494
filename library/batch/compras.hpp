#pragma once
// The purchases sheet validator: its per-call state, its per-row state and the column rules,
// one file per topic (compras_<topic>.cpp). A new group of columns adds its member here, its
// file, and one call in ComprasRun::fila (compras.cpp).

#include <optional>
#include <string>

#include "library/batch/validador_hoja.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

// The columns of a purchases row (FilaCompraATS).
enum ColCompra : long {
  kCRucEmpresa = 0,
  kCMes = 1,
  kCAnio = 2,
  kCFechaEmision = 3,
  kCFechaRegistro = 4,
  kCTipoId = 5,
  kCIdProveedor = 6,
  kCIdComplemento = 7,
  kCTipoProveedor = 8,
  kCParteRelacionada = 9,
  kCSustento = 10,
  kCTipoComprobante = 11,
  kCSerie = 12,
  kCSecuencia = 13,
  kCAutorizacion = 14,
  kCColumnas = 68,
};

// What one row's rules share; it starts fresh on every row, so that nothing of a row is ever
// seen by the next.
struct FilaCompra {
  SheetRow& celdas;
  BloqueErrorRegistro& bloque;
  std::string sCodTransaccion;  // "01" RUC, "02" cédula, "03" passport; "" when not known
  std::string sIdentificacion;  // column 6 "-" column 7, for later messages

  const std::string& get(long col) const { return celdas.get(col); }
  // Writes the rewritten cell and hands the text back for the checks (a cell outside the
  // array is not written, its checks still see the rewritten text).
  std::string set(long col, std::string value) {
    celdas.set(col, value);
    return value;
  }
};

// One call of ATS2013_Compras: the period, the reimbursement key and the lookup memo.
class ComprasRun {
 public:
  ComprasRun(CLSValidarInformacion& object, const std::string& co_empresa, const std::string& nu_mes,
             const std::string& nu_anio, double dDecRedondeo);

  void fila(SheetRow& celdas, BloqueErrorRegistro& bloque);

  // Columns 0 to 4 (compras_periodo.cpp).
  void periodoYFechas(FilaCompra& f);
  // Columns 5 to 9 and the identification checks (compras_proveedor.cpp).
  void proveedor(FilaCompra& f);
  // Column 10, and 11 to 14 unless the row repeats a reimbursement document (compras_comprobante.cpp).
  void sustentoTributario(FilaCompra& f);
  void comprobante(FilaCompra& f);

  // Whether the row is a further line of the previous row's reimbursement document; decided on
  // columns 10 to 14 before column 11 is rewritten, and kept as the key for the next row.
  bool repiteReembolso(const FilaCompra& f);

  // Memoised catalogue answers; nullopt when the lookup could not run.
  std::optional<bool> sustentoRegistrado(const std::string& co_susten);
  std::optional<bool> comprobanteRegistrado(const std::string& co_comprob);
  std::optional<bool> tipoProveedorRegistrado(const std::string& co_valor);
  std::optional<bool> comprobantePorTransaccion(const std::string& co_comprob,
                                                const std::string& sCodTransaccion);
  std::optional<bool> sustentoEnComprobante(const std::string& co_comprob, const std::string& co_susten);

 private:
  CLSValidarInformacion& object_;
  std::string co_empresa_;
  std::string nu_mes_;
  std::string nu_anio_;
  double dDecRedondeo_;
  bool anual_;      // nu_mes is the number 99
  int iUltimoDia_;  // last day of the period's month; per row in an annual run
  vt::conv::ClaveReembolso clave_;
  int repeticiones_ = 0;
  bool repetida_ = false;
  LookupMemo memo_;
};

}  // namespace valtrone
