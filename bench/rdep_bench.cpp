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
  auto cell = [&](long c) -> std::string& { return sheet.at(r, c); };
  const bool discapacitado = i % 7 == 3;
  const long sueldos = 12000 + (i % 500) * 40;  // 12,000 to 31,960: several brackets
  const long iess = sueldos * 945 / 10000;
  const long gastos = 1000 + i % 2000;
  const long exoneracion = discapacitado ? 5000 : 0;
  const long egresos = iess + gastos + exoneracion;
  cell(0) = "1792045185001";
  cell(1) = "12";
  cell(2) = "2013";
  cell(3) = kEmpleados[i % 4][0];
  cell(4) = kEmpleados[i % 4][1];
  cell(5) = "APELLIDO" + std::to_string(i % 1000);
  cell(6) = "NOMBRE" + std::to_string(i % 700);
  cell(7) = i % 20 == 7 ? "0" : "1";
  cell(8) = i % 5 == 4 ? "E" : "L";
  cell(9) = i % 5 == 4 ? "005" : "593";
  cell(10) = i % 3 ? "NO" : "SI";
  cell(11) = discapacitado ? "1" : "NA";
  cell(12) = discapacitado ? "40" : "";
  cell(13) = discapacitado ? "C" : "";
  cell(14) = discapacitado ? "1710034065" : "";
  cell(15) = std::to_string(sueldos);
  cell(20) = std::to_string(sueldos / 12);
  cell(21) = "318";
  cell(25) = std::to_string(sueldos);
  cell(26) = "1";
  cell(27) = std::to_string(iess);
  cell(29) = std::to_string(gastos);
  cell(34) = std::to_string(gastos);
  cell(35) = std::to_string(exoneracion);
  cell(37) = std::to_string(egresos);
  cell(38) = std::to_string(sueldos - egresos);
  cell(43) = std::to_string(1 + i);
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
  const std::string tax = std::to_string(impuesto2013(std::stod(sheet.at(r, 38))));
  sheet.at(r, 39) = tax;
  sheet.at(r, 42) = tax;
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
