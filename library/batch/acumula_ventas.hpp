#pragma once
// The insert of one sales row into tbAT_Ventas_x_Acumular, as the accumulation loaders write it.

#include <cstdint>
#include <string>

#include "platform/automation/string_matrix.hpp"

namespace valtrone {

struct InsercionAcumulada {
  std::string campos;   // "(" columns ")", id_reg first under ORACLE
  std::string valores;  // "(" values ")"
};

// Row f's lists. Column 3 of the row is rewritten in the array first (R, C, P, F to 04-07).
InsercionAcumulada insercionVentaAcumulada(bool oracle, vt::automation::StringMatrix& h, long f, int16_t iPocIVA);

}  // namespace valtrone
