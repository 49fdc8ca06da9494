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
    : archivo_(archivo_reten), berror_record_(berror_record), ds_errores_(ds_errores) {
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

void ValidadorRegistro::serie(const Campo& s) {
  fallaSi(sobre(s, noNumerico), "Número de Serie no válido: ", s);
  fallaSi(sobre(s, esCero), "Número de Serie no puede ser cero ", s);
  const Campo establecimiento = s ? Campo(vt::conv::Left(*s, 3)) : std::nullopt;
  if (!fallaSi(sobre(establecimiento, esCero), "Número de Serie - Código de establecimiento no válido ",
               establecimiento)) {
    const Campo punto = vt::conv::Right(*s, 3);
    fallaSi(sobre(punto, esCero), "Número de Serie - Punto de emisión no válido ", punto);
  }
}

void ValidadorRegistro::secuencia(const Campo& s) {
  if (!fallaSi(sobre(s, noNumerico), "Número de Secuencia de comprobante no válido: ", s))
    fallaSi(sobre(s, esCero), "Número de Secuencia de comprobante no puede ser cero ", s);
}

std::string ValidadorRegistro::termina() {
  if (!berror_record_) ds_errores_.clear();
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
                                const std::string& transacciones) {
  try {
    std::string codigo = comprobante, lista = transacciones, anexo;
    return !objeto.Valida_Comprob_x_SecTran(codigo, lista, anexo);
  } catch (const std::exception&) {
    noteCurrentError();
    return std::nullopt;
  }
}

double porMascara(double valor, std::string_view mascara) {
  return vt::conv::StrictNumber(vt::conv::FormatNumber(valor, mascara)).value_or(0);
}

}  // namespace valtrone
