// The shared frame of the single-record validators.

#include "library/record/validador_registro.hpp"

#include <exception>
#include <utility>

#include "library/frame/errores.hpp"
#include "library/frame/sentencias.hpp"
#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {

std::optional<double> numeroDe(const Campo& campo) {
  return campo ? vt::conv::StrictNumber(*campo) : std::nullopt;
}
std::optional<double> inicialDe(const Campo& campo) {
  return campo ? std::optional<double>(vt::conv::LeadingNumber(*campo)) : std::nullopt;
}
std::optional<vt::conv::Date> fechaDe(const Campo& campo) {
  return campo ? vt::conv::ParseDate(*campo) : std::nullopt;
}

bool esCero(const std::string& s) { return vt::conv::LeadingNumber(s) == 0; }
bool noNumerico(const std::string& s) { return !vt::conv::IsNumericText(s); }

Campo une(std::initializer_list<Campo> partes) {
  std::string texto;
  for (const Campo& parte : partes) {
    if (!parte) return std::nullopt;
    texto += *parte;
  }
  return texto;
}

ValidadorRegistro::ValidadorRegistro(CLSValidarInformacion::Record& archivo_reten, bool& berror_record,
                                     std::string& ds_errores, Entrada entrada)
    : archivo_(archivo_reten), berror_record_(berror_record), ds_errores_(ds_errores), entrada_(entrada) {
  // Whatever the caller passed, a record starts as passed.
  berror_record_ = false;
  if (entrada == Entrada::Vacia) ds_errores_.clear();
}

Campo ValidadorRegistro::campo(long k) const {
  if (!archivo_ || !archivo_->contains(k)) return std::nullopt;
  return archivo_->at(k);
}

void ValidadorRegistro::escribe(long k, std::string valor) {
  if (archivo_ && archivo_->contains(k)) archivo_->at(k) = std::move(valor);
}

void ValidadorRegistro::falla(std::string_view mensaje, const Campo& valor) {
  if (valor) {
    ds_errores_ += mensaje;
    ds_errores_ += *valor;
    ds_errores_ += "\r\n";
  }
  berror_record_ = true;
}

void ValidadorRegistro::falla(std::string_view mensaje) { falla(mensaje, std::string()); }

bool ValidadorRegistro::fallaSi(const Condition& condicion, std::string_view mensaje, const Campo& valor) {
  if (!held(condicion)) return false;
  falla(mensaje, valor);
  return true;
}

bool ValidadorRegistro::fallaSi(const Condition& condicion, std::string_view mensaje) {
  return fallaSi(condicion, mensaje, std::string());
}

void ValidadorRegistro::periodo(const CLSValidarInformacion& objeto, std::optional<double> anio) {
  using vt::conv::LeadingNumber;
  const Campo ruc = campo(0);
  fallaSi(sobre(ruc, [&](const std::string& s) { return s != objeto.co_empresa; }),
          "RUC de Empresa no coincide con la empresa seleccionada: ", ruc);
  if (objeto.nu_mes != 99) {
    const Campo mes = campo(1);
    fallaSi(sobre(mes, [&](const std::string& s) { return LeadingNumber(s) != objeto.nu_mes; }),
            "Periodo: Mes no coincide con el mes seleccionado : ", mes);
  }
  const Campo year = campo(2);
  const Condition otroAnio =
      anio ? sobre(year, [&](const std::string& s) { return LeadingNumber(s) != *anio; }) : std::nullopt;
  fallaSi(otroAnio, "Periodo: Año no coincide con el año seleccionado : ", year);
}

void ValidadorRegistro::serie(const Campo& s, const MensajesSerie& m, SerieCero cero) {
  fallaSi(sobre(s, noNumerico), m.noNumerica, s);
  cerosDeSerie(s, m, cero);
}

void ValidadorRegistro::cerosDeSerie(const Campo& s, const MensajesSerie& m, SerieCero cero) {
  if (fallaSi(sobre(s, esCero), m.cero, s) && cero == SerieCero::TerminaSerie) return;
  const Campo establecimiento = s ? Campo(vt::conv::Left(*s, 3)) : std::nullopt;
  if (!fallaSi(sobre(establecimiento, esCero), m.establecimiento, establecimiento)) {
    const Campo punto = vt::conv::Right(*s, 3);
    fallaSi(sobre(punto, esCero), m.punto, punto);
  }
}

void ValidadorRegistro::secuencia(const Campo& s, const MensajesSecuencia& m) {
  if (!fallaSi(sobre(s, noNumerico), m.noNumerica, s)) fallaSi(sobre(s, esCero), m.cero, s);
}

void ValidadorRegistro::limitado(const Campo& s, const MensajesLimitado& m) {
  if (fallaSi(sobre(s, noNumerico), m.noNumerico, s) || fallaSi(sobre(s, esCero), m.cero, s)) return;
  fallaSi(Condition(vt::conv::Len(vt::conv::Trim(*s)) > m.maximo), m.largo, s);
}

std::string ValidadorRegistro::termina() {
  if (!berror_record_ && entrada_ != Entrada::ConservaSiempre) ds_errores_.clear();
  return "OK";
}

std::optional<double> anioEstricto(const std::string& nu_anio) { return vt::conv::StrictNumber(nu_anio); }

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

double porMascara(double valor, std::string_view mascara) {
  return vt::conv::StrictNumber(vt::conv::FormatNumber(valor, mascara)).value_or(0);
}

}  // namespace valtrone
