#pragma once
// The start-up's lists over the window's drop-down lists.

#include <QComboBox>

#include "shell/core/lista_combo.hpp"

namespace ambrix::qt {

class ListaComboQt : public IListaCombo {
 public:
  explicit ListaComboQt(QComboBox& combo) : combo_(combo) {}
  void AddItem(const std::string& sTexto, long lItemData = 0) override;
  void Clear() override { combo_.clear(); }
  int ListCount() const override { return combo_.count(); }
  std::string List(int iIndice) const override;
  long ItemData(int iIndice) const override;
  void setItemData(int iIndice, long lDato) override;
  int ListIndex() const override { return combo_.currentIndex(); }
  void setListIndex(int iIndice) override;

 private:
  bool valid(int iIndice) const { return iIndice >= 0 && iIndice < combo_.count(); }
  QComboBox& combo_;
};

}  // namespace ambrix::qt
