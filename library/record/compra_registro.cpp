// The checks the purchase record validators share.

#include "library/record/compra_registro.hpp"

#include <optional>

#include "library/frame/condiciones.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

using vt::conv::LeadingNumber;
using vt::conv::StrictNumber;

std::string identificacionProveedor(ValidadorRegistro& r, const Campo& tipo, long kNumero, long kNombre) {
  const Campo numero = r.campo(kNumero);
  if (r.fallaSi(sobre(numero, noNumerico), "Numero de identificación debe ser numérico ", numero)) return "";
  if (r.fallaSi(Condition(LeadingNumber(*numero) <= 0), "Numero de identificacion no válido ", numero))
    return "";
  // The type as given: a lower-case or padded letter gets no identity check and no code.
  if (!tipo) return "";
  if (*tipo == "P") return "03";
  if (*tipo != "R" && *tipo != "C") return "";
  if (!identidadValida(*numero, *tipo, IdentityRules::VerificaRUC_Cedula)) {
    r.falla("Numero de Identificacion (RUC, Cédula ) no válido ",
            une({numero, std::string(" "), r.campo(kNombre)}));
  }
  return *tipo == "R" ? "01" : "02";
}

void basesDeCompra(ValidadorRegistro& r, long primera) {
  const Campo noIva = r.campo(primera);
  const Campo cero = r.campo(primera + 1);
  const Campo gravada = r.campo(primera + 2);
  r.fallaSi(sobre(noIva, noNumerico), "Base No Aplica IVA debe ser numérico : ", noIva);
  r.fallaSi(sobre(cero, noNumerico), "Base imponible 0% debe ser numérico : ", cero);
  if (!r.fallaSi(sobre(gravada, noNumerico), "Base imponible gravada debe ser numérico : ", gravada)) {
    r.fallaSi(Condition(*StrictNumber(*gravada) < 0),
              "Base imponible gravada debe ser mayor a cero: ", gravada);
  }
  // A base that is no number leaves no sum to show: the record still fails here, without a line
  // (its own check has told which base it was).
  std::optional<double> suma;
  const std::optional<double> a = noIva ? StrictNumber(*noIva) : std::nullopt;
  const std::optional<double> b = cero ? StrictNumber(*cero) : std::nullopt;
  const std::optional<double> c = gravada ? StrictNumber(*gravada) : std::nullopt;
  if (a && b && c) suma = *a + *b + *c;
  r.fallaSi(suma ? Condition(*suma <= 0) : std::nullopt,
            "Suma de (Base NoIVA + Base 0% + Base Gravada)  debe ser mayor a cero: ",
            suma ? Campo(vt::conv::VbStr(*suma)) : std::nullopt);
}

void comprobantesDeRetencion(ValidadorRegistro& r, long primero, const char* secuenciaCR) {
  const auto fecha = [&](long k, const char* mensaje) {
    const Campo f = r.campo(k);
    r.fallaSi(sobre(f, [](const std::string& s) { return !vt::conv::IsDateText(s); }), mensaje, f);
  };
  const auto numero = [&](long k, const char* mensaje) {
    const Campo n = r.campo(k);
    r.fallaSi(sobre(n, noNumerico), mensaje, n);
  };
  numero(primero, "CR - Número de Serie no válida: ");
  numero(primero + 1, secuenciaCR);
  numero(primero + 2, "CR - Número de Autorizacion no válido: ");
  fecha(primero + 3, "CR - Fecha de emisión no válida: ");
  numero(primero + 4, "CR-2 Número de Serie no válida: ");
  numero(primero + 5, "CR-2 Número de Secuencia no válida: ");
  numero(primero + 6, "CR-2 Número de Autorizacion no válido: ");
  fecha(primero + 7, "CR-2 Fecha de emisión no válida: ");
}

}  // namespace valtrone
