#include "apps/ambrix-batch/list_mode.hpp"

#include <ostream>

#include "apps/ambrix-batch/startup.hpp"
#include "platform/profile/configuracion.hpp"
#include "shell/core/fecha_actual.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/inicio.hpp"
#include "shell/core/listas.hpp"

namespace ambrix::batch {

namespace {

struct Lists {
  ListaComboMemoria cmbEmpresas;
  ListaComboMemoria cmbMeses;
  ListaComboMemoria cmbanios;
  ListaComboMemoria cmbTipo_file;
  ListaComboMemoria cmbValidaCompras;
};

void printSelectable(const IListaCombo& cmb, std::ostream& out) {
  for (int i = 0; i < cmb.ListCount(); ++i)
    out << (i == cmb.ListIndex() ? "* " : "  ") << cmb.List(i) << '\n';
}

void printLists(const Lists& l, std::ostream& out) {
  out << "cmbEmpresas:\n";
  for (int i = 0; i < l.cmbEmpresas.ListCount(); ++i)
    out << "  " << gfNombreCombo(l.cmbEmpresas.List(i)) << '|' << gfCodigoCombo(l.cmbEmpresas.List(i))
        << '\n';
  out << "cmbMeses:\n";
  printSelectable(l.cmbMeses, out);
  out << "cmbanios:\n";
  printSelectable(l.cmbanios, out);
  out << "gsPorcIVA=" << gParametrosEmpresa.gsPorcIVA << '\n';
}

}  // namespace

int runList(const BatchOptions& options, std::ostream& out) {
  vt::currentConfiguration().programFolder = configurationFolder(options);
  Lists l;
  ListasVentanaATS listas{l.cmbEmpresas, l.cmbMeses, l.cmbanios, l.cmbTipo_file, l.cmbValidaCompras};
  if (inicioFallido(gfIniciarPrograma(listas, currentDateTime().date))) return 1;
  printLists(l, out);
  return 0;
}

}  // namespace ambrix::batch
