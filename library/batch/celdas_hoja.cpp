// How the sheet validators read and show their cells.

#include "library/batch/celdas_hoja.hpp"

#include "library/frame/thread_context.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

std::string montoMensaje(double value, std::string_view mask) {
  const vt::ConfiguracionRegional& r = ctx().config.regional;
  return vt::conv::RegionalNumberText(vt::conv::FormatNumber(value, mask),
                                      r.gsSepMiles.empty() ? "," : r.gsSepMiles,
                                      r.gsSepDecimal.empty() ? "." : r.gsSepDecimal);
}

std::string montoMensaje(std::string_view cell, std::string_view mask) {
  const std::optional<double> value = vt::conv::StrictNumber(cell);
  return value ? montoMensaje(*value, mask) : std::string(cell);
}

CeldaFecha leeCeldaFecha(std::string_view text, std::string_view pattern) {
  CeldaFecha cell{std::string(text),
                  vt::conv::ParseDateByPattern(text, ctx().config.regional.gsFormatoFecha)};
  if (cell.fecha) cell.texto = vt::conv::FormatDate(*cell.fecha, pattern);
  return cell;
}

}  // namespace valtrone
