// The purchases sheet validator on 100,000 generated rows of May 2013 that fill every column:
// invoices with VAT and income-tax withholdings and their voucher, dividends, and reimbursement
// documents of three lines. Prints rows per second and the process's peak resident size.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>
#include <vector>

#include "library/frame/cls_validar_informacion.hpp"
#include "platform/automation/string_matrix.hpp"
#include "tests/frame/frame_test_support.hpp"

namespace {

constexpr long kFilas = 100000;

std::vector<std::string> fila(long i) {
  std::vector<std::string> r(68);
  const std::string dia = std::to_string(10 + i % 18);
  r[0] = "1792045185001";
  r[1] = "5";
  r[2] = "2013";
  r[3] = dia + "/05/2013";
  r[4] = dia + "/05/2013";
  r[5] = "R";
  r[6] = i % 2 ? "1791234561001" : "1710034065001";
  r[10] = "1";
  r[11] = "1";
  r[12] = "1001";
  r[13] = std::to_string(1 + i);
  r[14] = "1234567890";
  r[15] = "0";
  r[16] = "0";
  r[17] = std::to_string(100 + i % 50);
  r[18] = std::to_string((100 + i % 50) * 12 / 100.0);
  switch (i % 4) {
    case 0:  // VAT and two income-tax withholdings with their voucher
      r[20] = "3.60";
      r[33] = "312";
      r[34] = "100";
      r[35] = "1";
      r[36] = "1";
      r[37] = "344";
      r[38] = "200";
      r[39] = "1.75";
      r[40] = "3.50";
      r[48] = "1001";
      r[49] = std::to_string(1 + i);
      r[50] = "1112223334";
      r[51] = r[3];
      break;
    case 1:  // a dividend
      r[33] = "345";
      r[34] = "150000";
      r[35] = "0";
      r[36] = "3500";
      r[45] = "02/05/2013";
      r[46] = "0";
      r[47] = "2012";
      r[48] = "1001";
      r[49] = std::to_string(1 + i);
      r[50] = "1112223334";
      r[51] = r[3];
      break;
    default:  // two lines of one reimbursement document
      r[11] = "41";
      r[13] = std::to_string(1 + i - i % 4);
      r[52] = "R";
      r[53] = "1791234561001";
      r[55] = "1";
      r[56] = "05/05/2013";
      r[57] = "1001";
      r[58] = std::to_string(i);
      r[59] = "1234567890";
      r[62] = "100";
      r[63] = "12";
      break;
  }
  return r;
}

void ComprasValidar(benchmark::State& state) {
  frame_test::LibraryFixture library;
  std::vector<std::vector<std::string>> filas;
  for (long i = 0; i < kFilas; ++i) filas.push_back(fila(i));
  std::string resultado;
  for (auto _ : state) {
    state.PauseTiming();
    auto sheet = std::make_shared<vt::automation::StringMatrix>(0, kFilas, 0, 67);
    for (long i = 0; i < kFilas; ++i)
      for (long c = 0; c < 68; ++c) sheet->at(i + 1, c) = filas[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)];
    valtrone::CLSValidarInformacion validator;
    validator.iPocIVA = 12;
    std::string co = "1792045185001", mes = "5", anio = "2013";
    std::string log = (library.folder / "bench.log").string();
    double tolerance = 0.01;
    int32_t progress = 0;
    vt::automation::StringMatrixRef handle = sheet;
    state.ResumeTiming();
    resultado = validator.ATS2013_Compras(1, co, mes, anio, tolerance, handle, log, progress);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["rows_per_s"] =
      benchmark::Counter(static_cast<double>(kFilas) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.SetLabel("result " + resultado);
}
BENCHMARK(ComprasValidar)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
