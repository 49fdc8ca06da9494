#pragma once
// The report-printing control the print button drives (rptTalonResumen): connection text, report
// file, window title, formulas by index, five print settings it keeps, print with a numeric
// result and the last error. ControlReporte reads the program's own report files (reporte_ats.hpp)
// and hands the document to a renderer; only the renderer knows about printers.

#include <array>
#include <map>
#include <string>

#include "shell/core/reporte_ats.hpp"

namespace ambrix {

class IControlReporte {
 public:
  virtual ~IControlReporte() = default;
  virtual void Connect(const std::string& sTexto) = 0;
  virtual std::string Connect() const = 0;
  virtual void ReportFileName(const std::string& sRuta) = 0;
  virtual std::string ReportFileName() const = 0;
  virtual void WindowTitle(const std::string& sTitulo) = 0;
  virtual std::string WindowTitle() const = 0;
  // "name = \"value\"" (a quote inside the value doubled); "" ends the list.
  virtual void Formulas(int iIndice, const std::string& sFormula) = 0;
  virtual std::string Formulas(int iIndice) const = 0;
  // The four numeric and the one text setting given before printing; kept, with no effect here.
  virtual void AjustesImpresion(const std::array<long, 4>& aNumeros, const std::string& sTexto) = 0;
  // 0 when printed; otherwise LastErrorNumber.
  virtual int PrintReport() = 0;
  virtual long LastErrorNumber() const = 0;
  virtual std::string LastErrorString() const = 0;
};

// Prints a report's document; throws ErrorReporte 5 when no printer takes it or the user cancels.
class IImpresoraReporte {
 public:
  virtual ~IImpresoraReporte() = default;
  virtual void imprimir(const DocumentoReporte& documento, const std::string& sTituloVentana) = 0;
};

// "name = \"value\"" taken apart; false when the text is no formula of that form.
bool leerFormula(const std::string& sFormula, std::string& sNombre, std::string& sValor);
// The formula text for a value: quotes inside it doubled.
std::string textoFormula(const std::string& sNombre, const std::string& sValor);

class ControlReporte : public IControlReporte {
 public:
  explicit ControlReporte(IImpresoraReporte& impresora) : impresora_(impresora) {}

  void Connect(const std::string& sTexto) override { connect_ = sTexto; }
  std::string Connect() const override { return connect_; }
  void ReportFileName(const std::string& sRuta) override { archivo_ = sRuta; }
  std::string ReportFileName() const override { return archivo_; }
  void WindowTitle(const std::string& sTitulo) override { titulo_ = sTitulo; }
  std::string WindowTitle() const override { return titulo_; }
  void Formulas(int iIndice, const std::string& sFormula) override { formulas_[iIndice] = sFormula; }
  std::string Formulas(int iIndice) const override;
  void AjustesImpresion(const std::array<long, 4>& aNumeros, const std::string& sTexto) override {
    ajustes_ = aNumeros;
    ajusteTexto_ = sTexto;
  }
  // Reads the report file, fills it from the formulas and gConexion, and prints it.
  int PrintReport() override;
  long LastErrorNumber() const override { return errorNumero_; }
  std::string LastErrorString() const override { return errorTexto_; }

  // The formulas' values by name, up to the first empty formula.
  std::map<std::string, std::string> valoresFormulas() const;

 private:
  IImpresoraReporte& impresora_;
  std::string connect_, archivo_, titulo_, ajusteTexto_;
  std::map<int, std::string> formulas_;
  std::array<long, 4> ajustes_{};
  long errorNumero_ = 0;
  std::string errorTexto_;
};

}  // namespace ambrix
