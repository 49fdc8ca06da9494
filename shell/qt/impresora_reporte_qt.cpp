#include "shell/qt/impresora_reporte_qt.hpp"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "shell/qt/impresion.hpp"

namespace ambrix::qt {

namespace {

QPageSize tamano(const std::string& pagina) {
  if (pagina == "Carta" || pagina == "Letter") return QPageSize(QPageSize::Letter);
  if (pagina == "A5") return QPageSize(QPageSize::A5);
  return QPageSize(QPageSize::A4);
}

}  // namespace

void ImpresoraReporteQt::imprimir(const DocumentoReporte& documento, const std::string& sTituloVentana) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(documento.titulo));
  printer.setPageLayout(QPageLayout(
      tamano(documento.pagina), documento.horizontal ? QPageLayout::Landscape : QPageLayout::Portrait,
      QMarginsF(documento.margenMm, documento.margenMm, documento.margenMm, documento.margenMm),
      QPageLayout::Millimeter));
  QPrintDialog dialogo(&printer, parent_);
  dialogo.setWindowTitle(QString::fromStdString(sTituloVentana));
  dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
  if (ejecutarDialogo(dialogo) != QDialog::Accepted)
    throw ErrorReporte(kErrReporteImpresora, "Impresión cancelada por el usuario");
  if (!printer.isValid()) throw ErrorReporte(kErrReporteImpresora, "La impresora no está disponible");
  QTextDocument doc;
  doc.setDocumentMargin(0);
  doc.setHtml(QString::fromStdString(documento.html));
  doc.print(&printer);
  if (printer.printerState() == QPrinter::Error)
    throw ErrorReporte(kErrReporteImpresora, "La impresora no aceptó el documento");
}

}  // namespace ambrix::qt
