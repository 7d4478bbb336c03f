// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cstdint>

#include "calc/variant.h"

namespace {

// One exercise from its number, retries and checks included, over a spread
// of numbers (some figures are kept at the first try, some after several).
void BM_MakeVariant(benchmark::State& state) {
  std::uint32_t number = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pothenot::MakeVariant(number));
    number = number % 999999 + 1;
  }
}
BENCHMARK(BM_MakeVariant)->Unit(benchmark::kMicrosecond);

}  // namespace
