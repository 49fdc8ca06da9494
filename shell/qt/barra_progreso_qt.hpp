#pragma once
// prgprogreso over a QProgressBar. The bar ignores a value outside its range; the getters still
// give back what the core set.

#include <QProgressBar>

#include "shell/core/ventana_ats.hpp"

namespace ambrix::qt {

class BarraProgresoQt : public IBarraProgreso {
 public:
  explicit BarraProgresoQt(QProgressBar& barra) : barra_(barra) {}
  void Visible(bool bVisible) override { barra_.setVisible(bVisible); }
  void Min(long lMin) override;
  void Max(long lMax) override;
  void Value(long lValor) override;
  long Min() const override { return min_; }
  long Max() const override { return max_; }
  long Value() const override { return value_; }

 private:
  void show();

  QProgressBar& barra_;
  long min_ = 0;
  long max_ = 100;
  long value_ = 0;
};

}  // namespace ambrix::qt
