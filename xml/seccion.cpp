#include "xml/seccion.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "shell/core/globals.hpp"
#include "shell/core/sentencias.hpp"
#include "xml/documento_ats.hpp"

namespace ambrix::xml {

vt::db::Recordset abreConsulta(const std::string& sSql) {
  vt::db::Recordset rs;
  rs.open(sSql, gConexion);
  return rs;
}

ConsultaSeccion::ConsultaSeccion(const std::string& sCabeza, const std::string& sDesde,
                                 const std::string& sOrden)
    : sSql(sCabeza + sDesde + sOrden), sCuenta("SELECT count(*) " + sDesde) {
  rs.open(sSql, gConexion, vt::db::CursorType::ForwardOnly);
}

bool abreSeccion(const ContextoSeccion& ctx, const ConsultaSeccion& consulta, const char* sNombre,
                 const char* sProcesando, const char* sNoEncontrada) {
  if (consulta.rs.eof()) {
    ctx.frm.XPStatusBar_Panel1(sNoEncontrada);
    return false;
  }
  ctx.frm.XPStatusBar_Panel1(sProcesando);
  ctx.prg.Min(0);
  ctx.prg.Max(gfCuentaFilas(consulta.rs, consulta.sCuenta));
  ctx.prg.Value(0);
  ctx.lFilas = 0;
  ctx.iva.abre(sNombre);
  ctx.frm.DoEvents();
  return true;
}

void avanza(const ContextoSeccion& ctx) {
  ++ctx.lFilas;
  if (muestraProgreso(ctx.lFilas, ctx.prg.Max())) ctx.prg.Value(ctx.lFilas);
}

void cierraSeccion(const ContextoSeccion& ctx, ConsultaSeccion& consulta) {
  ctx.iva.cierra();
  consulta.rs.close();
  ctx.prg.Value(ctx.prg.Max());
}

bool seccionElegida(const std::string& sEleccion) {
  const auto numero = vt::conv::StrictNumber(sEleccion);
  if (!numero) vt::raiseRuntimeError(vt::kErrTypeMismatch, gsTitulo);
  return *numero == 1;
}

}  // namespace ambrix::xml
