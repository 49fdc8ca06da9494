#include "apps/ambrix-batch/ventana_batch.hpp"

#include <ostream>

#include "platform/errors/mensajes_consola.hpp"
#include "shell/core/procesar.hpp"

namespace ambrix::batch {

void BarraConsola::Value(long lValor) {
  if (lValor == value_) return;
  value_ = lValor;
  out_ << "PROGRESS: " << value_ << '/' << max_ << '\n';
}

VentanaBatch::VentanaBatch(std::ostream& out, long iCancelarEnYield)
    : out_(out), barra_(out), cancelarEnYield_(iCancelarEnYield) {}

ListasVentanaATS VentanaBatch::listas() {
  return {cmbEmpresas, cmbMeses, cmbanios, cmbTipo_file, cmbValidaCompras};
}

void VentanaBatch::takeListSelections() {
  datos.sItemEmpresa = cmbEmpresas.List(cmbEmpresas.ListIndex());
  datos.cmbMeses_ItemData = cmbMeses.ItemData(cmbMeses.ListIndex());
  datos.cmbanios = cmbanios.List(cmbanios.ListIndex());
  datos.cmbTipo_file = cmbTipo_file.ListIndex();
  datos.cmbValidaCompras = cmbValidaCompras.ListIndex();
}

void VentanaBatch::XPStatusBar_Panel1(const std::string& sTexto) {
  if (sTexto == panel1_) return;
  panel1_ = sTexto;
  out_ << "STATUS: " << vt::lineaTranscripcion(sTexto) << '\n';
}

void VentanaBatch::DoEvents() {
  out_.flush();
  if (++yields_ == cancelarEnYield_) cmdCancel_Click(*this);
}

void VentanaBatch::AbrirVisorErrores(const std::string& sTitulo, const std::string& sRuta) {
  out_ << "VIEWER: " << sTitulo << ' ' << sRuta << '\n';
}

}  // namespace ambrix::batch
