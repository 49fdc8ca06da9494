// The contract of the single-record validators: the fault flag and text, the fields, and the
// period every record opens with.

#include "library/record/validador_registro.hpp"

#include <utility>

#include "platform/conversions/conversions.hpp"

namespace valtrone {

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

std::string ValidadorRegistro::termina() {
  if (!berror_record_ && entrada_ != Entrada::ConservaSiempre) ds_errores_.clear();
  return "OK";
}

}  // namespace valtrone
