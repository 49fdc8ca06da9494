// The employee-income validator on generated rows of 2013 that fill every column: cédula,
// passport and foreign employees, local and foreign residents, disabled employees with their
// exemption, incomes, contributions, deductions, and the tax recomputed from the brackets on each
// row's own base. Every 20th row has establishment 0, so the error log is written too (see
// medida_hoja.hpp for what is measured).

#include <string>

#include "bench/medida_hoja.hpp"

namespace {

const char* const kEmpleados[][2] = {
    {"C", "1710034065"}, {"P", "AB123456"}, {"E", "X9876543"}, {"C", "0910034065"}};

void fila(vt::automation::StringMatrix& sheet, long r) {
  const long i = r - 1;
  const bool discapacitado = i % 7 == 3;
  const long sueldos = 12000 + (i % 500) * 40;  // 12,000 to 31,960: several brackets
  const long iess = sueldos * 945 / 10000;
  const long gastos = 1000 + i % 2000;
  const long exoneracion = discapacitado ? 5000 : 0;
  const long egresos = iess + gastos + exoneracion;
  sheet.set(r, 0, "1792045185001");
  sheet.set(r, 1, "12");
  sheet.set(r, 2, "2013");
  sheet.set(r, 3, kEmpleados[i % 4][0]);
  sheet.set(r, 4, kEmpleados[i % 4][1]);
  sheet.set(r, 5, "APELLIDO" + std::to_string(i % 1000));
  sheet.set(r, 6, "NOMBRE" + std::to_string(i % 700));
  sheet.set(r, 7, i % 20 == 7 ? "0" : "1");
  sheet.set(r, 8, i % 5 == 4 ? "E" : "L");
  sheet.set(r, 9, i % 5 == 4 ? "005" : "593");
  sheet.set(r, 10, i % 3 ? "NO" : "SI");
  sheet.set(r, 11, discapacitado ? "1" : "NA");
  sheet.set(r, 12, discapacitado ? "40" : "");
  sheet.set(r, 13, discapacitado ? "C" : "");
  sheet.set(r, 14, discapacitado ? "1710034065" : "");
  sheet.set(r, 15, std::to_string(sueldos));
  sheet.set(r, 20, std::to_string(sueldos / 12));
  sheet.set(r, 21, "318");
  sheet.set(r, 25, std::to_string(sueldos));
  sheet.set(r, 26, "1");
  sheet.set(r, 27, std::to_string(iess));
  sheet.set(r, 29, std::to_string(gastos));
  sheet.set(r, 34, std::to_string(gastos));
  sheet.set(r, 35, std::to_string(exoneracion));
  sheet.set(r, 37, std::to_string(egresos));
  sheet.set(r, 38, std::to_string(sueldos - egresos));
  sheet.set(r, 43, std::to_string(1 + i));
}

// The tax of the demo brackets of 2013 on a whole base, so that the generated rows agree with the
// recomputation; the rows never reach the higher brackets.
double impuesto2013(double base) {
  const double tramos[][3] = {{0, 0, 0}, {10180, 0, 5}, {12970, 140, 10}, {16220, 465, 12}, {19470, 855, 15}};
  double tax = 0;
  for (const auto& t : tramos)
    if (base >= t[0]) tax = t[1] + (base - t[0]) * t[2] / 100;
  return tax;
}

void filaConImpuesto(vt::automation::StringMatrix& sheet, long r) {
  fila(sheet, r);
  const std::string tax = std::to_string(impuesto2013(std::stod(std::string(sheet.get(r, 38)))));
  sheet.set(r, 39, tax);
  sheet.set(r, 42, tax);
}

void BM_ValidateRdep(benchmark::State& state) {
  const long rows = state.range(0);
  // Only the establishments 0 fail (rows 8, 28, 48, ... of the sheet).
  bench::informaHoja(state, (rows + 12) / 20, [rows] {
    return bench::mideEnHijo(
        rows, 45, filaConImpuesto,
        [](valtrone::CLSValidarInformacion& validator, vt::automation::StringMatrixRef& sheet,
           std::string log) {
          validator.lFraccionBasica = 10180;
          std::string co = "1792045185001", mes = "12", anio = "2013";
          int16_t chk = 1;
          double tolerance = 0.01;
          int32_t progress = 0;
          return validator.RDEP2013(1, co, mes, anio, chk, tolerance, sheet, log, progress);
        },
        "RDEP");
  });
}

BENCHMARK(BM_ValidateRdep)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
