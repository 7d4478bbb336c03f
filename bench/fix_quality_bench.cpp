// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "calc/fix_quality.h"

namespace {

// The judgement of the built-in worksheet, as the drawing asks for it on
// every change of a given.
void BM_AssessFixBuiltInExample(benchmark::State& state) {
  const pothenot::TWorksheet sheet;
  for (auto _ : state) benchmark::DoNotOptimize(pothenot::AssessFix(sheet, ",", 5));
}
BENCHMARK(BM_AssessFixBuiltInExample);

}  // namespace
