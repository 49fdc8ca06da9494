// ATS2013_Compras: the row dispatch of the purchases sheet, the reimbursement repetition and the
// memoised catalogue lookups of its rules.

#include "library/batch/compras.hpp"

#include "library/frame/sentencias.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;

namespace {

// Day 1 of the period read with the pattern it is written in: the period's last day, or 0 when
// the period is no month (an annual run's "99").
int lastDayOfPeriod(const std::string& nu_mes, const std::string& nu_anio) {
  const std::optional<vt::conv::Date> first =
      vt::conv::ParseDateByPattern("01/" + nu_mes + "/" + nu_anio, "dd/mm/yyyy");
  return first ? vt::conv::daysInMonth(first->year, first->month) : 0;
}

const vt::conv::ClaveReembolso kClaveInicial{"0", 0, "0", 0, "0"};

}  // namespace

ComprasRun::ComprasRun(CLSValidarInformacion& object, const std::string& co_empresa,
                       const std::string& nu_mes, const std::string& nu_anio, double dDecRedondeo)
    : object_(object),
      co_empresa_(co_empresa),
      nu_mes_(nu_mes),
      nu_anio_(nu_anio),
      dDecRedondeo_(dDecRedondeo),
      anual_(vt::conv::StrictNumber(nu_mes) == 99.0),
      iUltimoDia_(lastDayOfPeriod(nu_mes, nu_anio)),
      clave_(kClaveInicial) {}

void ComprasRun::fila(SheetRow& celdas, BloqueErrorRegistro& bloque) {
  FilaCompra f{{celdas, bloque}, {}, {}, {}};
  periodoYFechas(f);
  proveedor(f);
  sustentoTributario(f);
  if (!repiteReembolso(f)) {
    comprobante(f);
    basesEIva(f);
    icesYRetencionesIva(f);
    pagoExterior(f);
    documentoModificado(f);
    formasPago(f);
    retencionesIR(f);
    dividendos(f);
    comprobanteRetencion(f);
    tiposSinRetencionIR(f);
  }
  reembolso(f);
  columnasLibres(f);
}

bool ComprasRun::repiteReembolso(const FilaCompra& f) {
  // A type that is no number cannot be told from 41 and counts as one.
  const std::optional<double> tipo = vt::conv::StrictNumber(f.get(kCTipoComprobante));
  if (tipo && *tipo != 41.0) {
    clave_ = kClaveInicial;
    repeticiones_ = 0;
    repetida_ = false;
    return false;
  }
  const vt::conv::ClaveReembolso clave = vt::conv::ClaveReembolsoFila(
      f.get(kCSustento), f.get(kCTipoComprobante), f.get(kCSerie), f.get(kCSecuencia), f.get(kCAutorizacion));
  if (clave == clave_) {
    ++repeticiones_;
    repetida_ = true;
  } else {
    clave_ = clave;
    repeticiones_ = 1;
  }
  return repetida_ && repeticiones_ > 1;
}

std::optional<bool> ComprasRun::sustentoRegistrado(const std::string& co_susten) {
  return catalogoRegistra(memo_, "tbcttgSusTributario", "co_susten", co_susten, " ");
}

std::optional<bool> ComprasRun::comprobanteRegistrado(const std::string& co_comprob) {
  return valtrone::comprobanteRegistrado(memo_, co_comprob);
}

std::optional<bool> ComprasRun::tipoProveedorRegistrado(const std::string& co_valor) {
  return memo_.ask(LookupMemo::key("PER", {co_valor}), [&] {
    RecordsetRef rs;
    return gfCuentaRegistros("*", "tbCodigoGeneral",
                             "co_grupo = 'PER' and co_valor = " + vt::db::quoteSql(co_valor), nullptr, rs);
  });
}

std::optional<bool> ComprasRun::comprobantePorTransaccion(const std::string& co_comprob,
                                                          const std::string& sCodTransaccion) {
  return valtrone::comprobantePorTransaccion(memo_, object_, co_comprob, sCodTransaccion);
}

std::optional<bool> ComprasRun::sustentoEnComprobante(const std::string& co_comprob,
                                                      const std::string& co_susten) {
  return memo_.ask(LookupMemo::key("Valida_SustTribEnComprob", {co_comprob, co_susten}), [&] {
    std::string comprob = co_comprob;
    std::string sustento = co_susten;
    return object_.Valida_SustTribEnComprob(comprob, sustento);
  });
}

std::optional<bool> ComprasRun::paisRegistrado(const std::string& co_pais) {
  return catalogoRegistra(memo_, "tbcttgCiudades", "co_pais", co_pais, " ");
}

std::optional<bool> ComprasRun::formasPagoRegistradas(const std::string& formas) {
  return memo_.ask(LookupMemo::key("Valida_FormaPago", {formas}), [&] {
    vt::automation::Variant lista(formas);
    return object_.Valida_FormaPago(lista);
  });
}

std::string CLSValidarInformacion::ATS2013_Compras(int16_t ti_proceso, std::string& co_empresa,
                                                   std::string& nu_mes, std::string& nu_anio,
                                                   double& dDecRedondeo, Sheet& InfoFile,
                                                   std::string& FileError, int32_t& nFilaProgreso) {
  ComprasRun run(*this, co_empresa, nu_mes, nu_anio, dDecRedondeo);
  return ValidadorHoja(ti_proceso, "COMPRAS", InfoFile, FileError, nFilaProgreso,
                       [&run](SheetRow& celdas, BloqueErrorRegistro& bloque) { run.fila(celdas, bloque); });
}

}  // namespace valtrone
