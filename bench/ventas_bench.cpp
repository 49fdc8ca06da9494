// The sales sheet validator on generated rows of May 2013 that fill every column: RUC, cédula,
// passport and final-consumer clients, invoices, credit and debit notes, VAT and both
// withholdings, ten- and thirty-seven-digit authorisations. Every 20th row has establishment 0,
// so the error log is written too (see medida_hoja.hpp for what is measured).

#include <memory>
#include <string>

#include "bench/filas_mes.hpp"
#include "bench/medida_hoja.hpp"
#include "platform/automation/array.hpp"

namespace {

void fila(vt::automation::StringMatrix& sheet, long r) { bench::filaVenta(sheet, r, true); }

void BM_ValidateSales(benchmark::State& state) {
  const long rows = state.range(0);
  // Only the establishments 0 fail (rows 8, 28, 48, ... of the sheet): anything else is a fault
  // of the generated rows or of the validator.
  bench::informaHoja(state, (rows + 12) / 20, [rows] {
    return bench::mideEnHijo(
        rows, 21, fila,
        [](valtrone::CLSValidarInformacion& validator, vt::automation::StringMatrixRef& sheet, std::string log) {
          std::string co = "1792045185001", mes = "5", anio = "2013";
          double tolerance = 0.01;
          int32_t progress = 0;
          auto options = std::make_shared<vt::automation::IntegerArray>(0, 2);
          return validator.ATS2013_Ventas(1, co, mes, anio, tolerance, sheet, log, progress, options);
        },
        "VENTAS");
  });
}

BENCHMARK(BM_ValidateSales)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
