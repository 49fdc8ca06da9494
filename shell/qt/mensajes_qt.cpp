#include "shell/qt/mensajes_qt.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ambrix::qt {

namespace {

QMessageBox::Icon iconOf(vt::Icono icono) {
  switch (icono) {
    case vt::Icono::Informacion:
      return QMessageBox::Information;
    case vt::Icono::Exclamacion:
      return QMessageBox::Warning;
    case vt::Icono::Critico:
      return QMessageBox::Critical;
    case vt::Icono::Pregunta:
      return QMessageBox::Question;
    case vt::Icono::Ninguno:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

vt::Respuesta MensajesQt::mostrar(const std::string& texto, vt::Botones botones, vt::Icono icono,
                                  const std::string& titulo) {
  const bool siNo = botones == vt::Botones::SiNo;
  // The texts carry CRLF or CR line breaks; a label breaks at LF only.
  QString cuerpo = QString::fromStdString(texto);
  cuerpo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  cuerpo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(iconOf(icono), QString::fromStdString(titulo), cuerpo,
                  siNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, QApplication::activeWindow());
  if (siNo) {
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sí"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
  } else {
    box.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
  }
  const int respuesta = box.exec();
  if (!siNo) return vt::Respuesta::Aceptar;
  return respuesta == QMessageBox::Yes ? vt::Respuesta::Si : vt::Respuesta::No;
}

}  // namespace ambrix::qt
