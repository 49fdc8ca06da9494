#include "import/almacen_periodo.hpp"

#include <algorithm>
#include <optional>

#include "platform/conversions/conversions.hpp"
#include "platform/database/connection.hpp"
#include "platform/database/errors.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/profile/configuracion.hpp"
#include "platform/profile/text_file.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/fecha_sistema.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"

namespace ambrix {

namespace {

using vt::conv::Trim;

// A status text of the store: the given one, or the sheet word's own.
void estado(IVentanaATS& frm, const std::optional<std::string>& sTexto, const std::string& sPalabra,
            const char* sPropio) {
  const std::string texto = sTexto ? *sTexto : sPalabra + sPropio;
  if (!texto.empty()) frm.XPStatusBar_Panel1(texto);
}

// What the loop of a store ended in.
enum class FinBucle { Completo, Cancelado };

}  // namespace

void deshaceTransaccion() {
  // A failing rollback cannot make things worse than the message already shown.
  try {
    if (gConexion->inTransaction()) gConexion->rollbackTrans();
  } catch (...) {
  }
}

void eliminaPeriodo(const std::vector<std::string>& asTablas, const std::string& sCondicion) {
  // A delete that fails is the engine's failure (a missing table, a lock, a full disk): it reaches
  // the store's handler, which rolls back and says why.
  for (const std::string& sTabla : asTablas) {
    long lBorrados = 0;
    try {
      gConexion->execute(deleteText(motorActual(), sTabla, sCondicion), lBorrados);
    } catch (const vt::db::EngineError& e) {
      // Even a refusal the engine files under the row's faults (a trigger) stops the whole store.
      if (vt::db::failsWholeWork(e.kind())) throw;
      throw vt::db::EngineError(e.number(), e.source(), e.description(), vt::db::Failure::Other);
    }
  }
}

void exigeMotorSano() {
  const vt::db::Failure falla = gConexion->lastFailure();
  if (vt::db::failsWholeWork(falla))
    throw vt::db::EngineError(vt::Err().Number, vt::Err().Source, vt::Err().Description, falla);
  if (!gConexion->inTransaction())
    throw vt::db::EngineError(vt::Err().Number, vt::Err().Source,
                              vt::Err().Description + " (el motor de base de datos deshizo la transacción)",
                              vt::db::Failure::Other);
}

void reportaFallaAlmacen(const std::string& sPalabra) {
  try {
    throw;
  } catch (const vt::db::EngineError& e) {
    if (vt::db::failsWholeWork(e.kind())) {
      vt::Err().captureCurrentException(gsTitulo);
      std::string texto = sPalabra + ": No se grabó la información (" + vt::db::failureCause(e.kind()) +
                          "). Se conserva la información anterior del período.";
      // A failure already shown by the statement's own message carries no text of its own here.
      if (!e.description().empty()) texto += "\r\n" + std::to_string(e.number()) + " " + e.description();
      showBox(texto, vt::Icono::Critico);
      return;
    }
    reportUnexpectedError();
  } catch (...) {
    reportUnexpectedError();
  }
}

void escribeLog(const std::string& sLineas, bool& bAvisado) {
  std::string sCausa;
  if (vt::appendToFile(gsRutaLog, sLineas, &sCausa) || bAvisado) return;
  bAvisado = true;
  showBox("No se pudo escribir en el archivo de errores " + gsRutaLog + "\r\n" + sCausa +
              "\r\nLos registros rechazados no quedan anotados en él.",
          vt::Icono::Critico);
}

ContextoAlmacen contextoActual(const vt::conv::DateTime& dtServidor) {
  const vt::ContextoConfiguracion& cfg = vt::currentConfiguration();
  ContextoAlmacen c;
  c.motor = motorActual();
  c.dtServidor = dtServidor;
  c.sUsuario = Trim(cfg.gsUsuario);
  c.sEstacion = cfg.gsEstacion;
  c.sFechaCorta = cfg.sistema.gsFechaCorta;
  return c;
}

ListaInsercion::ListaInsercion(CamposFijos campos) : campos_(campos.texto()) {
  // One value per column and the key of an engine that takes one: the list never grows row by row.
  valores_.reserve(campos.columnas() + 1);
}

std::string ListaInsercion::campos() const {
  std::string texto;
  texto.reserve(1 + claveCampo_.size() + campos_.size());
  return texto.append("(").append(claveCampo_).append(campos_);
}

void ListaInsercion::claveOracle(const ContextoAlmacen& c, std::string_view sSecuencia) {
  if (c.motor != vt::db::Engine::Oracle) return;
  claveCampo_ = "id_reg, ";
  valores_.insert(valores_.begin(), std::string(sSecuencia) + ".Nextval");
}

ListaInsercion& ListaInsercion::valor(vt::db::SqlValue valor) {
  valores_.push_back(std::move(valor));
  return *this;
}

const std::array<vt::db::SqlValue, 5>& ContextoAlmacen::auditoria() const {
  if (!auditoria_)
    auditoria_.emplace(std::array<vt::db::SqlValue, 5>{valorTexto(sUsuario), valorFechaServidor(*this),
                                                       valorTexto(sUsuario), valorFechaServidor(*this),
                                                       valorTexto(sEstacion)});
  return *auditoria_;
}

ListaInsercion& ListaInsercion::auditoria(const ContextoAlmacen& c) {
  valores_.insert(valores_.end(), c.auditoria().begin(), c.auditoria().end());
  return *this;
}

std::string ListaInsercion::valores() const { return listaValores(valores_); }

vt::db::SqlValue valorCodigo(std::string_view sCelda, const vt::conv::NumberMask& sMascara) {
  return vt::db::SqlValue::text(vt::conv::FormatWithMask(sCelda, sMascara));
}

const vt::db::SqlValue& valorCero() {
  static const vt::db::SqlValue cero = vt::db::SqlValue::number({0, 0, 1, false});
  return cero;
}

const vt::db::SqlValue& valorCeroMonto() {
  static const vt::db::SqlValue cero = vt::db::SqlValue::number({0, 2, 1, false});
  return cero;
}

vt::db::SqlValue valorTexto(std::string_view sCelda) { return vt::db::SqlValue::text(sCelda); }

vt::db::SqlValue valorMascara(std::string_view sTexto, const vt::conv::NumberMask& sMascara) {
  if (const auto numero = vt::conv::MaskNumberText(sTexto, sMascara))
    return vt::db::SqlValue::number(*numero);
  return vt::conv::FormatWithMask(sTexto, sMascara);
}

vt::db::SqlValue valorNumero(std::string_view sCelda, const vt::conv::NumberMask& sMascara) {
  if (!vt::conv::IsNumericText(sCelda)) return vt::db::SqlValue("");
  return valorMascara(sCelda, sMascara);
}

vt::db::SqlValue valorMonto(std::string_view sCelda) { return valorNumero(sCelda, "########0.00"); }

vt::db::SqlValue valorMonto(std::string_view sCelda, int iSigno) {
  vt::db::SqlValue monto = valorMonto(sCelda);
  if (iSigno >= 0) return monto;
  if (monto.kind() == vt::db::SqlValue::Kind::Integer || monto.kind() == vt::db::SqlValue::Kind::Decimal) {
    vt::conv::MaskedNumber numero = monto.number();
    numero.negative = !numero.negative && numero.magnitude != 0;
    return vt::db::SqlValue::number(numero);
  }
  // A literal too long for a plain number, or no number at all.
  const std::string& texto = monto.raw();
  if (texto.empty()) return monto;
  if (texto.front() == '-') return texto.substr(1);
  if (texto.find_first_of("123456789") == std::string::npos) return monto;
  return "-" + texto;
}

vt::db::SqlValue valorFechaHoja(const ContextoAlmacen& c, std::string_view sCelda, std::string_view sPatron) {
  const std::optional<vt::conv::Date> fecha = vt::conv::ParseDateByPattern(sCelda, sPatron);
  if (!fecha) return valorTexto(sCelda);
  return vt::db::SqlValue::date(c.motor, vt::conv::DateTime{*fecha, 0, 0, 0}, false);
}

vt::db::SqlValue valorFechaServidor(const ContextoAlmacen& c) {
  return vt::db::SqlValue::date(c.motor, c.dtServidor, true);
}

std::string condicionPeriodo(const std::string& co_empresa, const std::string& nu_mes,
                             const std::string& nu_anio, bool bConAlias) {
  const std::string a = bConAlias ? "A." : "";
  std::string condicion = "where " + a + "co_empresa = " + vt::db::quoteSql(Trim(co_empresa)) + " ";
  if (vt::conv::LeadingNumber(nu_mes) != 99)
    condicion += "and " + a + "co_mes = " + vt::db::quoteSql(vt::conv::FormatNumberText(nu_mes, "00")) + " ";
  return condicion + "and  " + a +
         "co_anio = " + vt::db::quoteSql(vt::conv::FormatNumberText(nu_anio, "0000")) + " ";
}

std::string gfValidaHoja(IVentanaATS& frm, IBarraProgreso& prgprogreso,
                         const std::function<std::string(std::int32_t& nFilaProgreso)>& llamaValidador) {
  gbContinuarProceso = true;
  vt::Err().Clear();
  std::int32_t nFila = 0;
  std::string sRespuesta;
  bool bFallo = false;
  try {
    sRespuesta = llamaValidador(nFila);
  } catch (...) {
    // A validator that cannot be called, or that fails on its own, has not checked the sheet.
    reportUnexpectedError();
    bFallo = true;
  }
  prgprogreso.Value(nFila);
  frm.DoEvents();
  std::string sEstado = "OK";
  if (!gbContinuarProceso)
    sEstado = "CANCEL";
  else if (bFallo || sRespuesta == "ERROR")
    sEstado = "ERROR";
  frm.PunteroEspera(false);
  return sEstado;
}

bool AlmacenPeriodo::inserta(const ListaInsercion& l, const std::string& sTabla, std::string& sError) {
  long lRegistros = 0;
  gsInsertaFila(l.campos(), sTabla, l.lista(), lRegistros);
  if (lRegistros >= 1) return true;
  exigeMotorSano();
  sError = vt::Err().Description;
  return false;
}

void AlmacenPeriodo::rechaza(const std::string& sLineas) {
  anota(sLineas);
  ++rechazados_;
}

bool AlmacenPeriodo::dentroDelLimite(const std::string& sPrefijo, const std::string& sDemasiados) const {
  if (rechazados_ == 3 || rechazados_ == 10 || rechazados_ == 20) {
    const std::string texto = sPrefijo + std::to_string(rechazados_) +
                              " registros errados \r\n\r\n ¿Desea continuar con el proceso? ";
    return vt::currentMessages().mostrar(texto, vt::Botones::SiNo, vt::Icono::Critico, gsTitulo) ==
           vt::Respuesta::Si;
  }
  if (rechazados_ > 20) {
    showBox(sDemasiados, vt::Icono::Critico);
    return false;
  }
  return true;
}

std::string gfAlmacenaPeriodo(IVentanaATS& frm, IBarraProgreso& prgprogreso, const std::string& co_empresa,
                              const std::string& nu_mes, const std::string& nu_anio,
                              const DescripcionAlmacen& d, const InfoFile& hoja,
                              const std::function<bool(AlmacenPeriodo& almacen, long fila)>& almacenaFila,
                              ContextoAlmacen* pContexto) {
  try {
    std::int16_t iEstado = 0;
    std::optional<vt::conv::DateTime> dtServidor;
    const std::string sFechaHora = gfFechaSistema(iEstado, "fh", dtServidor);
    if (iEstado < 0 || !dtServidor) {
      // No time to stamp the rows with: nothing is touched.
      showBox(sFechaHora, vt::Icono::Informacion);
      return "";
    }
    const std::string sCondicion = condicionPeriodo(co_empresa, nu_mes, nu_anio, d.bConAlias);
    AlmacenPeriodo almacen(contextoActual(*dtServidor), d.sPalabra);
    if (pContexto) *pContexto = almacen.contexto();
    frm.lblTotReg_Caption("");
    gbContinuarProceso = true;
    frm.PunteroEspera(true);
    estado(frm, d.sReemplazando, d.sPalabra, ": Reemplazando informacion anterior...");

    gConexion->beginTrans();
    eliminaPeriodo(d.asTablas, sCondicion);
    estado(frm, d.sAlmacenando, d.sPalabra, ": Almacenando registros...");

    FinBucle fin = FinBucle::Completo;
    const long ultima = hoja->ubound(1);
    for (long fila = 1; fila <= ultima && gbContinuarProceso; ++fila) {
      if (!almacenaFila(almacen, fila)) {
        fin = FinBucle::Cancelado;
        break;
      }
      frm.lblTotReg_Caption(std::to_string(fila));
    }
    if (fin == FinBucle::Cancelado) {
      gConexion->rollbackTrans();
      frm.PunteroEspera(false);
      return "CANCEL";
    }

    estado(frm, d.sTerminado, d.sPalabra, ": Proceso de almacenamiento terminado...");
    prgprogreso.Value(prgprogreso.Max());
    std::string sEstado;
    if (gbContinuarProceso) {
      gConexion->commitTrans();
      sEstado = almacen.rechazados() > 0 ? "OK-ERROR" : "OK";
    } else {
      gConexion->rollbackTrans();
      sEstado = "CANCEL";
    }
    frm.PunteroEspera(false);
    return sEstado;
  } catch (...) {
    // Nothing is half-stored: whatever failed, the period stays as it was.
    deshaceTransaccion();
    reportaFallaAlmacen(d.sPalabra);
    frm.PunteroEspera(false);
    return "ERROR";
  }
}

}  // namespace ambrix
