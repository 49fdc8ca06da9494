#pragma once
// A report's document laid out by QTextDocument on a paged device: the printer the print dialog
// gives, or a PDF file written without any dialog. Needs only Qt GUI, so a program without
// windows can print to PDF on the offscreen platform.

#include <QPageLayout>
#include <string>

#include "shell/core/control_reporte.hpp"

class QPagedPaintDevice;

namespace ambrix::qt {

// The report's page: size, orientation and margins.
QPageLayout paginaReporte(const DocumentoReporte& documento);

// The document painted on the device's page, over as many pages as it takes.
void pintarReporte(const DocumentoReporte& documento, QPagedPaintDevice& dispositivo);

// Prints to one PDF file. The file appears whole or not at all: a document that cannot be
// written leaves an older file of that name as it was, and raises ErrorReporte 5.
class ImpresoraReportePdf : public ambrix::IImpresoraReporte {
 public:
  explicit ImpresoraReportePdf(std::string sRuta) : ruta_(std::move(sRuta)) {}
  void imprimir(const DocumentoReporte& documento, const std::string& sTituloVentana) override;
  bool impreso() const { return impreso_; }

 private:
  std::string ruta_;
  bool impreso_ = false;
};

}  // namespace ambrix::qt
