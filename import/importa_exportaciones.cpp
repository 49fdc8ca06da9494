// gfImportaExportaciones: the exports sheet, validated by the library and stored as one
// tbAT_Exporta row per sheet row.

#include "import/importa_exportaciones.hpp"

#include "import/rutinas_hoja.hpp"
#include "platform/automation/variant.hpp"
#include "platform/conversions/conversions.hpp"
#include "shell/core/globals.hpp"

namespace ambrix {

namespace {

using vt::conv::Trim;

constexpr const char* kPalabra = "EXPORTACIONES";
constexpr const char* kTabla = "tbAT_Exporta";
constexpr const char* kCampos =
    " co_empresa, co_mes, co_anio, co_Transacc, co_comprob, fe_transacc, "
    " co_proveeID, co_provee, ds_provee, "
    " nu_ref_dist, nu_ref_anio, nu_ref_regi, nu_ref_corre, nu_ref_veri, nu_dcto_trans, "
    " nu_FUE, mo_FOB, co_comprob_exp, mo_base, fe_emision, fe_conta, "
    " nu_serie, nu_secu, nu_autoriza, st_devolu, "
    " st_regis, ds_campo1, ds_campo2, ds_campo3, "
    " co_usua, fe_regis, co_modi, fe_modi, ds_wrkst ) ";

std::string validaExportaciones(std::int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                                std::string& nu_anio, double& dDecRedondeo, std::int32_t& nFila) {
  using vt::automation::Variant;
  vt::automation::Object& validador = validadorConConexion();
  Variant vEmpresa(co_empresa), vMes(nu_mes), vAnio(nu_anio), vTolerancia(dDecRedondeo);
  Variant vHoja(gaInfoExportaciones), vLog(gsRutaLog), vFila(nFila);
  const Variant respuesta = validador.call("ATS2013_Exportaciones", Variant(ti_proceso), vEmpresa, vMes,
                                           vAnio, vTolerancia, vHoja, vLog, vFila);
  nFila = vFila.toI4();
  return respuesta.toString();
}

// Inserts one row; a row the database refuses is logged with its description only. There is no
// limit of refused rows for this sheet.
bool almacenaExportacion(AlmacenPeriodo& almacen, long fila) {
  convierteTipoExportacion(*gaInfoExportaciones, fila);
  const ListaInsercion l = filaExportacion(almacen.contexto(), *gaInfoExportaciones, fila);
  std::string sError;
  if (!almacen.inserta(l, kTabla, sError))
    almacen.rechaza("Registro: " + std::to_string(fila + 1) + ". " + sError + "\r\n\r\n");
  return true;
}

}  // namespace

void convierteTipoExportacion(vt::automation::StringMatrix& hoja, long fila) {
  const std::string t = vt::conv::Upper(hoja.get(fila, 4));
  hoja.set(fila, 4, t == "B" ? "1" : t == "S" ? "2" : "X");
}

ListaInsercion filaExportacion(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja,
                               long fila) {
  const auto celda = [&](long columna) { return hoja.get(fila, columna); };
  const auto fecha = [&](long columna) { return valorFechaHoja(c, celda(columna), kFechaHoja); };
  // A referendum without its year is of the period's year.
  const std::string_view anioReferendo = vt::conv::LeadingNumber(celda(8)) == 0 ? celda(2) : celda(8);
  ListaInsercion l(kCampos);
  l.claveOracle(c, "TBAT_EXPORTA_ID_REG_SEC");
  // The period is written with its masks, as the period's delete and the annex read it: a sheet
  // stored without validating keeps the month as typed ("5"), which would escape both.
  l.valor(valorCodigo(celda(0), "0000000000000"))
      .valor(valorCodigo(celda(1), "00"))
      .valor(valorCodigo(celda(2), "0000"))
      .valor(valorCodigo(celda(4), "0"))
      .valor(valorCodigo(celda(5), "00"))
      .valor(fecha(6))
      .valor("'2'")
      .valor("'9999999999999'")
      .valor(valorTexto(celda(3)))
      .valor(valorCodigo(celda(7), "000"))
      .valor(valorCodigo(anioReferendo, "0000"))
      .valor(valorCodigo(celda(9), "00"))
      .valor(valorCodigo(celda(10), "000000"))
      .valor(valorCodigo(celda(11), "0"))
      .valor(valorTexto(Trim(celda(12))))
      .valor(valorTexto(Trim(celda(13))))
      .valor(valorMonto(celda(14)))
      .valor("'01'")
      .valor(valorMonto(celda(15)))
      .valor(fecha(16))
      .valor(fecha(16))
      .valor(valorCodigo(celda(17), "000000"))
      .valor(valorCodigo(celda(18), "000000000"))
      .valor(valorTexto(Trim(celda(19))))
      .valor("'S'")
      .valor("'A'")
      .valor("' '")
      .valor("' '")
      .valor("' '")
      .auditoria(c);
  return l;
}

std::string gfImportaExportaciones(IVentanaATS& frm, std::int16_t& ti_proceso, std::string& co_empresa,
                                   std::string& nu_mes, std::string& nu_anio, std::int16_t&,
                                   double& dDecRedondeo, IBarraProgreso& prgprogreso) {
  if (ti_proceso == 1)
    return gfValidaHoja(frm, prgprogreso, [&](std::int32_t& nFila) {
      return validaExportaciones(ti_proceso, co_empresa, nu_mes, nu_anio, dDecRedondeo, nFila);
    });
  if (ti_proceso != 2) return "";
  const DescripcionAlmacen d{kPalabra, {std::string(kTabla) + " A"}, true};
  return gfAlmacenaPeriodo(frm, prgprogreso, co_empresa, nu_mes, nu_anio, d, gaInfoExportaciones,
                           almacenaExportacion);
}

}  // namespace ambrix
