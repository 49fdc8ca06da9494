// The bracket tables: tax = tax on the lower bound + the part of the base above it at the
// bracket's percentage.

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "library/frame/comprobaciones.hpp"
#include "library/frame/sentencias.hpp"
#include "platform/database/sql_text.hpp"

namespace valtrone {
namespace {

// The base as SQL text: "." whatever the regional settings, the shortest text that reads back as
// the same double, never an exponent, so the lookup compares the very value the formula uses.
std::string baseText(double base) {
  if (base == 0) return "0";  // no "-0"
  char buffer[400];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, base, std::chars_format::fixed).ptr;
  return std::string(buffer, end);
}

// The first bracket holding `base` under `condition` (both bounds inclusive, the higher lower
// bound first); nullopt when none does.
std::optional<double> bracketTax(const std::string& table, const std::string& yearCondition, double base) {
  // Infinity and NaN fall in no bracket; written into SQL they would not even be numbers.
  if (!std::isfinite(base)) return std::nullopt;
  const std::string b = baseText(base);
  RecordsetRef rs;
  gsConsultaRegistro("*", table,
                     "where " + yearCondition + "mo_FraBasica <= " + b + " and mo_FraExced >= " + b +
                         " order by mo_FraBasica desc",
                     rs);
  if (rs->eof()) return std::nullopt;
  const double lower = rs->field("mo_FraBasica").asDouble();
  const double taxOnLower = rs->field("mo_Imp_FB").asDouble();
  const double percent = rs->field("mo_imp_FE").asDouble();
  return taxOnLower + (base - lower) * percent / 100;
}

}  // namespace

double gfImpuestoRentaTabla(std::string& year, double& base) {
  return bracketTax("tbRDEP_Tabla", "co_anio = " + vt::db::quoteSql(year) + " and ", base).value_or(-1);
}

double gfImpuestoDividendos(std::string&, double& base) {
  const auto tax = bracketTax("tbDividendos_Tabla", "", base);
  if (!tax) return -1;
  return vt::conv::NumberByMask(*tax, "########0.00");
}

double retencionIRCalculada(double base, double porcentaje) {
  return vt::conv::NumberByMask(base, "########0.00") * (porcentaje / 100);
}

}  // namespace valtrone
