#include "shell/qt/lista_combo_qt.hpp"

#include <QSignalBlocker>

namespace ambrix::qt {

// A QComboBox selects the first item added to it; a list's selection stays as it was, and adding
// is no click.
void ListaComboQt::AddItem(const std::string& sTexto, long lItemData) {
  const QSignalBlocker sinClic(combo_);
  const int antes = combo_.currentIndex();
  combo_.addItem(QString::fromStdString(sTexto), QVariant::fromValue(static_cast<qlonglong>(lItemData)));
  combo_.setCurrentIndex(antes);
}

std::string ListaComboQt::List(int iIndice) const {
  return valid(iIndice) ? combo_.itemText(iIndice).toStdString() : std::string();
}

long ListaComboQt::ItemData(int iIndice) const {
  return valid(iIndice) ? static_cast<long>(combo_.itemData(iIndice).toLongLong()) : 0;
}

void ListaComboQt::setItemData(int iIndice, long lDato) {
  if (valid(iIndice)) combo_.setItemData(iIndice, QVariant::fromValue(static_cast<qlonglong>(lDato)));
}

void ListaComboQt::setListIndex(int iIndice) { combo_.setCurrentIndex(valid(iIndice) ? iIndice : -1); }

}  // namespace ambrix::qt
