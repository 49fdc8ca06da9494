#pragma once
// Recording doubles of the main window, the import and the XML writer for tests of the main
// action: every call becomes an event line; the import and the writer keep their arguments.

#include <functional>
#include <string>
#include <vector>

#include "shell/core/ventana_ats.hpp"

namespace ambrix::testing {

class BarraGrabada : public IBarraProgreso {
 public:
  explicit BarraGrabada(std::vector<std::string>& eventos) : eventos_(eventos) {}
  void Visible(bool b) override { visible = b; }
  void Min(long v) override { min = v; }
  void Max(long v) override { max = v; }
  void Value(long v) override {
    value = v;
    ++movimientos;
  }
  long Min() const override { return min; }
  long Max() const override { return max; }
  long Value() const override { return value; }

  bool visible = false;
  long min = 0, max = 100, value = 0;
  long movimientos = 0;  // values set

 private:
  std::vector<std::string>& eventos_;
};

class VentanaGrabada : public IVentanaATS {
 public:
  IBarraProgreso& prgprogreso() override { return barra; }
  void XPStatusBar_Panel1(const std::string& s) override { eventos.push_back("STATUS " + s); }
  void lblTotReg_Caption(const std::string&) override {}
  void lblTotReg_Visible(bool) override {}
  void cmdCancel_Enabled(bool b) override { cmdCancel = b; }
  int cmbTipo_file_ListIndex() const override { return datos.cmbTipo_file; }
  std::string txtPath() const override { return datos.txtPath; }
  std::string txtFileATS_XML() const override { return datos.txtFileATS_XML; }
  void txtFileATS_XML(const std::string& s) override { datos.txtFileATS_XML = s; }
  void PunteroEspera(bool b) override { reloj = b; }
  void FocoTipoArchivo() override { eventos.push_back("FOCO cmbTipo_file"); }
  void DoEvents() override { eventos.push_back("YIELD"); }
  void Refrescar() override {}
  void AbrirVisorErrores(const std::string& t, const std::string& r) override {
    eventos.push_back("VIEWER " + t + " " + r);
  }

  std::vector<std::string> eventos;
  BarraGrabada barra{eventos};
  DatosVentanaATS datos;
  bool reloj = false;
  bool cmdCancel = true;
};

class ImportadorGrabado : public IImportadorATS {
 public:
  std::string gfProcesaArchivoATS(ParamProcesoATS& p) override {
    pasadas.push_back(p);
    if (p.ti_proceso == 2) p.finAlmacen = finAlmacen;
    if (alProcesar) alProcesar(p);
    return pasadas.size() <= estados.size() ? estados[pasadas.size() - 1] : "OK";
  }
  bool gfCargaHojas(ParamProcesoATS& p, std::string& sError) override {
    cargas.push_back(p);
    sError = errorDeCarga;
    return errorDeCarga.empty();
  }

  std::vector<std::string> estados;              // per pass; "OK" once they run out
  FinAlmacen finAlmacen = FinAlmacen::Completo;  // what a store pass reports beside its status
  std::string errorDeCarga;
  std::function<void(ParamProcesoATS&)> alProcesar;
  std::vector<ParamProcesoATS> pasadas;
  std::vector<ParamProcesoATS> cargas;
};

class GeneradorGrabado : public IGeneradorXML {
 public:
  bool GeneraXML_ATS(ParamGeneraXML& p) override {
    llamadas.push_back(p);
    return guardado;
  }
  bool guardado = true;
  std::vector<ParamGeneraXML> llamadas;
};

}  // namespace ambrix::testing
