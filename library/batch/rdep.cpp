// RDEP2013: the yearly caps, the row dispatch of the employee-income sheet and the lookups it
// shares between its columns.

#include "library/batch/rdep.hpp"

#include <cmath>
#include <limits>

#include "library/frame/sentencias.hpp"
#include "platform/database/recordset.hpp"
#include "platform/database/sql_text.hpp"
#include "platform/errors/error.hpp"
#include "platform/errors/runtime_errors.hpp"

namespace valtrone {

namespace {

// A whole number of 32 bits, halves to the even neighbour, as the caps were always converted.
int32_t enteroPar(double value) {
  const double rounded = std::nearbyint(value);  // the default rounding mode: halves to even
  if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max()))
    throw vt::Error(vt::kErrOverflow, "Valtrone", vt::runtimeErrorDescription(vt::kErrOverflow));
  return static_cast<int32_t>(rounded);
}

}  // namespace

TopesRdep topesRdep(double fb) {
  TopesRdep t;
  t.dTopeGastosPersonales = fb * 1.3;
  t.dTopeVivienda = fb * 0.325;
  // Health shares the cap of the whole, not the quarter of the other four kinds.
  t.dTopeSalud = fb * 1.3;
  t.dTopeEducacion = fb * 0.325;
  t.dTopeAlimentacion = fb * 0.325;
  t.dTopeVestimenta = fb * 0.325;
  t.lTopeDiscapacidad = enteroPar(fb * 2);
  t.lTopeTerceraEdad = enteroPar(fb * 3);
  return t;
}

RdepRun::RdepRun(double lFraccionBasica, const std::string& co_empresa, const std::string& nu_anio,
                 int16_t chk_ValidaIR, double dDecRedondeo)
    : co_empresa_(co_empresa),
      anio_(vt::conv::LeadingNumber(nu_anio)),
      recalculaImpuesto_(chk_ValidaIR == 1),
      dDecRedondeo_(dDecRedondeo),
      topes_(topesRdep(lFraccionBasica)) {}

void RdepRun::fila(SheetRow& celdas, BloqueErrorRegistro& bloque) {
  FilaRdep f{celdas, bloque, {}, {}};
  empleado(f);
  discapacidad(f);
  ingresos(f);
  deducciones(f);
  impuesto(f);
}

bool RdepRun::codigoRegistrado(const std::string& grupo, const std::string& codigo) {
  // A lookup that cannot run counts as not found, as in every other sheet: it never ends the sheet.
  return memo_
      .ask(LookupMemo::key("tbCodigoGeneral", {grupo, codigo}),
           [&] {
             RecordsetRef rs;
             return gfCuentaRegistros(
                 "*", "tbCodigoGeneral",
                 "co_grupo = " + vt::db::quoteSql(grupo) + " and co_valor = " + vt::db::quoteSql(codigo), nullptr,
                 rs);
           })
      .value_or(false);
}

bool RdepRun::paisRegistrado(const std::string& co_pais) {
  const std::optional<bool> found = memo_.ask(LookupMemo::key("tbcttgCiudades", {co_pais}), [&] {
    // lsEjecutaSelect's statement on the thread's connection.
    RecordsetRef rs;
    gsSelectConexion("*", "tbcttgCiudades", "where co_pais = " + vt::db::quoteSql(co_pais) + " ", nullptr,
                     rs);
    // A select that failed leaves the recordset closed, and reading it raises.
    return !rs->eof();
  });
  return found.value_or(false);
}

double RdepRun::impuestoTabla(std::string_view anio, double base) {
  const std::string key = LookupMemo::key("tbRDEP_Tabla", {anio, vt::conv::VbStr(base)});
  if (const auto found = impuestos_.find(key); found != impuestos_.end()) return found->second;
  std::string year(anio);
  double value = base;
  const double tax = gfImpuestoRentaTabla(year, value);
  impuestos_.emplace(key, tax);
  return tax;
}

bool RdepRun::montoFalla(FilaRdep& f, long col, std::string_view noNumerico, std::string_view negativo,
                         std::string_view finNoNumerico, std::string_view finNegativo) {
  const std::string_view celda = f.get(col);
  const std::optional<double> valor = vt::conv::StrictNumber(celda);
  if (!valor) {
    f.bloque.falla(std::string(noNumerico).append(celda), finNoNumerico);
    return true;
  }
  if (*valor < 0) {
    f.bloque.falla(std::string(negativo).append(celda), finNegativo);
    return true;
  }
  return false;
}

std::string CLSValidarInformacion::RDEP2013(int16_t ti_proceso, std::string& co_empresa, std::string& nu_mes,
                                            std::string& nu_anio, int16_t& chk_ValidaIR, double& dDecRedondeo,
                                            Sheet& InfoFile, std::string& FileError, int32_t& nFilaProgreso) {
  (void)nu_mes;  // accepted and not read: the rows carry their own month
  // The caps are computed once the mode is known to act, as the call always did.
  std::optional<RdepRun> run;
  return ValidadorHoja(
      ti_proceso, "RDEP", InfoFile, FileError, nFilaProgreso,
      [&](SheetRow& celdas, BloqueErrorRegistro& bloque) {
        if (!run) run.emplace(lFraccionBasica, co_empresa, nu_anio, chk_ValidaIR, dDecRedondeo);
        run->fila(celdas, bloque);
      },
      TrampaErrores::SinTrampa);
}

}  // namespace valtrone
