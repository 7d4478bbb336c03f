// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "calc/givens.h"
#include "calc/methods.h"

namespace {

// The window «Способы решения» on every change of a given: the five methods
// on the built-in worksheet, givens read from their texts, steps with their
// texts. Goal ≤ 5 µs.
void BM_SolveByMethodsBuiltInExample(benchmark::State& state) {
  const pothenot::TWorksheet sheet;
  for (auto _ : state) benchmark::DoNotOptimize(pothenot::SolveByMethods(sheet, ","));
}
BENCHMARK(BM_SolveByMethodsBuiltInExample);

// ToTal alone, from the givens as numbers to the station. Goal ≤ 0.3 µs.
void BM_ToTalStation(benchmark::State& state) {
  const pothenot::Givens givens = pothenot::ReadGivens(pothenot::TWorksheet(), ",");
  for (auto _ : state) benchmark::DoNotOptimize(pothenot::ToTalStation(givens));
}
BENCHMARK(BM_ToTalStation);

}  // namespace
