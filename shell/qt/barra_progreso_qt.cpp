#include "shell/qt/barra_progreso_qt.hpp"

#include <algorithm>
#include <limits>

namespace ambrix::qt {

namespace {

int toInt(long n) {
  return static_cast<int>(
      std::clamp<long>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

void BarraProgresoQt::Min(long lMin) {
  min_ = lMin;
  show();
}

void BarraProgresoQt::Max(long lMax) {
  max_ = lMax;
  show();
}

void BarraProgresoQt::Value(long lValor) {
  value_ = lValor;
  show();
}

// The bar shows the value within its range; a range set upside down shows empty.
void BarraProgresoQt::show() {
  const int lo = toInt(min_);
  const int hi = std::max(lo, toInt(max_));
  barra_.setRange(lo, hi);
  barra_.setValue(std::clamp(toInt(value_), lo, hi));
}

}  // namespace ambrix::qt
