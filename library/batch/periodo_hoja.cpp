#include "library/batch/periodo_hoja.hpp"

namespace valtrone {

bool esMesDelAnio(const std::string& celda) {
  const std::optional<double> mes = vt::conv::StrictNumber(celda);
  return mes && *mes >= 1 && *mes <= 12 && *mes == static_cast<int>(*mes);
}

}  // namespace valtrone
