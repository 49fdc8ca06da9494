#pragma once
// The main window of the batch program: its lists and input values in memory, and what the main
// action and the import show on it printed as transcript lines ("STATUS: <panel 1>",
// "PROGRESS: <value>/<max>", "VIEWER: <title> <path>"). Yields count towards a scripted press of
// the cancel button.

#include <iosfwd>
#include <string>

#include "shell/core/inicio.hpp"
#include "shell/core/lista_combo.hpp"
#include "shell/core/ventana_ats.hpp"

namespace ambrix::batch {

// prgprogreso; a line per change of its value.
class BarraConsola : public IBarraProgreso {
 public:
  explicit BarraConsola(std::ostream& out) : out_(out) {}
  void Visible(bool) override {}
  void Min(long lMin) override { min_ = lMin; }
  void Max(long lMax) override { max_ = lMax; }
  void Value(long lValor) override;
  long Min() const override { return min_; }
  long Max() const override { return max_; }
  long Value() const override { return value_; }

 private:
  std::ostream& out_;
  long min_ = 0;
  long max_ = 100;
  long value_ = 0;
};

class VentanaBatch : public IVentanaATS {
 public:
  // iCancelarEnYield: the yield at which the cancel button is pressed; 0 never.
  VentanaBatch(std::ostream& out, long iCancelarEnYield);

  ListasVentanaATS listas();
  // The values of the lists' selections copied into datos (company item, month, year, file type,
  // validation level), as the window fills the snapshot right before a run.
  void takeListSelections();

  IBarraProgreso& prgprogreso() override { return barra_; }
  void XPStatusBar_Panel1(const std::string& sTexto) override;
  void lblTotReg_Caption(const std::string&) override {}
  void lblTotReg_Visible(bool) override {}
  void cmdCancel_Enabled(bool) override {}
  int cmbTipo_file_ListIndex() const override { return datos.cmbTipo_file; }
  std::string txtPath() const override { return datos.txtPath; }
  std::string txtFileATS_XML() const override { return datos.txtFileATS_XML; }
  void txtFileATS_XML(const std::string& sTexto) override { datos.txtFileATS_XML = sTexto; }
  void PunteroEspera(bool) override {}
  void FocoTipoArchivo() override {}
  void DoEvents() override;
  void Refrescar() override {}
  void AbrirVisorErrores(const std::string& sTitulo, const std::string& sRuta) override;

  ListaComboMemoria cmbEmpresas;
  ListaComboMemoria cmbMeses;
  ListaComboMemoria cmbanios;
  ListaComboMemoria cmbTipo_file;
  ListaComboMemoria cmbValidaCompras;
  DatosVentanaATS datos;

 private:
  std::ostream& out_;
  BarraConsola barra_;
  std::string panel1_;
  long yields_ = 0;
  long cancelarEnYield_;
};

}  // namespace ambrix::batch
