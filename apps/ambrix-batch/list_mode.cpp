#include "apps/ambrix-batch/list_mode.hpp"

#include <ostream>

#include "apps/ambrix-batch/startup.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/errors/muestra_error.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/listas.hpp"
#include "shell/core/parametros.hpp"

namespace ambrix::batch {

namespace {

struct Lists {
  ListaComboMemoria cmbEmpresas;
  ListaComboMemoria cmbMeses;
  ListaComboMemoria cmbanios;
};

// The steps of the start-up between connecting and closing.
void fillLists(Lists& l) {
  std::string sCondicion = "st_regis = 'A' Order By ds_nombre ";
  gsLlenaEmpresas(l.cmbEmpresas, sCondicion);
  gsLlenaMesesAnios(true, l.cmbMeses, true, l.cmbanios);
  l.cmbEmpresas.setListIndex(0);
  vt::db::Recordset rs;
  std::string sRuc = gfCodigoCombo(l.cmbEmpresas);
  if (!gfCargaParametros(rs, sRuc, true))
    showBox("No existen parametros de empresa seleccionada ", vt::Icono::Informacion);
}

void printSelectable(const IListaCombo& cmb, std::ostream& out) {
  for (int i = 0; i < cmb.ListCount(); ++i)
    out << (i == cmb.ListIndex() ? "* " : "  ") << cmb.List(i) << '\n';
}

void printLists(const Lists& l, std::ostream& out) {
  out << "cmbEmpresas:\n";
  ListaComboMemoria item;
  for (int i = 0; i < l.cmbEmpresas.ListCount(); ++i) {
    item.Clear();
    item.AddItem(l.cmbEmpresas.List(i));
    item.setListIndex(0);
    out << "  " << gfNombreCombo(item) << '|' << gfCodigoCombo(item) << '\n';
  }
  out << "cmbMeses:\n";
  printSelectable(l.cmbMeses, out);
  out << "cmbanios:\n";
  printSelectable(l.cmbanios, out);
  out << "gsPorcIVA=" << gParametrosEmpresa.gsPorcIVA << '\n';
}

}  // namespace

int runList(const BatchOptions& options, std::ostream& out) {
  if (!loadConfiguration(options, vt::currentConfiguration())) return 1;
  Lists lists;
  try {
    gsConectaBD();
    if (gConexion->state() != vt::db::State::Open) return 1;
    fillLists(lists);
    gsCierraBD();
  } catch (...) {
    vt::Err().captureCurrentException(gsTitulo);
    vt::reportCurrentError("Ocurrió un error ");
    gsCierraBD();
    return 1;
  }
  printLists(lists, out);
  return 0;
}

}  // namespace ambrix::batch
