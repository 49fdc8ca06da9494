#include "xml/lectura.hpp"

#include <cmath>

#include "platform/conversions/conversions.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/valores.hpp"

namespace ambrix::xml {

namespace {

[[noreturn]] void nullNoValido() { vt::raiseRuntimeError(vt::kErrInvalidUseOfNull, gsTitulo); }
[[noreturn]] void tiposNoCoinciden() { vt::raiseRuntimeError(vt::kErrTypeMismatch, gsTitulo); }

}  // namespace

std::string textoRequerido(const Value& v) {
  if (v.isNull()) nullNoValido();
  return textOf(v);
}

std::string texto(const Value& v) { return textOf(v); }

double numeroRequerido(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::Null:
      nullNoValido();
    case Value::Kind::Integer:
    case Value::Kind::Double:
      return v.asDouble();
    case Value::Kind::Text:
      if (const auto n = vt::conv::StrictNumber(v.asText())) return *n;
      tiposNoCoinciden();
    default:
      tiposNoCoinciden();
  }
}

double numeroOCero(const Value& v) { return v.isNull() ? 0 : numeroRequerido(v); }

bool distintoDeCero(const Value& v) { return !v.isNull() && numeroRequerido(v) != 0; }

double valorNumerico(const Value& v) { return vt::conv::LeadingNumber(textoRequerido(v)); }

std::string importe(double dValor) { return vt::conv::FormatNumber(dValor, "########0.00"); }

std::string importe(const Value& v, double dSigno) {
  if (v.isNull()) return "";
  return importe(dSigno * numeroRequerido(v));
}

std::string conMascara(const Value& v, std::string_view mascara) {
  return vt::conv::FormatNumberText(textOf(v), mascara);
}

std::string codigoNumerico(const Value& v) { return vt::conv::FormatNumber(valorNumerico(v), "00"); }

std::string fecha(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::Null:
      return "";
    case Value::Kind::DateTime:
      return vt::conv::FormatDate(v.asTimestamp().value.date, "dd/MM/yyyy");
    case Value::Kind::Text:
      return vt::conv::FormatDateText(v.asText(), "dd/MM/yyyy");
    default:
      return textOf(v);
  }
}

long long centavos(double dValor) { return std::llround(dValor * 100); }

}  // namespace ambrix::xml
