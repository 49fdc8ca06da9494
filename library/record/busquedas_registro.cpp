// The catalogue lookups of the record validators, each unknown when it cannot run.

#include "library/record/busquedas_registro.hpp"

#include <exception>

#include "library/frame/errores.hpp"
#include "library/frame/sentencias.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

Condition noRegistrado(const std::string& tabla, const std::string& columna, const std::string& valor) {
  try {
    RecordsetRef rs;
    gsSelectConexion("*", tabla, "where " + columna + " = " + vt::db::quoteSql(valor), nullptr, rs);
    // A select that failed leaves the recordset closed, and reading it raises.
    return rs->eof();
  } catch (const std::exception&) {
    noteCurrentError();
    return std::nullopt;
  }
}

Condition noValeParaTransaccion(CLSValidarInformacion& objeto, const std::string& comprobante,
                                const std::string& transacciones, const std::string& anexo) {
  try {
    std::string codigo = comprobante, lista = transacciones, tipoAnexo = anexo;
    return !objeto.Valida_Comprob_x_SecTran(codigo, lista, tipoAnexo);
  } catch (const std::exception&) {
    noteCurrentError();
    return std::nullopt;
  }
}

Condition noValeParaSustento(CLSValidarInformacion& objeto, const std::string& comprobante,
                             const std::string& sustento) {
  try {
    std::string codigo = comprobante, susten = sustento;
    return !objeto.Valida_SustTribEnComprob(codigo, susten);
  } catch (const std::exception&) {
    noteCurrentError();
    return std::nullopt;
  }
}

Condition porcentajeNoRegistrado(const CatalogoPorcentaje& catalogo, const std::string& porcentaje) {
  const std::optional<double> valor = vt::conv::StrictNumber(
      *catalogo.mascara ? vt::conv::FormatNumberText(porcentaje, catalogo.mascara) : porcentaje);
  if (!valor) return std::nullopt;
  try {
    RecordsetRef rs;
    return !gfCuentaRegistros("*", catalogo.tabla,
                              std::string(catalogo.columna) + " = " + vt::db::sqlNumber(*valor), nullptr, rs);
  } catch (const std::exception&) {
    noteCurrentError();
    return std::nullopt;
  }
}

bool RetencionIRDeLlamada::noVigente(const std::string& codigo, const std::optional<vt::conv::Date>& dia) {
  if (!dia) return true;
  const std::string clave = codigo + '\x1f' + vt::conv::FormatDate(*dia, "yyyymmdd");
  auto visto = vistos_.find(clave);
  if (visto == vistos_.end()) {
    try {
      visto = vistos_.emplace(clave, gfRetencionIRVigente(codigo, *dia)).first;
    } catch (const std::exception&) {
      noteCurrentError();
      return true;
    }
  }
  if (!visto->second) return true;
  va_reten = visto->second->va_reten;
  st_ingreso = vt::conv::Upper(visto->second->st_ingreso);
  return false;
}

bool RetencionIRDeLlamada::noRegistrado(const std::string& codigo) {
  const std::optional<RetencionIRVigente> registrada = retencionIRRegistrada(codigo);
  if (!registrada) return true;
  va_reten = registrada->va_reten;
  st_ingreso = vt::conv::Upper(registrada->st_ingreso);
  return false;
}

std::optional<RetencionIRVigente> retencionIRRegistrada(const std::string& co_reten) {
  try {
    RecordsetRef rs;
    gsSelectConexion("*", "tbcttgCoRetenIR", "where co_reten = " + vt::db::quoteSql(co_reten) + " ", nullptr,
                     rs);
    if (rs->eof()) return std::nullopt;
    const vt::db::Value& ingreso = rs->field("st_ingreso");
    return RetencionIRVigente{rs->field("va_reten").asDouble(),
                              ingreso.isNull() ? std::string() : ingreso.asText()};
  } catch (const std::exception&) {
    noteCurrentError();
    return std::nullopt;
  }
}

}  // namespace valtrone
