// The purchases sheet validator on generated rows of May 2013 that fill every column: invoices
// with VAT and income-tax withholdings and their voucher, payments abroad, dividends, credit notes
// and reimbursement documents of two lines. Every 20th row has a zero serie, so the error log is
// written too. Each run is a forked child, so that its peak resident size is its own; it prints
// rows per second, that peak beside what the sheet itself takes, and the statements the call ran.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/en_hijo.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "platform/automation/string_matrix.hpp"
#include "platform/database/statement_observer.hpp"
#include "tests/frame/frame_test_support.hpp"

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

// What the cells take: each string object, and its buffer when it is not held inline.
double sheetMiB(const vt::automation::StringMatrix& sheet) {
  double bytes = 0;
  for (long r = 0; r <= sheet.ubound(1); ++r) {
    for (long c = 0; c <= sheet.ubound(2); ++c) {
      const std::string& s = sheet.at(r, c);
      bytes += sizeof(std::string) + (s.capacity() > 15 ? static_cast<double>(s.capacity()) + 1 : 0);
    }
  }
  return bytes / (1 << 20);
}

struct CallResult {
  double seconds = -1;
  long statements = 0;
  long peakKiB = 0;
  double sheetMiB = 0;
  long faultyRows = 0;  // blocks in the error log: the zero series only
};

CallResult validateInChild(long rows) {
  return bench::enHijo([rows] {
    CallResult r;
    {
      frame_test::LibraryFixture library;
      auto sheet = std::make_shared<vt::automation::StringMatrix>(0, rows, 0, 67);
      for (long row = 1; row <= rows; ++row) fila(*sheet, row);
      r.sheetMiB = sheetMiB(*sheet);
      long statements = 0;
      vt::db::ScopedStatementObserver counter([&](const vt::db::Observation& o) {
        if (o.kind != vt::db::ObservedKind::Open) ++statements;
      });
      valtrone::CLSValidarInformacion validator;
      validator.iPocIVA = 12;
      std::string co = "1792045185001", mes = "5", anio = "2013";
      std::string log = (library.folder / "bench.log").string();
      double tolerance = 0.01;
      int32_t progress = 0;
      vt::automation::StringMatrixRef handle = sheet;
      const auto start = std::chrono::steady_clock::now();
      const std::string result =
          validator.ATS2013_Compras(1, co, mes, anio, tolerance, handle, log, progress);
      r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      r.statements = statements;
      r.peakKiB = bench::peakKiB();
      if (FILE* f = std::fopen(log.c_str(), "rb")) {
        char line[512];
        while (std::fgets(line, sizeof line, f))
          if (std::string(line).rfind("COMPRAS - Registro: ", 0) == 0) ++r.faultyRows;
        std::fclose(f);
      }
      if (result != "ERROR") r.faultyRows = -1;
    }
    return r;
  });
}

void BM_ValidatePurchases(benchmark::State& state) {
  const long rows = state.range(0);
  CallResult last;
  for (auto _ : state) {
    last = validateInChild(rows);
    if (last.seconds < 0) break;
    state.SetIterationTime(last.seconds);
  }
  // Only the zero series fail (rows 8, 28, 48, ... of the sheet): anything else is a fault of the
  // generated rows or of the validator.
  if (last.seconds < 0 || last.faultyRows != (rows + 12) / 20) {
    state.SkipWithError("the validation did not run as expected");
    return;
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["rows_per_s"] = static_cast<double>(rows) / last.seconds;
  state.counters["peak_MiB"] = static_cast<double>(last.peakKiB) / 1024.0;
  state.counters["sheet_MiB"] = last.sheetMiB;
  state.counters["statements"] = static_cast<double>(last.statements);
}

BENCHMARK(BM_ValidatePurchases)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
