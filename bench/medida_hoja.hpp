#pragma once
// One measured call of a sheet validator: in a forked child (so that its peak resident size is
// its own), a started library over a copy of the fixture database, a generated sheet, the call
// timed, its statements counted and the failed rows of its log read back; then the benchmark's
// counters: rows per second, peak memory beside what the sheet's cells take, statements.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/en_hijo.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "platform/automation/string_matrix.hpp"
#include "platform/database/statement_observer.hpp"
#include "tests/frame/frame_test_support.hpp"

namespace bench {

// What the cells take.
inline double sheetMiB(const vt::automation::StringMatrix& sheet) {
  return static_cast<double>(sheet.heldBytes()) / (1 << 20);
}

// The blocks of the log whose first line starts with `word` " - Registro: "; 0 without a log.
inline long bloquesEnLog(const std::string& log, const std::string& word) {
  long blocks = 0;
  if (FILE* f = std::fopen(log.c_str(), "rb")) {
    const std::string start = word + " - Registro: ";
    char line[512];
    while (std::fgets(line, sizeof line, f))
      if (std::string(line).rfind(start, 0) == 0) ++blocks;
    std::fclose(f);
  }
  return blocks;
}

struct MedidaHoja {
  double seconds = -1;
  long statements = 0;
  long peakKiB = 0;
  double sheetMiB = 0;
  long faultyRows = 0;  // blocks in the error log; -1 when the call did not answer "ERROR"
};

// The sheet has `rows` data rows of columns 0 to `lastCol`, each filled by `fill(sheet, row)`;
// `call(validator, sheet, log)` makes the call of May 2013 for the demo company (iPocIVA 12) and
// returns its result; `word` starts the log's blocks.
template <class Fill, class Call>
MedidaHoja mideEnHijo(long rows, long lastCol, Fill fill, Call call, const char* word) {
  return enHijo([=] {
    MedidaHoja r;
    {
      frame_test::LibraryFixture library;
      auto sheet = std::make_shared<vt::automation::StringMatrix>(0, rows, 0, lastCol);
      for (long row = 1; row <= rows; ++row) fill(*sheet, row);
      r.sheetMiB = sheetMiB(*sheet);
      long statements = 0;
      vt::db::ScopedStatementObserver counter([&](const vt::db::Observation& o) {
        if (o.kind != vt::db::ObservedKind::Open) ++statements;
      });
      valtrone::CLSValidarInformacion validator;
      validator.iPocIVA = 12;
      const std::string log = (library.folder / "bench.log").string();
      vt::automation::StringMatrixRef handle = sheet;
      const auto start = std::chrono::steady_clock::now();
      const std::string result = call(validator, handle, log);
      r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      r.statements = statements;
      r.peakKiB = peakKiB();
      r.faultyRows = result == "ERROR" ? bloquesEnLog(log, word) : -1;
    }
    return r;
  });
}

// Runs `measure()` once per iteration and reports the last run; a run that failed, or whose log
// holds another number of failed rows than `expectedFaults`, skips with an error.
template <class Measure>
void informaHoja(benchmark::State& state, long expectedFaults, Measure measure) {
  const long rows = state.range(0);
  MedidaHoja last;
  for (auto _ : state) {
    last = measure();
    if (last.seconds < 0) break;
    state.SetIterationTime(last.seconds);
  }
  if (last.seconds < 0 || last.faultyRows != expectedFaults) {
    state.SkipWithError("the validation did not run as expected");
    return;
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["rows_per_s"] = static_cast<double>(rows) / last.seconds;
  state.counters["peak_MiB"] = static_cast<double>(last.peakKiB) / 1024.0;
  state.counters["sheet_MiB"] = last.sheetMiB;
  state.counters["statements"] = static_cast<double>(last.statements);
}

}  // namespace bench
