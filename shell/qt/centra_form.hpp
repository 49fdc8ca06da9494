#pragma once
// gsCentraForm: placing a window on the screen.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ambrix::qt {

// Where gsCentraForm puts a window of the size on the available area: its centre 1500 twips left
// of and 1000 twips above the area's centre, but never left of or above the area.
QPoint centeredPosition(const QRect& area, const QSize& ventana);

// Inside a host window the form sits at the host's origin; otherwise as above on its screen.
void gsCentraForm(QWidget& form);

}  // namespace ambrix::qt
