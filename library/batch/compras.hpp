#pragma once
// The purchases sheet validator: its per-call state, its per-row state and the column rules,
// one file per topic (compras_<topic>.cpp). A new group of columns adds its member here, its
// file, and one call in ComprasRun::fila (compras.cpp).

#include <optional>
#include <string>
#include <unordered_map>

#include "library/batch/celdas_hoja.hpp"
#include "library/batch/comprobaciones_hoja.hpp"
#include "library/batch/validador_hoja.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/comprobaciones.hpp"
#include "library/frame/verifica_ruc.hpp"
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
  kCBaseNoIva = 15,
  kCBaseCero = 16,
  kCBaseGravada = 17,
  kCIva = 18,
  kCIce = 19,
  kCRetIvaBienes = 20,
  kCRetIvaServicios = 21,
  kCRetIva100 = 22,
  kCPago = 23,
  kCPais = 24,
  kCDobleTributacion = 25,
  kCSujetoRetencion = 26,
  kCModTipo = 27,
  kCModFecha = 28,
  kCModSerie = 29,
  kCModSecuencia = 30,
  kCModAutorizacion = 31,
  kCFormasPago = 32,
  kCRetencionIR1 = 33,  // blocks of four: code, base, percentage, amount
  kCRetencionIR2 = 37,
  kCRetencionIR3 = 41,
  kCDividendoFecha = 45,
  kCDividendoImpuesto = 46,
  kCDividendoAnio = 47,
  kCRetSerie = 48,
  kCRetSecuencia = 49,
  kCRetAutorizacion = 50,
  kCRetFecha = 51,
  kCReembTipoId = 52,  // 52 to 64: the reimbursed voucher
  kCLibre1 = 65,
  kCColumnas = 68,
};

// The three bases of a purchase (from column 15) or of its reimbursed voucher (from column 60),
// rewritten and checked, the messages under `prefijo`. A base that is no number has its own
// message and leaves no sum: the sum of another row is never used.
struct FilaCompra;
struct BasesImponibles {
  std::string textoGravada;       // the third base as rewritten
  std::optional<double> gravada;  // and its strict number
  std::optional<double> suma;
};
BasesImponibles basesImponibles(FilaCompra& f, long primera, const std::string& prefijo);

// What one row's rules share besides its cells and block.
struct FilaCompra : FilaHoja {
  std::string sCodTransaccion;       // "01" RUC, "02" cédula, "03" passport; "" when not known
  std::string sIdentificacion;       // column 6 "-" column 7, for later messages
  std::optional<double> dSumaBases;  // columns 15 to 17; none when a base is no number
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
  // Columns 15 to 18 (compras_bases.cpp).
  void basesEIva(FilaCompra& f);
  // Columns 19 to 22 (compras_retenciones_iva.cpp).
  void icesYRetencionesIva(FilaCompra& f);
  // Columns 23 to 26, and 32 (compras_pago.cpp).
  void pagoExterior(FilaCompra& f);
  void formasPago(FilaCompra& f);
  // Columns 27 to 31 (compras_nota_credito.cpp).
  void documentoModificado(FilaCompra& f);

  // Whether the row is a further line of the previous row's reimbursement document; decided on
  // columns 10 to 14 before column 11 is rewritten, and kept as the key for the next row.
  bool repiteReembolso(const FilaCompra& f);

  // Columns 33 to 44, the three income-tax blocks (compras_retenciones_ir.cpp).
  void retencionesIR(FilaCompra& f);
  // Columns 45 to 47, the types that carry no income tax, and the free columns 65 to 67
  // (compras_dividendos.cpp).
  void dividendos(FilaCompra& f);
  void tiposSinRetencionIR(FilaCompra& f);
  void columnasLibres(FilaCompra& f);
  // Columns 48 to 51, the withholding voucher (compras_comprobante_retencion.cpp).
  void comprobanteRetencion(FilaCompra& f);
  // Columns 52 to 64, the reimbursed voucher (compras_reembolso.cpp).
  void reembolso(FilaCompra& f);

  // Memoised catalogue answers; nullopt when the lookup could not run.
  std::optional<bool> sustentoRegistrado(const std::string& co_susten);
  std::optional<bool> comprobanteRegistrado(const std::string& co_comprob);
  std::optional<bool> tipoProveedorRegistrado(const std::string& co_valor);
  std::optional<bool> comprobantePorTransaccion(const std::string& co_comprob,
                                                const std::string& sCodTransaccion);
  std::optional<bool> sustentoEnComprobante(const std::string& co_comprob, const std::string& co_susten);
  std::optional<bool> paisRegistrado(const std::string& co_pais);
  std::optional<bool> formasPagoRegistradas(const std::string& formas);

  // The withholding code's newest record valid on `dia`; nullopt when none is, or when the
  // lookup could not run (then it is asked again next time).
  using RegistroIR = RetencionIRVigente;
  std::optional<RegistroIR> retencionIRRegistrada(const std::string& co_reten, const vt::conv::Date& dia);
  // The dividend tax of a base (-1 outside the table); nullopt when the table could not be read.
  std::optional<double> impuestoDividendo(double base);

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
  std::unordered_map<std::string, std::optional<RegistroIR>> registrosIR_;
  std::unordered_map<double, double> dividendos_;
};

}  // namespace valtrone
