#include "shell/qt/texto_con_boton.hpp"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace ambrix::qt {

TextoConBoton::TextoConBoton(const QString& sBoton, QWidget* parent)
    : QWidget(parent), editor_(new QLineEdit(this)), boton_(new QPushButton(sBoton, this)) {
  auto* fila = new QHBoxLayout(this);
  fila->setContentsMargins(0, 0, 0, 0);
  fila->setSpacing(2);
  fila->addWidget(editor_, 1);
  fila->addWidget(boton_);
  editor_->setObjectName(QStringLiteral("texto"));
  boton_->setObjectName(QStringLiteral("boton"));
  setFocusProxy(editor_);
  connect(boton_, &QPushButton::clicked, this, &TextoConBoton::ButtonClick);
}

QString TextoConBoton::text() const { return editor_->text(); }

void TextoConBoton::setText(const QString& sTexto) { editor_->setText(sTexto); }

}  // namespace ambrix::qt
