#pragma once
// Columns 0 to 2 that open a row of every ATS and ICE sheet: the company RUC and the period.

#include <optional>
#include <string>

#include "library/batch/validador_hoja.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

// The month asked for (nu_mes as a number; none when it is no number). "99" asks for the whole
// year.
inline bool esCorridaAnual(const std::optional<double>& mesPeriodo) { return mesPeriodo && *mesPeriodo == 99; }

// A month of the year, 1 to 12, written as a whole number.
bool esMesDelAnio(const std::string& celda);

// Rewrites columns 0 to 2 into their normal forms ("0000000000000", "00", "0000") and checks them
// in that order: the RUC against `co_empresa`, the month, the year by the sheet's own test
// `anioDistinto(c2)`. In a run of one month the month is checked by the sheet's own test
// `mesDistinto(c1)`; in a run of the whole year it is not compared, but it must be a month of the
// year: each row is stored under its own month, and a month outside the year would be refused by
// the database after the run said OK, or be lost to every monthly annex. Both month failures write
// the period message.
template <class MesDistinto, class AnioDistinto>
void compruebaPeriodo(FilaHoja& f, const std::string& co_empresa, const std::optional<double>& mesPeriodo,
                      MesDistinto mesDistinto, AnioDistinto anioDistinto) {
  BloqueErrorRegistro& b = f.bloque;
  const std::string c0 = f.set(0, vt::conv::FormatNumberText(f.get(0), "0000000000000"));
  if (c0 != co_empresa) b.falla("RUC de empresa " + co_empresa + " no coincide con la empresa seleccionada ", c0);

  const std::string c1 = f.set(1, vt::conv::FormatNumberText(f.get(1), "00"));
  const Condition mesFalla = esCorridaAnual(mesPeriodo) ? Condition(!esMesDelAnio(c1)) : mesDistinto(c1);
  b.fallaSi(mesFalla, "Periodo: Mes no coincide con el mes seleccionado : ", c1);

  const std::string c2 = f.set(2, vt::conv::FormatNumberText(f.get(2), "0000"));
  b.fallaSi(anioDistinto(c2), "Periodo: Año no coincide con el año seleccionado : ", c2);
}

}  // namespace valtrone
