// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QPushButton>
#include <QTemporaryDir>

#include "ui/app/Commands.h"
#include "ui/common/Application.h"
#include "ui/paper/SheetPrint.h"
#include "ui/paper/VariantBook.h"
#include "ui/sheet/Zadaha.h"

namespace {

namespace paper = pothenot::paper;

QString Target(const QTemporaryDir& dir) {
  return dir.filePath(QStringLiteral("bench.pdf"));
}

// Ctrl+S after "Вычислить" on the built-in example: both pages, written to disk.
void BM_SheetPdf(benchmark::State& state) {
  const QTemporaryDir dir;
  TForm2 form;
  const pothenot::Commands commands = pothenot::attachCommands(form);
  form.show();
  form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  for (auto _ : state) {
    if (paper::writeSheetPdf(form, *commands.drawing, Target(dir), {}).status !=
        paper::Outcome::Written)
      state.SkipWithError("the PDF was not written");
  }
}
BENCHMARK(BM_SheetPdf)->Unit(benchmark::kMillisecond);

// Ctrl+Shift+N for a class of 30: the sheets, the answer key, the file.
void BM_ClassSetOf30(benchmark::State& state) {
  const QTemporaryDir dir;
  std::uint32_t first = 1;
  for (auto _ : state) {
    if (paper::writeClassSet(first, 30, Target(dir), [](int) { return true; }).status !=
        paper::Outcome::Written)
      state.SkipWithError("the PDF was not written");
    first += 30;
  }
}
BENCHMARK(BM_ClassSetOf30)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("LC_ALL", "ru_RU.UTF-8");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
