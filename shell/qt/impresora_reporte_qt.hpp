#pragma once
// Reports printed through Qt: the document laid out by QTextDocument on the page of the report,
// to the printer or file the print dialog (or its seam) gives.

#include "shell/core/control_reporte.hpp"

class QWidget;

namespace ambrix::qt {

class ImpresoraReporteQt : public ambrix::IImpresoraReporte {
 public:
  explicit ImpresoraReporteQt(QWidget* parent = nullptr) : parent_(parent) {}
  void imprimir(const DocumentoReporte& documento, const std::string& sTituloVentana) override;

 private:
  QWidget* parent_;
};

}  // namespace ambrix::qt
