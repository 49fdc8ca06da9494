#include "shell/qt/centra_form.hpp"

#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "shell/qt/anfitrion.hpp"
#include "shell/qt/twips.hpp"

namespace ambrix::qt {

QPoint centeredPosition(const QRect& area, const QSize& ventana) {
  const int left = (area.width() - ventana.width()) / 2 - Twips(1500);
  const int top = (area.height() - ventana.height()) / 2 - Twips(1000);
  return {area.x() + std::max(0, left), area.y() + std::max(0, top)};
}

void gsCentraForm(QWidget& form) {
  if (isEmbedded(form)) {
    form.move(0, 0);
    return;
  }
  const QScreen* pantalla = form.screen();
  if (!pantalla) return;
  form.move(centeredPosition(pantalla->availableGeometry(), form.frameGeometry().size()));
}

}  // namespace ambrix::qt
