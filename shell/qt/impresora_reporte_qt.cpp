#include "shell/qt/impresora_reporte_qt.hpp"

#include <QPrintDialog>
#include <QPrinter>

#include "shell/qt/documento_reporte_qt.hpp"
#include "shell/qt/impresion.hpp"

namespace ambrix::qt {

void ImpresoraReporteQt::imprimir(const DocumentoReporte& documento, const std::string& sTituloVentana) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(documento.titulo));
  printer.setPageLayout(paginaReporte(documento));  // the dialog offers the report's page
  QPrintDialog dialogo(&printer, parent_);
  dialogo.setWindowTitle(QString::fromStdString(sTituloVentana));
  dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
  if (ejecutarDialogo(dialogo) != QDialog::Accepted)
    throw ErrorReporte(kErrReporteImpresora, "Impresión cancelada por el usuario");
  if (!printer.isValid()) throw ErrorReporte(kErrReporteImpresora, "La impresora no está disponible");
  pintarReporte(documento, printer);
  if (printer.printerState() == QPrinter::Error)
    throw ErrorReporte(kErrReporteImpresora, "La impresora no aceptó el documento");
}

}  // namespace ambrix::qt
