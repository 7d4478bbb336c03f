// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "calc/design.h"

namespace {

// M at one station of the built-in figure, as the accuracy map asks for it at
// every sample; the station walks so that nothing is computed once.
void BM_MeanSquareErrorAt(benchmark::State& state) {
  const pothenot::PlanePoint A{7373.14, 2737.12}, B{10491.83, 3824.62}, C{8429.93, 6016.34};
  pothenot::PlanePoint P{6844.81, 4428.59};
  for (auto _ : state) {
    benchmark::DoNotOptimize(pothenot::MeanSquareErrorAt(P, A, B, C, 5));
    P.Y += 0.25;
  }
}
BENCHMARK(BM_MeanSquareErrorAt);

}  // namespace
