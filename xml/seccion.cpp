#include "xml/seccion.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "shell/core/globals.hpp"
#include "xml/documento_ats.hpp"

namespace ambrix::xml {

vt::db::Recordset abreConsulta(const std::string& sSql) {
  vt::db::Recordset rs;
  rs.open(sSql, gConexion);
  return rs;
}

pugi::xml_node abreSeccion(const ContextoSeccion& ctx, const vt::db::Recordset& rs, const char* sNombre,
                           const char* sProcesando, const char* sNoEncontrada) {
  if (rs.eof()) {
    ctx.frm.XPStatusBar_Panel1(sNoEncontrada);
    return {};
  }
  ctx.frm.XPStatusBar_Panel1(sProcesando);
  ctx.prg.Min(0);
  ctx.prg.Max(rs.recordCount());
  ctx.prg.Value(0);
  pugi::xml_node seccion = agrega(ctx.iva, sNombre);
  ctx.frm.DoEvents();
  return seccion;
}

void avanza(const ContextoSeccion& ctx) { ctx.prg.Value(ctx.prg.Value() + 1); }

void cierraSeccion(const ContextoSeccion& ctx, vt::db::Recordset& rs) {
  rs.close();
  ctx.prg.Value(ctx.prg.Max());
}

bool seccionElegida(const std::string& sEleccion) {
  const auto numero = vt::conv::StrictNumber(sEleccion);
  if (!numero) vt::raiseRuntimeError(vt::kErrTypeMismatch, gsTitulo);
  return *numero == 1;
}

}  // namespace ambrix::xml
