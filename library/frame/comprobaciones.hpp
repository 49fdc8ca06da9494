#pragma once
// Module routines the validators share besides the class members: the tolerance comparison of two
// amounts and the income-tax and dividend tables. The tables are read on the thread's gdbConexion,
// which these routines neither open nor close; database failures raise to the caller.

#include <optional>
#include <string>

#include "platform/conversions/conversions.hpp"

namespace valtrone {

// The difference, rounded to three decimals, lies within ±tolerance (both bounds included); a
// tolerance of 0 or less asks for a difference of 0. The conversions hold the one implementation.
inline bool gfDentroTolerancia(double tolerance, double a, double b) {
  return vt::conv::WithinTolerance(tolerance, a, b);
}

// Yearly income tax of `base` from the brackets of tbRDEP_Tabla for `year`, unrounded; -1 when no
// bracket holds the base. At a bound shared by two brackets the upper bracket is taken.
double gfImpuestoRentaTabla(std::string& year, double& base);
// Tax on a dividend from tbDividendos_Tabla, rounded to two decimals; -1 when no bracket holds the
// base. `year` plays no part in the lookup.
double gfImpuestoDividendos(std::string& year, double& base);

// The newest row of an income-tax withholding code in force on `dia` (tbcttgCoRetenIR, through
// CLSVarios.gfVerificaRegistro_IR): its legal percentage and its entry state as stored ("" for
// Null). nullopt when the code is not in force that day; raises when the lookup cannot run.
struct RetencionIRVigente {
  double va_reten = 0;
  std::string st_ingreso;
};
std::optional<RetencionIRVigente> gfRetencionIRVigente(const std::string& co_reten,
                                                       const vt::conv::Date& dia);

// The income tax a withholding of `porcentaje` % on `base` must show, unrounded: the base to the
// cent times the rate as written. 1.75 % of 1000.00 is 17.50; a rate rounded first (0.018 or
// 0.02) would ask for 18.00 or 20.00. Every validator, sheet or record, compares with this one.
double retencionIRCalculada(double base, double porcentaje);

}  // namespace valtrone
