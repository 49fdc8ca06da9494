#include "apps/ambrix-batch/receipt_mode.hpp"

#include <QGuiApplication>
#include <iostream>

#include "shell/core/talon_resumen.hpp"
#include "shell/qt/documento_reporte_qt.hpp"

namespace ambrix::batch {

namespace {

// Qt's notes about the environment (no runtime folder, a missing font) are not the program's
// messages and would break the transcript; only its errors are shown.
void soloErroresQt(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
  if (tipo == QtCriticalMsg || tipo == QtFatalMsg) std::cerr << "Qt: " << texto.toStdString() << '\n';
}

}  // namespace

int printReceipt(VentanaBatch& ventana, const std::string& sPdf) {
  // Fonts and the layout of text need a GUI application; no display is ever touched.
  static char nombre[] = "ambrix-batch";
  static char opcion[] = "-platform";
  static char plataforma[] = "offscreen";
  static char* argv[] = {nombre, opcion, plataforma, nullptr};
  int argc = 3;
  qInstallMessageHandler(soloErroresQt);
  QGuiApplication app(argc, argv);

  qt::ImpresoraReportePdf impresora(sPdf);
  ControlReporte rptTalonResumen(impresora);
  cmdImprimir_Click(ventana.datos, ventana, rptTalonResumen);
  return impresora.impreso() ? 0 : 3;
}

}  // namespace ambrix::batch
