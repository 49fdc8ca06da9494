#pragma once
// A text box with a button at its right end ("Buscar...", "Seleccionar..."): the path boxes of
// the main window.

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace ambrix::qt {

class TextoConBoton : public QWidget {
  Q_OBJECT

 public:
  TextoConBoton(const QString& sBoton, QWidget* parent = nullptr);
  QString text() const;
  void setText(const QString& sTexto);
  QLineEdit* editor() const { return editor_; }
  QPushButton* boton() const { return boton_; }

 signals:
  void ButtonClick();

 private:
  QLineEdit* editor_;
  QPushButton* boton_;
};

}  // namespace ambrix::qt
