#include "shell/qt/impresion.hpp"

#include <QPrintDialog>
#include <QPrinter>
#include <utility>

namespace ambrix::qt {

namespace {

RespuestaDialogo& respuestaActual() {
  static RespuestaDialogo respuesta;
  return respuesta;
}

}  // namespace

void setRespuestaDialogo(RespuestaDialogo respuesta) { respuestaActual() = std::move(respuesta); }

QString pdfSinDialogo() { return qEnvironmentVariable("AMBRIX_PRINT_PDF"); }

int ejecutarDialogo(QPrintDialog& dialogo) {
  if (respuestaActual()) return respuestaActual()(dialogo);
  const QString pdf = pdfSinDialogo();
  if (!pdf.isEmpty()) {
    dialogo.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialogo.printer()->setOutputFileName(pdf);
    return QDialog::Accepted;
  }
  return dialogo.exec();
}

}  // namespace ambrix::qt
