// Per-cell conversions as the sheet validators call them, over a spread of typical cell texts.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/conversions/conversions.hpp"

namespace {

const std::vector<std::string>& Cells() {
  static const std::vector<std::string> cells = {
      "12.5",       "0",      "",     "1710034065001", "15/03/2014", "abc",
      " 1234.567 ", "-0.004", "0001", "12,50",         "2014/3/5",   "1234567890123456789012345678901234567",
  };
  return cells;
}

template <typename F>
void RunOverCells(benchmark::State& state, F f) {
  const auto& cells = Cells();
  for (auto _ : state) {
    for (const std::string& cell : cells) benchmark::DoNotOptimize(f(cell));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(cells.size()));
}

void BM_IsNumericText(benchmark::State& s) {
  RunOverCells(s, [](const std::string& c) { return vt::conv::IsNumericText(c); });
}
void BM_StrictNumber(benchmark::State& s) {
  RunOverCells(s, [](const std::string& c) { return vt::conv::StrictNumber(c); });
}
void BM_LeadingNumber(benchmark::State& s) {
  RunOverCells(s, [](const std::string& c) { return vt::conv::LeadingNumber(c); });
}
void BM_AmountMask(benchmark::State& s) {
  RunOverCells(s, [](const std::string& c) { return vt::conv::FormatNumberText(c, "########0.00"); });
}
void BM_CodeMask(benchmark::State& s) {
  RunOverCells(s, [](const std::string& c) { return vt::conv::FormatNumberText(c, "0000000000000"); });
}
void BM_DateRewrite(benchmark::State& s) {
  RunOverCells(s, [](const std::string& c) { return vt::conv::FormatDateText(c, "dd/mm/yyyy"); });
}
void BM_IsDateText(benchmark::State& s) {
  RunOverCells(s, [](const std::string& c) { return vt::conv::IsDateText(c); });
}
void BM_Upper(benchmark::State& s) {
  RunOverCells(s, [](const std::string& c) { return vt::conv::Upper(c); });
}
void BM_VbStr(benchmark::State& state) {
  double v = 0.1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vt::conv::VbStr(v));
    v += 0.37;
  }
}

BENCHMARK(BM_IsNumericText);
BENCHMARK(BM_StrictNumber);
BENCHMARK(BM_LeadingNumber);
BENCHMARK(BM_AmountMask);
BENCHMARK(BM_CodeMask);
BENCHMARK(BM_DateRewrite);
BENCHMARK(BM_IsDateText);
BENCHMARK(BM_Upper);
BENCHMARK(BM_VbStr);

// Amounts as a sheet holds them: the double nearest a number of cents.
void BM_VbStrAmount(benchmark::State& state) {
  long cents = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vt::conv::VbStr(static_cast<double>(cents) / 100));
    cents = cents * 7 % 1000000007;
  }
}
BENCHMARK(BM_VbStrAmount);

}  // namespace
