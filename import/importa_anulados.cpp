#include "import/importa_anulados.hpp"

#include "import/rutinas_hoja.hpp"
#include "platform/automation/variant.hpp"
#include "shell/core/globals.hpp"

namespace ambrix {

namespace {

constexpr const char* kPalabra = "ANULADOS";
constexpr const char* kTabla = "tbAT_CmptsAnu";
constexpr const char* kCampos =
    " co_empresa, co_mes, co_anio, co_comprob, nu_serie,   nu_secu_ini, nu_secu_fin, nu_autoriza, fe_anula,  "
    "st_regis, ds_campo1, ds_campo2,  co_usua, fe_regis, co_modi, fe_modi, ds_wrkst ) ";

std::string validaAnulados(std::int16_t& ti_proceso, std::string& co_empresa, std::string& nu_mes,
                           std::string& nu_anio, std::int32_t& nFilaProgreso) {
  using vt::automation::Variant;
  vt::automation::Object& validador = validadorConConexion();
  Variant vProceso(ti_proceso), vEmpresa(co_empresa), vMes(nu_mes), vAnio(nu_anio);
  Variant vHoja(gaInfoAnulados), vLog(gsRutaLog), vFila(nFilaProgreso);
  const Variant respuesta =
      validador.call("ATS2013_Anulados", vProceso, vEmpresa, vMes, vAnio, vHoja, vLog, vFila);
  nFilaProgreso = vFila.toI4();
  return respuesta.toString();
}

// Inserts one row; a row the database refuses is logged and counted against the limit.
bool almacenaAnulado(AlmacenPeriodo& almacen, long fila) {
  const ListaInsercion l = filaAnulado(almacen.contexto(), *gaInfoAnulados, fila);
  std::string sError;
  if (almacen.inserta(l, kTabla, sError)) return true;
  almacen.rechaza("Registro: " + std::to_string(fila + 1) + ". " + sError + "\r\n" + l.campos() + " " +
                  kTabla + " " + l.valores() + "\r\n\r\n");
  return almacen.dentroDelLimite("ANULADOS: Se han encontrado ");
}

}  // namespace

ListaInsercion filaAnulado(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja, long fila) {
  const auto celda = [&](long columna) { return hoja.get(fila, columna); };
  ListaInsercion l(kCampos);
  l.claveOracle(c, "TBAT_CMPTSANU_ID_REG_SEC");
  l.valor(valorCodigo(celda(0), "0000000000000"))
      .valor(valorCodigo(celda(1), "00"))
      .valor(valorCodigo(celda(2), "0000"))
      .valor(valorCodigo(celda(3), "00"))
      .valor(valorCodigo(celda(4), "000000"))
      .valor(valorCodigo(celda(5), "000000000"))
      .valor(valorCodigo(celda(6), "000000000"))
      .valor(valorTexto(celda(7)))
      .valor(valorFechaHoja(c, celda(8), c.sFechaCorta))
      .valor("'A'")
      .valor("' '")
      .valor("' '")
      .auditoria(c);
  return l;
}

std::string gfImportaAnulados(IVentanaATS& frm, std::int16_t& ti_proceso, std::string& co_empresa,
                              std::string& nu_mes, std::string& nu_anio, long&, std::string&, std::int16_t&,
                              IBarraProgreso& prgprogreso) {
  if (ti_proceso == 1)
    return gfValidaHoja(frm, prgprogreso, [&](std::int32_t& nFila) {
      return validaAnulados(ti_proceso, co_empresa, nu_mes, nu_anio, nFila);
    });
  if (ti_proceso != 2) return "";
  const DescripcionAlmacen d{kPalabra, {std::string(kTabla) + " "}, false};
  return gfAlmacenaPeriodo(frm, prgprogreso, co_empresa, nu_mes, nu_anio, d, gaInfoAnulados, almacenaAnulado);
}

}  // namespace ambrix
