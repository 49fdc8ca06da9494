#pragma once
// The employee-income (RDEP) sheet validator: its per-call state, its per-row state and the column
// rules, one file per group of columns (rdep_<group>.cpp), dispatched in order by RdepRun::fila
// (rdep.cpp). It never trapped errors: a run-time failure ends the call and reaches the caller.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "library/batch/celdas_hoja.hpp"
#include "library/batch/comprobaciones_hoja.hpp"
#include "library/batch/validador_hoja.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/comprobaciones.hpp"
#include "platform/conversions/conversions.hpp"

namespace valtrone {

// The columns of an RDEP row (FilaRDEP).
enum ColRdep : long {
  kRRucEmpresa = 0,
  kRMes = 1,
  kRAnio = 2,
  kRTipoId = 3,
  kRIdEmpleado = 4,
  kRApellidos = 5,
  kRNombres = 6,
  kREstablecimiento = 7,
  kRResidencia = 8,
  kRPais = 9,
  kRConvenio = 10,
  kRDiscapacidad = 11,
  kRPorcentajeDis = 12,
  kRTipoIdDis = 13,
  kRIdDis = 14,
  kRSueldos = 15,
  kRSobresueldos = 16,
  kRUtilidades = 17,
  kRIngresosOtros = 18,
  kRImpuestoAsumidoIngreso = 19,
  kRDecimoTercero = 20,
  kRDecimoCuarto = 21,
  kRFondoReserva = 22,
  kRSalarioDigno = 23,
  kROtrosNoGravados = 24,
  kRTotalIngresos = 25,
  kRSistemaSalario = 26,
  kRAporteIess = 27,
  kRAporteIessOtros = 28,
  kRVivienda = 29,
  kRSalud = 30,
  kREducacion = 31,
  kRAlimentacion = 32,
  kRVestimenta = 33,
  kRTotalGastos = 34,
  kRExoDiscapacidad = 35,
  kRExoTerceraEdad = 36,
  kRTotalEgresos = 37,
  kRBaseImponible = 38,
  kRImpuestoCausado = 39,
  kRImpuestoOtros = 40,
  kRImpuestoAsumido = 41,
  kRImpuestoRetenido = 42,
  kRSecuencia = 43,
  kRLibre1 = 44,  // 44 and 45: only rewritten
  kRLibre2 = 45,
};

// An amount cell's normal form: a blank cell is "0" before the mask, so it becomes "0.00".
inline std::string montoNormal(std::string_view cell) {
  return vt::conv::FormatNumberText(vt::conv::BlankToZero(cell), "########0.00");
}

// The yearly caps of deductions and exemptions, derived from the basic fraction of the year's
// income-tax table.
struct TopesRdep {
  double dTopeGastosPersonales = 0;
  double dTopeVivienda = 0;
  double dTopeSalud = 0;
  double dTopeEducacion = 0;
  double dTopeAlimentacion = 0;
  double dTopeVestimenta = 0;
  int32_t lTopeDiscapacidad = 0;
  int32_t lTopeTerceraEdad = 0;
};
// Raises overflow (error 6) when an integer cap does not fit 32 bits, as its conversion would.
TopesRdep topesRdep(double lFraccionBasica);

// What one row's rules share; it starts fresh on every row, so that nothing of a row is ever seen
// by the next. The working totals are none when a cell they need is no number: that cell's own
// check has failed the row, and the comparisons that need the total are left out.
struct FilaRdep {
  SheetRow& celdas;
  BloqueErrorRegistro& bloque;
  std::optional<double> dTotalIngresos;  // column 25 plus column 18
  std::optional<double> dTotalEgresos;   // column 37

  std::string_view get(long col) const { return celdas.get(col); }
  // Writes the rewritten cell and hands the text back for the checks.
  std::string set(long col, std::string value) {
    celdas.set(col, value);
    return value;
  }
  // The cell converted to a number under the regional settings; none when it is no number.
  std::optional<double> valor(long col) const { return vt::conv::StrictNumber(get(col)); }
  // The number the cell begins with (0 when none).
  double inicial(long col) const { return vt::conv::LeadingNumber(get(col)); }
  // The row's year: the number column 2 begins with.
  double anio() const { return inicial(kRAnio); }
  // A row of a year before 2013, whose columns had other rules. A year that is no number is no
  // such year: the row fails on its year, and its other columns are held to the current rules.
  bool antes2013() const {
    const std::optional<double> year = vt::conv::StrictNumber(get(kRAnio));
    return year && *year < 2013;
  }
};

// One call of RDEP2013: the period, the switches, the caps and the lookup memo.
class RdepRun {
 public:
  RdepRun(double lFraccionBasica, const std::string& co_empresa, const std::string& nu_anio,
          int16_t chk_ValidaIR, double dDecRedondeo);

  void fila(SheetRow& celdas, BloqueErrorRegistro& bloque);

  // Columns 0 to 11 (rdep_empleado.cpp).
  void empleado(FilaRdep& f);
  // Columns 12 to 25 (rdep_ingresos.cpp).
  void discapacidad(FilaRdep& f);
  void ingresos(FilaRdep& f);
  // Columns 26 to 37 (rdep_deducciones.cpp).
  void deducciones(FilaRdep& f);
  // Columns 38 to 45 (rdep_impuesto.cpp).
  void impuesto(FilaRdep& f);

 private:
  // Whether tbCodigoGeneral holds `codigo` in `grupo`; asked once per call.
  bool codigoRegistrado(const std::string& grupo, const std::string& codigo);
  // Whether tbcttgCiudades holds the country; a lookup that cannot run finds nothing.
  bool paisRegistrado(const std::string& co_pais);
  // gfImpuestoRentaTabla of the year and base, asked once per call for each pair: the brackets do
  // not change during a call.
  double impuestoTabla(std::string_view anio, double base);
  // The identity check of a cédula (kind "C") or of a passport or foreign identification ("P",
  // "E"), with the messages of the employee's or of the disabled person's number.
  void identificacion(FilaRdep& f, long col, const std::string& tipo, bool discapacitado);
  // The first failure of the amount cell `col` already in normal form: "not a number" or "below
  // 0", with the message pieces given; false when it passed.
  bool montoFalla(FilaRdep& f, long col, std::string_view noNumerico, std::string_view negativo,
                  std::string_view finNoNumerico = {}, std::string_view finNegativo = {});

  std::string co_empresa_;
  double anio_;
  bool recalculaImpuesto_;
  double dDecRedondeo_;
  TopesRdep topes_;
  LookupMemo memo_;
  std::unordered_map<std::string, double> impuestos_;
};

}  // namespace valtrone
