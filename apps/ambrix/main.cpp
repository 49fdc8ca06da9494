// ambrix: the main window. Started with the host application's X11 window id as its whole
// command line it lives inside that window; without one it is an ordinary window.

#include <QApplication>
#include <QStringList>
#include <QStyleFactory>

#include "import/importador_ats.hpp"
#include "platform/automation/host.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "shell/qt/frm_ats_subir_excel.hpp"
#include "shell/qt/mensajes_qt.hpp"
#include "xml/genera_xml.hpp"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // Qt has taken its own options (-platform, -display ...) out: the rest is the command line.
  QStringList resto = QApplication::arguments();
  resto.removeFirst();
  const std::string linea = resto.join(QLatin1Char(' ')).toStdString();

  ambrix::qt::MensajesQt cajas;
  vt::setProcessMessages(&cajas);
  vt::automation::host::setYieldHook([]() { QCoreApplication::processEvents(); });

  ambrix::ImportadorATS importador;
  ambrix::GeneradorXML generador;
  int estado = 1;
  {
    ambrix::qt::frm_ATS_SubirExcel ventana(importador, generador);
    if (ventana.Form_Load(linea) != ambrix::ResultadoInicio::ConfiguracionFallida)
      estado = QApplication::exec();
  }
  vt::automation::host::setYieldHook({});
  vt::setProcessMessages(nullptr);
  return estado;
}
