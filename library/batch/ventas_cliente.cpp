// Sales, columns 0 to 6: the company, the period, the client's identification and name, and the
// establishment.

#include "library/batch/periodo_hoja.hpp"
#include "library/batch/ventas.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::StrictNumber;
using vt::conv::Trim;
using vt::conv::Upper;

namespace {

// Two numbers that differ; not known when either is missing.
Condition difieren(const std::optional<double>& a, const std::optional<double>& b) {
  if (!a || !b) return std::nullopt;
  return *a != *b;
}

}  // namespace

void VentasRun::periodo(FilaVenta& f) {
  compruebaPeriodo(
      f, co_empresa_, mes_, [&](const std::string& c1) { return difieren(StrictNumber(c1), mes_); },
      [&](const std::string& c2) { return difieren(StrictNumber(c2), anio_); });
}

void VentasRun::cliente(FilaVenta& f) {
  BloqueErrorRegistro& b = f.bloque;

  const std::string c3 = f.set(kVTipoId, Upper(Trim(FormatNumberText(f.get(kVTipoId), "#"))));
  if (c3 != "P" && c3 != "F" && c3 != "R" && c3 != "C") b.falla("Tipo de identificación no válido ", c3);

  const std::string c4 =
      f.set(kVIdCliente, Upper(Trim(FormatNumberText(f.get(kVIdCliente), "0000000000000"))));
  const std::string c5 = f.set(kVNombre, Trim(f.get(kVNombre)));

  const std::string c6 = f.set(kVEstablecimiento, FormatNumberText(f.get(kVEstablecimiento), "000"));
  if (!IsNumericText(c6)) {
    b.falla("Establecimiento no válido ", c6);
  } else if (StrictNumber(c6) == 0.0) {
    b.falla("Establecimiento no puede ser cero ", c6);
  }

  // The caller may ask that a client who cannot be identified be recorded as a final consumer.
  FallaIdentificacion consumidorFinal;
  if (convierteConsumidorFinal_) {
    consumidorFinal = [&f](const std::string&, const std::string&) {
      f.set(kVIdCliente, kConsumidorFinal);
      f.set(kVTipoId, "F");
    };
  }
  compruebaIdentificacion(b, c3, c4, c5, consumidorFinal);
}

}  // namespace valtrone
