#include "shell/core/listas.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/database/recordset.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/fecha_actual.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "shell/core/valores.hpp"

namespace ambrix {

namespace {

constexpr int kPrimerAnio = 2002;
constexpr long kLargoCodigo = 15;
constexpr long kLargoNombre = 100;

}  // namespace

std::string itemEmpresaCombo(const std::string& sNombre, const std::string& sRuc) {
  return vt::conv::Trim(sNombre) + std::string(kBlancosItemEmpresa, ' ') + vt::conv::Trim(sRuc);
}

void gsLlenaMesesAnios(bool bMes, IListaCombo& cmbMes, bool bAnio, IListaCombo& cmbAnio,
                       const vt::conv::Date& hoy) {
  if (bMes) {
    for (int i = 0; i < 12; ++i) cmbMes.AddItem(gaMeses[static_cast<size_t>(i)], i + 1);
    cmbMes.setListIndex(0);
    for (int i = 0; i < 12; ++i) {
      if (cmbMes.ItemData(i) == hoy.month) {
        cmbMes.setListIndex(i);
        break;
      }
    }
  }
  if (bAnio) {
    for (int anio = hoy.year; anio >= kPrimerAnio; --anio) cmbAnio.AddItem(std::to_string(anio), anio);
    cmbAnio.setListIndex(0);
    for (int i = 0, anio = hoy.year; anio >= kPrimerAnio; ++i, --anio)
      if (cmbAnio.ItemData(i) == hoy.year) cmbAnio.setListIndex(i);
  }
}

void gsLlenaMesesAnios(bool bMes, IListaCombo& cmbMes, bool bAnio, IListaCombo& cmbAnio) {
  gsLlenaMesesAnios(bMes, cmbMes, bAnio, cmbAnio, currentDateTime().date);
}

void gsLlenaEmpresas(IListaCombo& cmb, std::string& sCondicion) {
  sCondicion = vt::conv::Trim(sCondicion).empty() ? "" : "Where " + sCondicion;
  vt::db::Recordset rs;
  gsAbreConsulta("*", "tbEmpresas", sCondicion, rs);
  if (rs.eof()) showBox("No existe información de Empresas ", vt::Icono::Informacion);
  for (; !rs.eof(); rs.moveNext())
    cmb.AddItem(itemEmpresaCombo(textOf(rs.field("ds_nombre")), textOf(rs.field("Nu_ruc"))));
}

std::string gfCodigoCombo(const IListaCombo& cmb) { return gfCodigoCombo(cmb.List(cmb.ListIndex())); }

std::string gfCodigoCombo(const std::string& sItem) {
  return vt::conv::Trim(vt::conv::Right(vt::conv::Trim(sItem), kLargoCodigo));
}

std::string gfNombreCombo(const IListaCombo& cmb) { return gfNombreCombo(cmb.List(cmb.ListIndex())); }

std::string gfNombreCombo(const std::string& sItem) {
  return vt::conv::Trim(vt::conv::Left(vt::conv::Trim(sItem), kLargoNombre));
}

std::int16_t gfDiasMes(const std::string& sFecha) {
  return static_cast<std::int16_t>(vt::conv::LastDayOfMonth(sFecha));
}

}  // namespace ambrix
