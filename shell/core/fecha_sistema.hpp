#pragma once
// The database server's clock (gfFechaSistema).

#include <cstdint>
#include <optional>
#include <string>

#include "platform/conversions/datetime.hpp"

namespace ambrix {

inline constexpr const char* kFechaNoActualizada = "No se pudo actualizar la fecha del sistema...";
inline constexpr const char* kFechaNoConsultada = "Error al consultar la fecha del sistema...";

// The server's date ("f", gsFechaCorta), time ("h", hh:mm:ss) or both ("fh"), as text; or a
// failure text. iEstado: -1 for another sTipo and for an engine other than the three (callers
// stop), the rows the refresh changed on the file engine, 0 when no time could be read, else as
// the caller set it. Provider errors go to the caller (an open refresh transaction is rolled back).
std::string gfFechaSistema(std::int16_t& iEstado, const std::string& sTipo);

// The same; dtServidor holds the server time when the result is one and is empty when the result
// is a failure text, so callers need not recognise the texts (and can write the time as a literal).
std::string gfFechaSistema(std::int16_t& iEstado, const std::string& sTipo,
                           std::optional<vt::conv::DateTime>& dtServidor);

}  // namespace ambrix
