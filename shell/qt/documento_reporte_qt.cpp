#include "shell/qt/documento_reporte_qt.hpp"

#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace ambrix::qt {

namespace {

QPageSize tamano(const std::string& pagina) {
  if (pagina == "Carta" || pagina == "Letter") return QPageSize(QPageSize::Letter);
  if (pagina == "A5") return QPageSize(QPageSize::A5);
  return QPageSize(QPageSize::A4);
}

}  // namespace

QPageLayout paginaReporte(const DocumentoReporte& documento) {
  const double m = documento.margenMm;
  return QPageLayout(tamano(documento.pagina),
                     documento.horizontal ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

void pintarReporte(const DocumentoReporte& documento, QPagedPaintDevice& dispositivo) {
  QTextDocument doc;
  doc.setDocumentMargin(0);
  doc.setHtml(QString::fromStdString(documento.html));
  doc.print(&dispositivo);
}

void ImpresoraReportePdf::imprimir(const DocumentoReporte& documento, const std::string&) {
  const QString ruta = QString::fromStdString(ruta_);
  QSaveFile archivo(ruta);
  if (!archivo.open(QIODevice::WriteOnly))
    throw ErrorReporte(kErrReporteImpresora, "No se pudo crear el archivo PDF " + ruta_);
  {
    // The writer finishes the file when its painter ends, inside print().
    QPdfWriter pdf(&archivo);
    pdf.setTitle(QString::fromStdString(documento.titulo));
    pdf.setPageLayout(paginaReporte(documento));
    pintarReporte(documento, pdf);
  }
  if (!archivo.commit())
    throw ErrorReporte(kErrReporteImpresora, "No se pudo escribir el archivo PDF " + ruta_);
  impreso_ = true;
}

}  // namespace ambrix::qt
