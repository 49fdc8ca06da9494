// The exports sheet validator on generated rows of May 2013 that fill every column: exports of
// goods with their referendo and transport document and exports of services, invoiced with a
// voucher 01 or 16, ten- and thirty-seven-digit authorisations. Every 20th row names a customs
// district missing from the catalogue, so the error log is written too (see medida_hoja.hpp for
// what is measured).

#include <string>

#include "bench/filas_mes.hpp"
#include "bench/medida_hoja.hpp"

namespace {

void fila(vt::automation::StringMatrix& sheet, long r) { bench::filaExportacion(sheet, r, true); }

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
