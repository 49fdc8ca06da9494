#include "shell/core/fecha_actual.hpp"

#include <ctime>

namespace ambrix {

vt::conv::DateTime currentDateTime() {
  const std::time_t ahora = std::time(nullptr);
  std::tm local{};
  localtime_r(&ahora, &local);
  return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace ambrix
