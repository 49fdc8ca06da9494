// The purchases sheet validator on generated rows of May 2013 that fill every column: invoices
// with VAT and income-tax withholdings and their voucher, payments abroad, dividends, credit notes
// and reimbursement documents of two lines. Every 20th row has a zero serie, so the error log is
// written too (see medida_hoja.hpp for what is measured).

#include <memory>
#include <string>

#include "bench/medida_hoja.hpp"

namespace {

const char* const kProveedores[] = {"1791234561001", "1710034065001", "0992314702001", "1760012320001"};

void fila(vt::automation::StringMatrix& sheet, long r) {
  const long i = r - 1;
  auto cell = [&](long c) -> std::string& { return sheet.at(r, c); };
  const std::string dia = std::to_string(10 + i % 18);
  cell(0) = "1792045185001";
  cell(1) = "5";
  cell(2) = "2013";
  cell(3) = dia + "/05/2013";
  cell(4) = dia + "/05/2013";
  cell(5) = "R";
  cell(6) = kProveedores[i % 4];
  cell(10) = "1";
  cell(11) = "1";
  cell(12) = i % 20 == 7 ? "0" : "1001";
  cell(13) = std::to_string(1 + i);
  cell(14) = "1234567890";
  cell(15) = "0";
  cell(16) = std::to_string(i % 500);
  cell(17) = std::to_string(100 + i % 50);
  cell(18) = std::to_string((100 + i % 50) * 12 / 100.0);
  cell(23) = "L";
  cell(32) = i % 7 == 0 ? "1-20" : "1";
  switch (i % 5) {
    case 0:  // VAT and two income-tax withholdings with their voucher, paid abroad
      cell(20) = "3.60";
      cell(23) = "E";
      cell(24) = "5";
      cell(25) = "N";
      cell(26) = "S";
      cell(33) = "312";
      cell(34) = "100";
      cell(35) = "1";
      cell(36) = "1";
      cell(37) = "344";
      cell(38) = "200";
      cell(39) = "1.75";
      cell(40) = "3.50";
      cell(48) = "1001";
      cell(49) = std::to_string(1 + i);
      cell(50) = "1112223334";
      cell(51) = cell(3);
      break;
    case 1:  // a dividend
      cell(33) = "345";
      cell(34) = "150000";
      cell(35) = "0";
      cell(36) = "3500";
      cell(45) = "02/05/2013";
      cell(46) = "0";
      cell(47) = "2012";
      cell(48) = "1001";
      cell(49) = std::to_string(1 + i);
      cell(50) = "1112223334";
      cell(51) = cell(3);
      break;
    case 2:  // a credit note on an earlier invoice
      cell(11) = "4";
      cell(27) = "1";
      cell(28) = "02/05/2013";
      cell(29) = "1001";
      cell(30) = std::to_string(1 + i / 2);
      cell(31) = "1112345678";
      break;
    default:  // two lines of one reimbursement document
      cell(11) = "41";
      cell(13) = std::to_string(1 + i - i % 5);
      cell(52) = "R";
      cell(53) = "1791234561001";
      cell(55) = "1";
      cell(56) = "05/05/2013";
      cell(57) = "1001";
      cell(58) = std::to_string(i);
      cell(59) = "1234567890";
      cell(62) = "100";
      cell(63) = "12";
      break;
  }
}

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
