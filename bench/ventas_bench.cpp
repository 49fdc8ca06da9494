// The sales sheet validator on generated rows of May 2013 that fill every column: RUC, cédula,
// passport and final-consumer clients, invoices, credit and debit notes, VAT and both
// withholdings, ten- and thirty-seven-digit authorisations. Every 20th row has establishment 0,
// so the error log is written too (see medida_hoja.hpp for what is measured).

#include <memory>
#include <string>

#include "bench/medida_hoja.hpp"
#include "platform/automation/array.hpp"

namespace {

const char* const kClientes[][2] = {
    {"R", "1791234561001"}, {"C", "1710034065"}, {"F", "9999999999999"}, {"P", "AB123456"}};
const char* const kTipos[] = {"18", "18", "4", "5", "18"};

void fila(vt::automation::StringMatrix& sheet, long r) {
  const long i = r - 1;
  auto cell = [&](long c) -> std::string& { return sheet.at(r, c); };
  const long gravada = 100 + i % 50;
  cell(0) = "1792045185001";
  cell(1) = "5";
  cell(2) = "2013";
  cell(3) = kClientes[i % 4][0];
  cell(4) = kClientes[i % 4][1];
  cell(5) = "Cliente " + std::to_string(i % 1000);
  cell(6) = i % 20 == 7 ? "0" : "1";
  cell(7) = kTipos[i % 5];
  cell(8) = std::to_string(1 + i % 9);
  cell(9) = "0";
  cell(10) = std::to_string(i % 300);
  cell(11) = std::to_string(gravada);
  cell(12) = std::to_string(gravada * 12 / 100.0);
  cell(13) = i % 3 == 0 ? "3.60" : "0";
  cell(14) = i % 3 == 0 ? "1.00" : "0";
  cell(15) = std::to_string(10 + i % 18) + "/05/2013";
  cell(16) = "1001";
  cell(17) = std::to_string(1 + i);
  cell(18) = i % 2 ? "1234567890" : "1234567890123456789012345678901234567";
}

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
