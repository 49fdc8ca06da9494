#include "shell/core/lista_combo.hpp"

namespace ambrix {

void ListaComboMemoria::AddItem(const std::string& sTexto, long lItemData) {
  items_.push_back({sTexto, lItemData});
}

void ListaComboMemoria::Clear() {
  items_.clear();
  listIndex_ = -1;
}

int ListaComboMemoria::ListCount() const { return static_cast<int>(items_.size()); }

std::string ListaComboMemoria::List(int iIndice) const {
  return valid(iIndice) ? items_[static_cast<size_t>(iIndice)].texto : std::string();
}

long ListaComboMemoria::ItemData(int iIndice) const {
  return valid(iIndice) ? items_[static_cast<size_t>(iIndice)].dato : 0;
}

void ListaComboMemoria::setItemData(int iIndice, long lDato) {
  if (valid(iIndice)) items_[static_cast<size_t>(iIndice)].dato = lDato;
}

void ListaComboMemoria::setListIndex(int iIndice) { listIndex_ = valid(iIndice) ? iIndice : -1; }

}  // namespace ambrix
