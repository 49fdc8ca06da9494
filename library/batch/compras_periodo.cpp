// Purchases, columns 0 to 4: the company, the period and the issue and accounting dates.

#include "library/batch/compras.hpp"
#include "library/batch/periodo_hoja.hpp"

namespace valtrone {

using vt::conv::Date;
using vt::conv::FormatNumberText;
using vt::conv::LeadingNumber;
using vt::conv::VbStr;

namespace {

// The date day/month/year built from numbers as the text "d/m/y"; nullopt when that is no date
// (31 February, a month 0).
std::optional<Date> fechaDe(double day, double month, double year) {
  return vt::conv::ParseDateByPattern(VbStr(day) + "/" + VbStr(month) + "/" + VbStr(year), "dd/mm/yyyy");
}

// A comparison of dates, not known when either date is missing.
template <class Compare>
Condition compara(const std::optional<Date>& a, const std::optional<Date>& b, Compare compare) {
  if (!a || !b) return std::nullopt;
  return compare(*a, *b);
}

}  // namespace

void ComprasRun::periodoYFechas(FilaCompra& f) {
  BloqueErrorRegistro& b = f.bloque;

  const std::optional<double> mesPeriodo = vt::conv::StrictNumber(nu_mes_);
  compruebaPeriodo(
      f, co_empresa_, mesPeriodo,
      [&](const std::string& c1) { return mesPeriodo ? Condition(LeadingNumber(c1) != *mesPeriodo) : std::nullopt; },
      [&](const std::string& c2) { return Condition(LeadingNumber(nu_anio_) != LeadingNumber(c2)); });
  const double mes = LeadingNumber(f.get(kCMes));
  const double anio = LeadingNumber(f.get(kCAnio));

  const CeldaFecha emision = leeCeldaFecha(f.get(kCFechaEmision));
  const std::string c3 = f.set(kCFechaEmision, emision.texto);
  if (!emision.fecha) b.falla("Fecha de emisión de comprobante no es válido: ", c3);
  if (anual_) {
    if (emision.fecha) {
      const std::optional<Date> primero = vt::conv::ParseDateByPattern(
          "01/" + std::to_string(emision.fecha->month) + "/" + nu_anio_, "dd/mm/yyyy");
      iUltimoDia_ = primero ? vt::conv::daysInMonth(primero->year, primero->month) : 0;
    }
    const std::optional<Date> limite =
        emision.fecha ? fechaDe(iUltimoDia_, emision.fecha->month, emision.fecha->year) : std::nullopt;
    b.fallaSi(compara(emision.fecha, limite, std::greater<>()),
              "Fecha de emisión de comprobante no debe ser mayor al mes del comprobante ", c3);
  } else {
    b.fallaSi(compara(emision.fecha, fechaDe(iUltimoDia_, mes, anio), std::greater<>()),
              "Fecha de emisión de comprobante no debe ser mayor al mes seleccionado ", c3);
  }

  const CeldaFecha registro = leeCeldaFecha(f.get(kCFechaRegistro));
  const std::string c4 = f.set(kCFechaRegistro, registro.texto);
  const std::optional<Date>& d4 = registro.fecha;
  if (!d4) b.falla("Fecha de contabilización de comprobante no es válido: ", c4);
  if (!anual_) {
    b.fallaSi(d4 ? Condition(mes != d4->month) : std::nullopt,
              "Mes de fecha de contabilización de comprobante " + c4 + " no corresponde ");
  }
  b.fallaSi(d4 ? Condition(d4->year != anio) : std::nullopt,
            "Año de fecha de contabilización de comprobante " + c4 + " no corresponde al año de periodo ");
  b.fallaSi(compara(d4, emision.fecha, std::less<>()),
            "Fecha de contabilización " + c4 + " no puede ser menor que la fecha de emisión " + c3);
}

}  // namespace valtrone
