// The exports sheet validator on generated rows of May 2013 that fill every column: exports of
// goods with their referendo and transport document and exports of services, invoiced with a
// voucher 01 or 16, ten- and thirty-seven-digit authorisations. Every 20th row names a customs
// district missing from the catalogue, so the error log is written too (see medida_hoja.hpp for
// what is measured).

#include <string>

#include "bench/medida_hoja.hpp"

namespace {

void fila(vt::automation::StringMatrix& sheet, long r) {
  const long i = r - 1;
  auto cell = [&](long c) -> std::string& { return sheet.at(r, c); };
  const bool bienes = i % 5 != 4;
  const std::string valor = std::to_string(100 + i % 5000) + "." + std::to_string(i % 100);
  cell(0) = "1792045185001";
  cell(1) = "5";
  cell(2) = "2013";
  cell(4) = bienes ? "B" : "S";
  cell(5) = i % 2 ? "16" : "1";
  cell(6) = std::to_string(1 + i % 28) + "/05/2013";
  if (bienes) {
    cell(7) = i % 20 == 7 ? "27" : "28";
    cell(8) = "2013";
    cell(9) = "4";
    cell(10) = std::to_string(10000000 + i);
    cell(11) = "0";
    cell(12) = "BL" + std::to_string(i);
  }
  cell(13) = "0";
  cell(14) = valor;
  cell(15) = valor;
  cell(16) = cell(6);
  cell(17) = "1001";
  cell(18) = std::to_string(1 + i);
  cell(19) = i % 2 ? "1234567890" : "1234567890123456789012345678901234567";
}

void BM_ValidateExports(benchmark::State& state) {
  const long rows = state.range(0);
  // Only the districts 27 fail (rows 8, 28, 48, ... of the sheet, all of them exports of goods):
  // anything else is a fault of the generated rows or of the validator.
  bench::informaHoja(state, (rows + 12) / 20, [rows] {
    return bench::mideEnHijo(
        rows, 23, fila,
        [](valtrone::CLSValidarInformacion& validator, vt::automation::StringMatrixRef& sheet,
           std::string log) {
          std::string co = "1792045185001", mes = "5", anio = "2013";
          double tolerance = 0.01;
          int32_t progress = 0;
          return validator.ATS2013_Exportaciones(1, co, mes, anio, tolerance, sheet, log, progress);
        },
        "EXPORTACIONES");
  });
}

BENCHMARK(BM_ValidateExports)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
