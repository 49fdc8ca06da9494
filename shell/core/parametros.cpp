#include "shell/core/parametros.hpp"

#include <cmath>
#include <cstdint>

#include "platform/conversions/conversions.hpp"
#include "platform/database/sql_text.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "shell/core/valores.hpp"

namespace ambrix {

namespace {

// The numeric value of the column's text as a 16-bit count; the default when not above 0.
std::int16_t countOr(const vt::db::Value& valor, std::int16_t porDefecto) {
  const double numero = std::nearbyint(vt::conv::LeadingNumber(textOf(valor)));
  if (numero <= 0 || numero > 32767) return porDefecto;
  return static_cast<std::int16_t>(numero);
}

}  // namespace

bool gfCargaParametros(vt::db::Recordset& rsConsulta, std::string& sRuc, bool bCarga) {
  const std::string sCondicion = vt::conv::Trim(sRuc).empty()
                                     ? "Where id_reg > 0"
                                     : "Where co_empresa = " + vt::db::quoteSql(sRuc) + " ";
  gsAbreConsulta("*", "tbParaSistema", sCondicion, rsConsulta);
  if (rsConsulta.eof()) return false;
  if (bCarga) {
    rsConsulta.moveFirst();
    ParametrosEmpresa p;
    p.gsPorcIVA = textOf(rsConsulta.field("po_iva"));
    p.gcPorcIESS = numberOf(rsConsulta.field("po_iess"));
    p.gsCtrlCmprCompras = textOf(rsConsulta.field("st_CtrlCmprCmpras"));
    p.gsCtrlCmprVentas = textOf(rsConsulta.field("st_CtrlCmprVtas"));
    p.gsCtrlCmprRet = textOf(rsConsulta.field("st_CtrlCmprRet"));
    p.giNumSustTrib = countOr(rsConsulta.field("nu_sus_trib_Cmprs"), 3);
    p.giNumCodIR = countOr(rsConsulta.field("nu_CoIR_cmprs"), 4);
    gParametrosEmpresa = p;
  }
  return true;
}

}  // namespace ambrix
