// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "calc/number_text.h"
#include "calc/resection.h"
#include "calc/work_check.h"

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

// "Проверить мои вычисления" on the built-in example with every box as the
// worksheet writes it: each box matches at once.
void BM_CheckWorkCorrectSheet(benchmark::State& state) {
  pothenot::TWorksheet sheet;
  pothenot::Calculate(sheet, ",");
  for (auto _ : state) benchmark::DoNotOptimize(pothenot::CheckWork(sheet, ","));
}
BENCHMARK(BM_CheckWorkCorrectSheet);

// The same with K1 mistyped and every later box worked from it in exact
// decimals: each later step is worked again from the student's boxes, both
// ways, to tell carried from wrong.
void BM_CheckWorkCarriedMistake(benchmark::State& state) {
  pothenot::TWorksheet sheet;
  pothenot::Calculate(sheet, ",");
  const std::pair<const char*, const char*> typed[] = {
      {"EK1", "-3532,41"},  {"EK1K3", "-10053,73"}, {"EK2K4", "-5794,55"}, {"EC", "0,57635"},
      {"ECC", "0,33217"},   {"EK2CK1", "1962,75"},  {"EK4CK3", "1962,83"}, {"EdY", "1473,34"},
      {"EdX", "849,15"},    {"EYp", "4210,46"},     {"EXp", "8222,29"},    {"EXdXp", "-1948,84"},
      {"EYdYp", "-202,16"}, {"EctgPD", "0,10373"},  {"EPA", "240°2`34``"}, {"EPD", "185°55`20``"},
      {"Ee1", "54°7`14``"}, {"Ede", "0°-4`-1``"}};
  for (const auto& [name, text] : typed) sheet.setText(name, text);
  for (auto _ : state) benchmark::DoNotOptimize(pothenot::CheckWork(sheet, ","));
}
BENCHMARK(BM_CheckWorkCarriedMistake);

void BM_NumberTexts(benchmark::State& state) {
  for (auto _ : state) {
    const pothenot::Extended v = pothenot::NumberFromText("10491,83", ",");
    benchmark::DoNotOptimize(pothenot::TextFromNumber(v, ","));
  }
}
BENCHMARK(BM_NumberTexts);

}  // namespace
