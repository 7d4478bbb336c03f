#include <benchmark/benchmark.h>

#include "calc/number_text.h"
#include "calc/resection.h"

namespace {

// The whole of "Вычислить" on the built-in example, with the worksheet's
// 29 writes and an observer as the problem window has one.
void BM_CalculateBuiltInExample(benchmark::State& state) {
  pothenot::TWorksheet sheet;
  std::size_t heard = 0;
  sheet.setObserver([&](std::string_view) { ++heard; });
  for (auto _ : state) {
    sheet.clear();
    for (const pothenot::FieldInfo& f : pothenot::Fields()) sheet.setText(f.name, f.defaultText);
    pothenot::Calculate(sheet, ",");
  }
  benchmark::DoNotOptimize(heard);
}
BENCHMARK(BM_CalculateBuiltInExample);

// Calculate alone: the results already stand, so writing them tells nobody.
void BM_CalculateAgain(benchmark::State& state) {
  pothenot::TWorksheet sheet;
  for (auto _ : state) pothenot::Calculate(sheet, ",");
}
BENCHMARK(BM_CalculateAgain);

void BM_NumberTexts(benchmark::State& state) {
  for (auto _ : state) {
    const pothenot::Extended v = pothenot::NumberFromText("10491,83", ",");
    benchmark::DoNotOptimize(pothenot::TextFromNumber(v, ","));
  }
}
BENCHMARK(BM_NumberTexts);

}  // namespace
