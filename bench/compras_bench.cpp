// The purchases sheet validator on generated rows of May 2013 that fill every column: invoices
// with VAT and income-tax withholdings and their voucher, payments abroad, dividends, credit notes
// and reimbursement documents of two lines. Every 20th row has a zero serie, so the error log is
// written too (see medida_hoja.hpp for what is measured).

#include <memory>
#include <string>

#include "bench/filas_mes.hpp"
#include "bench/medida_hoja.hpp"

namespace {

void fila(vt::automation::StringMatrix& sheet, long r) { bench::filaCompra(sheet, r, true); }

void BM_ValidatePurchases(benchmark::State& state) {
  const long rows = state.range(0);
  // Only the zero series fail (rows 8, 28, 48, ... of the sheet): anything else is a fault of the
  // generated rows or of the validator.
  bench::informaHoja(state, (rows + 12) / 20, [rows] {
    return bench::mideEnHijo(
        rows, 67, fila,
        [](valtrone::CLSValidarInformacion& validator, vt::automation::StringMatrixRef& sheet, std::string log) {
          std::string co = "1792045185001", mes = "5", anio = "2013";
          double tolerance = 0.01;
          int32_t progress = 0;
          return validator.ATS2013_Compras(1, co, mes, anio, tolerance, sheet, log, progress);
        },
        "COMPRAS");
  });
}

BENCHMARK(BM_ValidatePurchases)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
